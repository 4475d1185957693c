#include "util/signal_cleanup.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace scen {

namespace {

sigset_t ending_signals() {
  sigset_t s;
  sigemptyset(&s);
  sigaddset(&s, SIGINT);
  sigaddset(&s, SIGTERM);
  sigaddset(&s, SIGHUP);
  return s;
}

}  // namespace

SignalCleanup::SignalCleanup(TemporaryFiles& files) {
  const sigset_t ending = ending_signals();
  if (pthread_sigmask(SIG_BLOCK, &ending, &previous_) != 0) return;
  signals_fd_ = ::signalfd(-1, &ending, SFD_CLOEXEC);
  stop_fd_ = ::eventfd(0, EFD_CLOEXEC);
  if (signals_fd_ >= 0 && stop_fd_ >= 0) {
    try {
      thread_ = std::thread([this, &files] { wait(files); });
      return;
    } catch (const std::system_error&) {
    }
  }
  if (signals_fd_ >= 0) ::close(signals_fd_);
  if (stop_fd_ >= 0) ::close(stop_fd_);
  signals_fd_ = stop_fd_ = -1;
  pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

SignalCleanup::~SignalCleanup() {
  if (!thread_.joinable()) return;
  const uint64_t one = 1;
  // Should the write fail, the thread would never wake: then leave it be
  // rather than hang the process's end on it.
  if (::write(stop_fd_, &one, sizeof one) == sizeof one)
    thread_.join();
  else
    thread_.detach();
  ::close(signals_fd_);
  ::close(stop_fd_);
  pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

void SignalCleanup::wait(TemporaryFiles& files) noexcept {
  pollfd fds[2] = {{signals_fd_, POLLIN, 0}, {stop_fd_, POLLIN, 0}};
  for (;;) {
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[1].revents != 0) return;
    if (fds[0].revents == 0) continue;
    signalfd_siginfo info;
    const ssize_t n = ::read(signals_fd_, &info, sizeof info);
    if (n != sizeof info) {
      if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      return;
    }
    files.remove_all_before_exit();
    ::_exit(128 + static_cast<int>(info.ssi_signo));
  }
}

}  // namespace scen
