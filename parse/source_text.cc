#include "parse/source_text.h"

#include <algorithm>

#include "platform/file_system.h"
#include "platform/path_text.h"

namespace scen {

bool read_source_file(const std::filesystem::path& path, SourceText& out, std::string& error, size_t largest) {
  out.name = utf8_of(path);
  out.bytes.clear();
  std::string why;
  platform::File file = platform::File::open_for_reading(path, /*never_wait=*/false, why);
  if (!file.is_open()) {
    error = "cannot open " + out.name + ": " + why;
    return false;
  }
  // A regular file's size sizes the buffer at once; a pipe or a device is
  // read in growing blocks.
  platform::FileKind kind;
  uint64_t file_size = 0;
  if (!file.kind_and_size(kind, file_size, why)) {
    error = "cannot read " + out.name + ": " + why;
    return false;
  }
  // A device or a directory is no source: /dev/zero would read until the
  // limit, /dev/urandom for seconds. A pipe is read up to the limit.
  if (kind != platform::FileKind::regular && kind != platform::FileKind::pipe) {
    error = out.name + " is not a regular file";
    return false;
  }
  if (kind == platform::FileKind::regular && file_size > 0)
    out.bytes.reserve(static_cast<size_t>(std::min<uint64_t>(file_size, largest)) + 1);
  size_t size = 0;
  for (;;) {
    // Room for the next read: what is reserved first, then twice as much.
    if (size == out.bytes.size()) {
      const size_t room = out.bytes.size() < out.bytes.capacity() ? out.bytes.capacity()
                                                                   : std::max(2 * size, size + 65536);
      out.bytes.resize(std::min(room, largest + 1));
    }
    const int64_t n = file.read(out.bytes.data() + size, out.bytes.size() - size, why);
    if (n < 0) {
      error = "cannot read " + out.name + ": " + why;
      out.bytes.clear();
      return false;
    }
    if (n == 0) break;
    size += static_cast<size_t>(n);
    if (size > largest) {
      error = out.name + " is larger than " +
              (largest % (size_t{1} << 20) == 0 ? std::to_string(largest >> 20) + " MiB" : std::to_string(largest) + " bytes");
      out.bytes.clear();
      return false;
    }
  }
  out.bytes.resize(size);
  return true;
}

}  // namespace scen
