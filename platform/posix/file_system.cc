#include "platform/file_system.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace scen::platform {

namespace {

std::string reason(int err) { return std::strerror(err); }

FileKind kind_of_mode(mode_t mode) {
  if (S_ISREG(mode)) return FileKind::regular;
  if (S_ISDIR(mode)) return FileKind::directory;
  if (S_ISLNK(mode)) return FileKind::link;
  if (S_ISFIFO(mode)) return FileKind::pipe;
  return FileKind::other;
}

int open_retrying(const char* name, int flags, mode_t mode = 0) {
  int fd;
  do fd = ::open(name, flags, mode);
  while (fd < 0 && errno == EINTR);
  return fd;
}

}  // namespace

File::~File() {
  if (handle_ != kNone) ::close(static_cast<int>(handle_));
}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    if (handle_ != kNone) ::close(static_cast<int>(handle_));
    handle_ = other.handle_;
    other.handle_ = kNone;
  }
  return *this;
}

File File::open_for_reading(const std::filesystem::path& p, bool never_wait, std::string& why) {
  const int fd = open_retrying(p.c_str(), O_RDONLY | O_CLOEXEC | (never_wait ? O_NONBLOCK : 0));
  if (fd < 0) why = reason(errno);
  return File(fd);
}

File File::create_new(const std::filesystem::path& p, bool& taken, std::string& why) {
  const int fd = open_retrying(p.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  taken = fd < 0 && errno == EEXIST;
  if (fd < 0) why = reason(errno);
  return File(fd);
}

bool File::kind_and_size(FileKind& kind, uint64_t& size, std::string& why) const {
  struct stat st {};
  if (::fstat(static_cast<int>(handle_), &st) != 0) {
    why = reason(errno);
    return false;
  }
  kind = kind_of_mode(st.st_mode);
  size = kind == FileKind::regular ? static_cast<uint64_t>(st.st_size) : 0;
  return true;
}

int64_t File::read(char* into, size_t n, std::string& why) {
  for (;;) {
    const ssize_t got = ::read(static_cast<int>(handle_), into, n);
    if (got >= 0) return got;
    if (errno == EINTR) continue;
    why = reason(errno);
    return -1;
  }
}

bool File::write_all(std::string_view bytes, std::string& why) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(static_cast<int>(handle_), bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      why = reason(errno);
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

bool File::reserve(uint64_t bytes) {
  if (bytes == 0) return true;
  return ::fallocate(static_cast<int>(handle_), 0, 0, static_cast<off_t>(bytes)) == 0;
}

bool File::truncate(uint64_t bytes, std::string& why) {
  if (::ftruncate(static_cast<int>(handle_), static_cast<off_t>(bytes)) == 0) return true;
  why = reason(errno);
  return false;
}

bool File::close(std::string& why) {
  const int fd = static_cast<int>(handle_);
  handle_ = kNone;
  // After EINTR Linux has released the descriptor already.
  if (::close(fd) != 0 && errno != EINTR) {
    why = reason(errno);
    return false;
  }
  return true;
}

bool kind_of_name(const std::filesystem::path& p, FileKind& kind, std::string& why) {
  struct stat st {};
  if (::lstat(p.c_str(), &st) != 0) {
    if (errno == ENOENT) {
      kind = FileKind::missing;
      return true;
    }
    why = reason(errno);
    return false;
  }
  kind = kind_of_mode(st.st_mode);
  return true;
}

// Without O_NONBLOCK an open for writing would wait for a pipe's reader;
// the caller has made sure the name is a regular file, but it may have
// changed since.
bool can_write_existing(const std::filesystem::path& p, std::string& why) {
  const int fd = open_retrying(p.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    why = reason(errno);
    return false;
  }
  if (::close(fd) != 0 && errno != EINTR) {
    why = reason(errno);
    return false;
  }
  return true;
}

bool wait_until_replaceable(const std::filesystem::path&, std::string&) { return true; }

bool replace_file(const std::filesystem::path& from, const std::filesystem::path& to, std::string& why) {
  if (::rename(from.c_str(), to.c_str()) == 0) return true;
  why = reason(errno);
  return false;
}

bool remove_file(const std::filesystem::path& p) noexcept { return ::unlink(p.c_str()) == 0; }

bool directory_writable(const std::filesystem::path& dir, std::string& why) {
  if (::faccessat(AT_FDCWD, dir.c_str(), W_OK, AT_EACCESS) == 0) return true;
  why = reason(errno);
  return false;
}

long current_process_id() { return static_cast<long>(::getpid()); }

bool process_may_be_alive(long pid) { return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH; }

}  // namespace scen::platform
