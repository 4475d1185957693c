#include "platform/temporary_directory.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>

namespace scen::platform {

bool make_temporary_directory(std::string_view prefix, std::filesystem::path& made, std::string& why) {
  std::error_code ec;
  const std::filesystem::path base = std::filesystem::temp_directory_path(ec);
  if (ec) {
    why = ec.message();
    return false;
  }
  std::string pattern = (base / (std::string(prefix) + "XXXXXX")).native();
  if (::mkdtemp(pattern.data()) == nullptr) {
    why = std::strerror(errno);
    return false;
  }
  made = pattern;
  return true;
}

}  // namespace scen::platform
