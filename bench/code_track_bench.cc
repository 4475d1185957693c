// The code track over the largest grid (20 141 cells) with a slowdown every
// 2 km and a signal every 1 km.
#include <benchmark/benchmark.h>

#include "bench/bench_support.h"
#include "compiler/code_track.h"

namespace scen::bench {
namespace {

constexpr int32_t kCelle = 20141;

void BM_TracciaCodici(benchmark::State& state) {
  const std::vector<Cella> griglia = griglia_di_rallentamenti(kCelle);
  Modello m;
  m.ultima_cella = kCelle - 1;
  std::vector<ConflittoCodici> conflitti;
  for (auto _ : state) {
    state.PauseTiming();
    m.celle = griglia;
    state.ResumeTiming();
    conflitti = completa_codici(m);
    benchmark::DoNotOptimize(m.celle->data());
  }
  if (!conflitti.empty()) state.SkipWithError("the code track recorded an error");
  state.SetItemsProcessed(state.iterations() * kCelle);
}
BENCHMARK(BM_TracciaCodici)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace scen::bench
