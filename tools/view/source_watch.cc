#include "tools/view/source_watch.h"

#include <system_error>

namespace scenc {

SourceState source_state(const std::filesystem::path& path) {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec) return {};
  const std::filesystem::file_time_type modified = std::filesystem::last_write_time(path, ec);
  if (ec) return {};
  return {true, size, modified};
}

}  // namespace scenc
