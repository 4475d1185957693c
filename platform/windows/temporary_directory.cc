#include "platform/temporary_directory.h"

#include <windows.h>

#include <random>

#include "platform/windows/system_error_text.h"
#include "platform/windows/utf16.h"

namespace scen::platform {

bool make_temporary_directory(std::string_view prefix, std::filesystem::path& made, std::string& why) {
  std::error_code ec;
  const std::filesystem::path base = std::filesystem::temp_directory_path(ec);
  if (ec) {
    why = ec.message();
    return false;
  }
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    wchar_t suffix[9];
    unsigned value = random();
    for (int i = 0; i < 8; ++i, value >>= 4) suffix[i] = L"0123456789abcdef"[value & 0xF];
    suffix[8] = L'\0';
    const std::filesystem::path candidate = base / (utf16_of(prefix) + suffix);
    if (::CreateDirectoryW(candidate.c_str(), nullptr)) {
      made = candidate;
      return true;
    }
    if (::GetLastError() != ERROR_ALREADY_EXISTS) {
      why = system_error_text(::GetLastError());
      return false;
    }
  }
  why = "File exists";
  return false;
}

}  // namespace scen::platform
