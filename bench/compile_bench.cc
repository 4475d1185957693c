// The whole compile of the largest line inside one process: both source
// files read, the model filled, the code track, the three files written.
#include <benchmark/benchmark.h>

#include "bench/bench_support.h"
#include "bench/long_line.h"
#include "run/compile_and_write.h"

namespace scen::bench {
namespace {

void BM_CompilaLineaMassima(benchmark::State& state) {
  CartellaTemporanea cartella;
  scrivi_sorgenti_lunghe(cartella.path(), kLineaMassima, "Lunga", "B1");
  OpzioniPercorso opzioni;
  opzioni.sorgenti = {cartella.path() / "Lunga_linea.txt", cartella.path() / "Lunga_B1-.txt", false};
  opzioni.cartella_uscita = cartella.path();
  for (auto _ : state) {
    Modello m;
    m.nome_percorso = "Lunga";
    m.nome_treno = "B1";
    const EsitoPercorso esito = memorizza_percorso(m, opzioni);
    if (esito.codice_errore != 0 || esito.scritti.size() != 3) {
      state.SkipWithError("the largest line did not compile cleanly");
      break;
    }
  }
}
BENCHMARK(BM_CompilaLineaMassima)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace scen::bench
