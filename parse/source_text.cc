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

bool read_source_file(const std::filesystem::path& path, SourceText& out, std::string& error, size_t largest) {
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
  if (::fstat(d.fd, &st) != 0) {
    error = "cannot read " + out.name + ": " + std::strerror(errno);
    return false;
  }
  // A device or a directory is no source: /dev/zero would read until the
  // limit, /dev/urandom for seconds. A pipe is read up to the limit.
  if (!S_ISREG(st.st_mode) && !S_ISFIFO(st.st_mode)) {
    error = out.name + " is not a regular file";
    return false;
  }
  if (S_ISREG(st.st_mode) && st.st_size > 0)
    out.bytes.reserve(std::min(static_cast<size_t>(st.st_size), largest) + 1);
  size_t size = 0;
  for (;;) {
    // Room for the next read: what is reserved first, then twice as much.
    if (size == out.bytes.size()) {
      const size_t room = out.bytes.size() < out.bytes.capacity() ? out.bytes.capacity()
                                                                   : std::max(2 * size, size + 65536);
      out.bytes.resize(std::min(room, largest + 1));
    }
    const ssize_t n = ::read(d.fd, out.bytes.data() + size, out.bytes.size() - size);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = "cannot read " + out.name + ": " + std::strerror(errno);
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
