// For a program that runs until it is told to stop (`scenc serve`): the
// requests to stop (SIGINT and SIGTERM on Linux; Ctrl-C, Ctrl-Break and
// the console closing on Windows) are waited for, not handled, so that
// the program stops as ordinary code does, between two steps of its loop.
#pragma once

#include <chrono>
#include <memory>

namespace scen::platform {

class StopRequests {
 public:
  // Made before the program starts any thread (on Linux they inherit the
  // blocked signals). `ok()` is false when the requests cannot be taken;
  // `why()` then says why.
  StopRequests();
  ~StopRequests();
  StopRequests(const StopRequests&) = delete;
  StopRequests& operator=(const StopRequests&) = delete;

  bool ok() const;
  const char* why() const;
  // Waits up to `timeout`; true when a request to stop came.
  bool wait_for(std::chrono::milliseconds timeout);

  struct State;

 private:
  std::unique_ptr<State> state_;
};

}  // namespace scen::platform
