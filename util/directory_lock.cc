#include "util/directory_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace scen {

DirectoryLock::DirectoryLock(const std::filesystem::path& dir, const std::function<void()>& on_wait) {
  const std::filesystem::path d = dir.empty() ? "." : dir;
  do fd_ = ::open(d.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  while (fd_ < 0 && errno == EINTR);
  if (fd_ < 0) return;
  if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return;
  if (errno == EWOULDBLOCK) {
    if (on_wait) on_wait();
    int r;
    do r = ::flock(fd_, LOCK_EX);
    while (r != 0 && errno == EINTR);
    if (r == 0) return;
  }
  // No lock to be had here (a file system without locks): the run goes
  // on as it would without one.
  ::close(fd_);
  fd_ = -1;
}

DirectoryLock::~DirectoryLock() {
  if (fd_ >= 0) ::close(fd_);  // closing lets go of the lock
}

}  // namespace scen
