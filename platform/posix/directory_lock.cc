#include "platform/directory_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace scen {

DirectoryLock::DirectoryLock(const std::filesystem::path& dir, const std::function<void()>& on_wait) {
  const std::filesystem::path d = dir.empty() ? "." : dir;
  int fd;
  do fd = ::open(d.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  while (fd < 0 && errno == EINTR);
  if (fd < 0) return;
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    handle_ = fd;
    return;
  }
  if (errno == EWOULDBLOCK) {
    if (on_wait) on_wait();
    int r;
    do r = ::flock(fd, LOCK_EX);
    while (r != 0 && errno == EINTR);
    if (r == 0) {
      handle_ = fd;
      return;
    }
  }
  // No lock to be had here (a file system without locks): the run goes
  // on as it would without one.
  ::close(fd);
}

DirectoryLock::~DirectoryLock() {
  if (handle_ != kNone) ::close(static_cast<int>(handle_));  // closing lets go of the lock
}

}  // namespace scen
