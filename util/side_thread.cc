#include "util/side_thread.h"

#include <sched.h>

#include <cerrno>
#include <exception>
#include <memory>
#include <system_error>
#include <utility>

namespace scen {

// What the new thread needs: its work, and the processors it gives itself
// back once it runs, when it was started on fewer.
struct ThreadAccanto::Avvio {
  std::function<void()> lavoro;
  bool ristretto = false;
  cpu_set_t processori;
};

void* ThreadAccanto::esegui(void* p) noexcept {
  const std::unique_ptr<Avvio> avvio(static_cast<Avvio*>(p));
  // Advice only: a thread that keeps the narrower set works the same.
  if (avvio->ristretto)
    (void)pthread_setaffinity_np(pthread_self(), sizeof avvio->processori, &avvio->processori);
  avvio->lavoro();
  return nullptr;
}

namespace {

// The attributes of a thread allowed on `processori` less the processor the
// caller runs on; false when that leaves none, or it cannot be known.
bool accanto(pthread_attr_t& attr, const cpu_set_t& processori) {
  const int qui = sched_getcpu();
  if (qui < 0 || qui >= CPU_SETSIZE || !CPU_ISSET(qui, &processori) || CPU_COUNT(&processori) < 2) return false;
  cpu_set_t altri = processori;
  CPU_CLR(qui, &altri);
  return pthread_attr_setaffinity_np(&attr, sizeof altri, &altri) == 0;
}

}  // namespace

ThreadAccanto::ThreadAccanto(std::function<void()> lavoro) {
  auto avvio = std::make_unique<Avvio>();
  avvio->lavoro = std::move(lavoro);
  int errore = EINVAL;
  pthread_attr_t attr;
  if (pthread_getaffinity_np(pthread_self(), sizeof avvio->processori, &avvio->processori) == 0 &&
      pthread_attr_init(&attr) == 0) {
    avvio->ristretto = accanto(attr, avvio->processori);
    if (avvio->ristretto) errore = pthread_create(&thread_, &attr, &esegui, avvio.get());
    (void)pthread_attr_destroy(&attr);
  }
  if (errore != 0) {
    // Started as any other thread would.
    avvio->ristretto = false;
    errore = pthread_create(&thread_, nullptr, &esegui, avvio.get());
  }
  if (errore != 0) throw std::system_error(errore, std::generic_category(), "pthread_create");
  avvio.release();  // the thread's now
  joinable_ = true;
}

ThreadAccanto::~ThreadAccanto() {
  if (joinable_) join();
}

void ThreadAccanto::join() {
  const int errore = pthread_join(thread_, nullptr);
  // Joining a thread this object started and has not joined cannot fail.
  if (errore != 0) std::terminate();
  joinable_ = false;
}

}  // namespace scen
