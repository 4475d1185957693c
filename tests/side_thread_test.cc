// A thread started beside the caller's: it runs its work once, is joined
// by its owner, and is left free to run on every processor the caller may
// use, whether the caller may use several or only one.
#include "util/side_thread.h"

#include <gtest/gtest.h>
#include <sched.h>

#include <atomic>
#include <optional>

namespace scen {
namespace {

cpu_set_t processori_di_questo_thread() {
  cpu_set_t s;
  CPU_ZERO(&s);
  EXPECT_EQ(pthread_getaffinity_np(pthread_self(), sizeof s, &s), 0);
  return s;
}

// The caller's set of processors for the length of a test.
class ProcessoriDelChiamante {
 public:
  explicit ProcessoriDelChiamante(const cpu_set_t& s) : prima_(processori_di_questo_thread()) {
    EXPECT_EQ(pthread_setaffinity_np(pthread_self(), sizeof s, &s), 0);
  }
  ~ProcessoriDelChiamante() { EXPECT_EQ(pthread_setaffinity_np(pthread_self(), sizeof prima_, &prima_), 0); }

 private:
  cpu_set_t prima_;
};

TEST(ThreadAccanto, RunsItsWorkOnceAllowedWhereverTheCallerIs) {
  const cpu_set_t tutti = processori_di_questo_thread();
  cpu_set_t uno;
  CPU_ZERO(&uno);
  CPU_SET(sched_getcpu(), &uno);
  struct Caso {
    const char* nome;
    cpu_set_t processori;
  };
  for (const Caso& c : {Caso{"all of the caller's processors", tutti}, Caso{"a single processor", uno}}) {
    SCOPED_TRACE(c.nome);
    const ProcessoriDelChiamante chiamante(c.processori);
    std::atomic<int> volte = 0;
    std::optional<cpu_set_t> visti;
    {
      ThreadAccanto t([&] {
        ++volte;
        visti = processori_di_questo_thread();
      });
      EXPECT_TRUE(t.joinable());
      t.join();
      EXPECT_FALSE(t.joinable());
    }
    EXPECT_EQ(volte, 1);
    ASSERT_TRUE(visti.has_value());
    EXPECT_TRUE(CPU_EQUAL(&*visti, &c.processori));
  }
}

TEST(ThreadAccanto, DestructionWaitsForTheWork) {
  std::atomic<bool> finito = false;
  {
    ThreadAccanto t([&] {
      sched_yield();
      finito = true;
    });
  }
  EXPECT_TRUE(finito);
}

}  // namespace
}  // namespace scen
