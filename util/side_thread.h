// A thread for work meant to run beside the caller's, on another processor.
//
// A new thread starts on its creator's processor, and on a small machine
// whose other processors are idle the kernel may leave it queued there for
// milliseconds, behind the creator, before an idle processor takes it: the
// two then take turns instead of working at once. This thread is created
// allowed only on the processors the caller may use other than the one it
// runs on, so it starts on one of those at once; its first act is to allow
// itself all of the caller's processors again, so that the kernel may still
// move it later. Where the caller may use one processor only, or the
// narrower set is refused, the thread simply starts as any other would.
#pragma once

#include <pthread.h>

#include <functional>

namespace scen {

class ThreadAccanto {
 public:
  // Starts `lavoro` on the new thread. Throws std::system_error when no
  // thread can be had.
  explicit ThreadAccanto(std::function<void()> lavoro);
  // Joins the thread if it has not been joined.
  ~ThreadAccanto();
  ThreadAccanto(const ThreadAccanto&) = delete;
  ThreadAccanto& operator=(const ThreadAccanto&) = delete;

  bool joinable() const { return joinable_; }
  // Waits for `lavoro` to return.
  void join();

 private:
  struct Avvio;
  // A `lavoro` that throws ends the program, as with std::thread.
  static void* esegui(void* avvio) noexcept;

  pthread_t thread_{};
  bool joinable_ = false;
};

}  // namespace scen
