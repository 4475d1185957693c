#include "platform/standard_streams.h"

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace scen::platform {

// Linux streams pass bytes as they are, and terminals take UTF-8.
StandardStreamsSetup::StandardStreamsSetup() = default;
StandardStreamsSetup::~StandardStreamsSetup() = default;

int64_t read_descriptor(int fd, char* into, size_t n, std::string& why) {
  for (;;) {
    const ssize_t got = ::read(fd, into, n);
    if (got >= 0) return got;
    if (errno == EINTR) continue;
    why = std::strerror(errno);
    return -1;
  }
}

bool write_descriptor(int fd, std::string_view bytes, std::string& why) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      why = n < 0 ? std::strerror(errno) : "nothing written";
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

bool descriptor_has_input(int fd) {
  pollfd p{fd, POLLIN, 0};
  return ::poll(&p, 1, 0) > 0 && (p.revents & POLLIN) != 0;
}

bool descriptor_kind_and_size(int fd, FileKind& kind, uint64_t& size, std::string& why) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    why = std::strerror(errno);
    return false;
  }
  kind = S_ISREG(st.st_mode)    ? FileKind::regular
         : S_ISDIR(st.st_mode)  ? FileKind::directory
         : S_ISFIFO(st.st_mode) ? FileKind::pipe
                                : FileKind::other;
  size = kind == FileKind::regular ? static_cast<uint64_t>(st.st_size) : 0;
  return true;
}

}  // namespace scen::platform
