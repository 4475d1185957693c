// The track plan of the largest line: 1 007 001 rows, a curve every 500 m.
#include <benchmark/benchmark.h>

#include "bench/bench_support.h"
#include "compiler/track_plan.h"

namespace scen::bench {
namespace {

constexpr int64_t kLunghezzaTotale = kLineaMassima + 7000;
constexpr size_t kRighe = kLunghezzaTotale + 1;

void sezione(std::optional<TabellaLinea>& tabella) {
  PrimoGuasto guasti;
  GeometriaLinea geometria(tabella, guasti);
  if (!geometria.avvia()) std::abort();
  for (int64_t s = 100; s + 200 < GeometriaLinea::kLimiteMetri; s += 500) {
    const int classe = 1 + static_cast<int>(s / 500 % 6);
    const double k = s / 500 % 2 ? curvatura_di_classe(classe) : -curvatura_di_classe(classe);
    if (!geometria.rettilineo_fino_a(s) || !geometria.curva_fino_a(s + 200, k)) std::abort();
  }
  if (!geometria.completa(kLunghezzaTotale)) std::abort();
}

void dimensiona(std::optional<TabellaLinea>& tabella) {
  tabella.emplace();
  tabella->x.dimensiona(kRighe);
  tabella->y.dimensiona(kRighe);
}

// Every row computed once, in a plan sized beforehand.
void BM_PianoDelBinario(benchmark::State& state) {
  std::optional<TabellaLinea> tabella;
  dimensiona(tabella);
  for (auto _ : state) {
    sezione(tabella);
    benchmark::DoNotOptimize(tabella->y.valore[kRighe - 3]);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kRighe));
}
BENCHMARK(BM_PianoDelBinario)->Unit(benchmark::kMillisecond);

// As the compile does it: the plan sized, empty, then computed.
void BM_PianoDelBinarioDimensionato(benchmark::State& state) {
  for (auto _ : state) {
    std::optional<TabellaLinea> tabella;
    dimensiona(tabella);
    sezione(tabella);
    benchmark::DoNotOptimize(tabella->y.valore[kRighe - 3]);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kRighe));
}
BENCHMARK(BM_PianoDelBinarioDimensionato)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace scen::bench
