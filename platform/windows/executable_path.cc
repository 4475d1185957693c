#include "platform/executable_path.h"

#include <windows.h>

#include <system_error>
#include <vector>

#include "platform/windows/utf16.h"

namespace scen::platform {

std::string running_executable() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(), "GetModuleFileNameW");
    if (n < buffer.size()) return utf8_of_utf16(std::wstring_view(buffer.data(), n));
    if (buffer.size() >= 32768) throw std::system_error(ERROR_INSUFFICIENT_BUFFER, std::system_category(), "GetModuleFileNameW");
    buffer.resize(buffer.size() * 2);
  }
}

char path_separator() { return '\\'; }

}  // namespace scen::platform
