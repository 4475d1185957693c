#include "platform/signal_cleanup.h"

#include <poll.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>
#include <thread>

namespace scen {

struct SignalCleanup::State {
  std::function<void()> before_exit;
  sigset_t previous{};
  int signals_fd = -1;
  int stop_fd = -1;
  std::thread thread;

  void wait() noexcept {
    pollfd fds[2] = {{signals_fd, POLLIN, 0}, {stop_fd, POLLIN, 0}};
    for (;;) {
      if (::poll(fds, 2, -1) < 0) {
        if (errno == EINTR) continue;
        return;
      }
      if (fds[1].revents != 0) return;
      if (fds[0].revents == 0) continue;
      signalfd_siginfo info;
      const ssize_t n = ::read(signals_fd, &info, sizeof info);
      if (n != sizeof info) {
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        return;
      }
      before_exit();
      ::_exit(128 + static_cast<int>(info.ssi_signo));
    }
  }
};

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

SignalCleanup::SignalCleanup(std::function<void()> before_exit) : state_(std::make_unique<State>()) {
  State& s = *state_;
  s.before_exit = std::move(before_exit);
  const sigset_t ending = ending_signals();
  if (pthread_sigmask(SIG_BLOCK, &ending, &s.previous) != 0) return;
  s.signals_fd = ::signalfd(-1, &ending, SFD_CLOEXEC);
  s.stop_fd = ::eventfd(0, EFD_CLOEXEC);
  if (s.signals_fd >= 0 && s.stop_fd >= 0) {
    try {
      s.thread = std::thread([&s] { s.wait(); });
      return;
    } catch (const std::system_error&) {
    }
  }
  if (s.signals_fd >= 0) ::close(s.signals_fd);
  if (s.stop_fd >= 0) ::close(s.stop_fd);
  s.signals_fd = s.stop_fd = -1;
  pthread_sigmask(SIG_SETMASK, &s.previous, nullptr);
}

bool SignalCleanup::active() const { return state_->thread.joinable(); }

SignalCleanup::~SignalCleanup() {
  State& s = *state_;
  if (!s.thread.joinable()) return;
  const uint64_t one = 1;
  // Should the write fail, the thread would never wake: then leave it be
  // rather than hang the process's end on it.
  if (::write(s.stop_fd, &one, sizeof one) == sizeof one) {
    s.thread.join();
  } else {
    s.thread.detach();
    (void)state_.release();  // the detached thread still reads it
    return;
  }
  ::close(s.signals_fd);
  ::close(s.stop_fd);
  pthread_sigmask(SIG_SETMASK, &s.previous, nullptr);
}

}  // namespace scen
