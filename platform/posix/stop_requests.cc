#include "platform/stop_requests.h"

#include <signal.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace scen::platform {

struct StopRequests::State {
  sigset_t signals{};
  sigset_t previous{};
  bool ok = false;
  std::string why;
};

StopRequests::StopRequests() : state_(std::make_unique<State>()) {
  sigemptyset(&state_->signals);
  sigaddset(&state_->signals, SIGINT);
  sigaddset(&state_->signals, SIGTERM);
  if (const int e = pthread_sigmask(SIG_BLOCK, &state_->signals, &state_->previous); e != 0) {
    state_->why = std::string("cannot block SIGINT and SIGTERM: ") + std::strerror(e);
    return;
  }
  state_->ok = true;
}

StopRequests::~StopRequests() {
  if (state_->ok) pthread_sigmask(SIG_SETMASK, &state_->previous, nullptr);
}

bool StopRequests::ok() const { return state_->ok; }
const char* StopRequests::why() const { return state_->why.c_str(); }

bool StopRequests::wait_for(std::chrono::milliseconds timeout) {
  const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(timeout).count();
  const timespec wait{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
  const int s = sigtimedwait(&state_->signals, nullptr, &wait);
  if (s == SIGINT || s == SIGTERM) return true;
  if (s < 0 && errno != EAGAIN && errno != EINTR) {
    state_->why = std::string("waiting for signals failed: ") + std::strerror(errno);
    return true;
  }
  return false;
}

}  // namespace scen::platform
