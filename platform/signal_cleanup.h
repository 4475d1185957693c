// Ends the process on an ending request with the status 128 + the signal,
// after `before_exit` (which removes the run's temporaries). On Linux the
// requests are SIGINT, SIGTERM and SIGHUP, taken by a thread of their own
// (the process's other threads block them), so that `before_exit` runs as
// ordinary code, not in a signal handler; made before the process starts
// any other thread, which inherits the blocked signals. On Windows they
// are the console's Ctrl-C and Ctrl-Break (130, as SIGINT) and its closing,
// log-off and shutdown (129, as SIGHUP), which the system hands to a
// thread of its own.
#pragma once

#include <functional>
#include <memory>

namespace scen {

class SignalCleanup {
 public:
  explicit SignalCleanup(std::function<void()> before_exit);
  // Stops waiting; a request that comes after takes its default course.
  ~SignalCleanup();
  SignalCleanup(const SignalCleanup&) = delete;
  SignalCleanup& operator=(const SignalCleanup&) = delete;

  // false when the requests could not be taken (no thread, no
  // descriptor): they then keep their default course, which leaves
  // temporaries behind.
  bool active() const;

  struct State;

 private:
  std::unique_ptr<State> state_;
};

}  // namespace scen
