// Ends the process on SIGINT, SIGTERM or SIGHUP with the status 128 + the
// signal, after removing the temporary files it has listed. The signals are
// taken by a thread of its own (the process's other threads block them), so
// the removal runs as ordinary code, not in a signal handler. Made before
// the process starts any other thread, which inherits the blocked signals;
// while it lives, a set of files being put in place (see
// TemporaryFiles::hold_off_removal) is put in place whole before the end.
#pragma once

#include <signal.h>

#include <thread>

#include "util/temporary_files.h"

namespace scen {

class SignalCleanup {
 public:
  explicit SignalCleanup(TemporaryFiles& files);
  // Stops waiting and unblocks the signals; one that came meanwhile then
  // takes its default course.
  ~SignalCleanup();
  SignalCleanup(const SignalCleanup&) = delete;
  SignalCleanup& operator=(const SignalCleanup&) = delete;

  // false when the signals could not be taken (no thread, no descriptor):
  // they then keep their default course, which leaves temporaries behind.
  bool active() const { return thread_.joinable(); }

 private:
  void wait(TemporaryFiles& files) noexcept;

  sigset_t previous_{};
  int signals_fd_ = -1;
  int stop_fd_ = -1;
  std::thread thread_;
};

}  // namespace scen
