#include "util/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace scen {

bool read_regular_file(const std::filesystem::path& p, size_t largest, std::string& out, std::string& why) {
  out.clear();
  int fd;
  do fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    why = std::strerror(errno);
    return false;
  }
  const auto fallisci = [&](std::string perche) {
    ::close(fd);
    out.clear();
    why = std::move(perche);
    return false;
  };
  struct stat st {};
  if (::fstat(fd, &st) != 0) return fallisci(std::strerror(errno));
  if (S_ISDIR(st.st_mode)) return fallisci(std::strerror(EISDIR));
  if (!S_ISREG(st.st_mode)) return fallisci("not a regular file");
  const auto size = static_cast<size_t>(st.st_size);
  if (size > largest)
    return fallisci(std::to_string(size) + " bytes, larger than the largest one can be (" + std::to_string(largest) +
                    " bytes)");
  // One byte more than its size, to see a file that grew meanwhile.
  out.resize(size + 1);
  size_t letti = 0;
  while (letti < out.size()) {
    const ssize_t n = ::read(fd, out.data() + letti, out.size() - letti);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fallisci(std::strerror(errno));
    }
    if (n == 0) break;
    letti += static_cast<size_t>(n);
  }
  if (letti > size) return fallisci("it grew while it was read");
  out.resize(letti);
  if (::close(fd) != 0) {
    out.clear();
    why = std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace scen
