#include "parse/source_text.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scen {

namespace {

// Closes the descriptor on every way out.
struct Descriptor {
  int fd = -1;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

bool read_source_file(const std::filesystem::path& path, SourceText& out, std::string& error) {
  out.name = path.string();
  out.bytes.clear();
  Descriptor d;
  do d.fd = ::open(out.name.c_str(), O_RDONLY | O_CLOEXEC);
  while (d.fd < 0 && errno == EINTR);
  if (d.fd < 0) {
    error = "cannot open " + out.name + ": " + std::strerror(errno);
    return false;
  }
  // A regular file's size sizes the buffer at once; a pipe or a device is
  // read in growing blocks.
  struct stat st {};
  if (::fstat(d.fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
    out.bytes.reserve(std::min(static_cast<size_t>(st.st_size), kLargestSource) + 1);
  size_t size = 0;
  for (;;) {
    if (out.bytes.size() - size < 4096)
      out.bytes.resize(std::min(std::max(out.bytes.capacity(), size + 65536), kLargestSource + 1));
    const ssize_t n = ::read(d.fd, out.bytes.data() + size, out.bytes.size() - size);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = "cannot read " + out.name + ": " + std::strerror(errno);
      out.bytes.clear();
      return false;
    }
    if (n == 0) break;
    size += static_cast<size_t>(n);
    if (size > kLargestSource) {
      error = out.name + " is larger than 256 MiB";
      out.bytes.clear();
      return false;
    }
  }
  out.bytes.resize(size);
  return true;
}

}  // namespace scen
