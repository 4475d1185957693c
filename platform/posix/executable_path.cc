#include "platform/executable_path.h"

#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <vector>

namespace scen::platform {

std::string running_executable() {
  std::vector<char> buffer(4096);
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) throw std::system_error(errno, std::generic_category(), "/proc/self/exe");
    if (static_cast<size_t>(n) < buffer.size()) return std::string(buffer.data(), static_cast<size_t>(n));
    buffer.resize(buffer.size() * 2);
  }
}

char path_separator() { return '/'; }

}  // namespace scen::platform
