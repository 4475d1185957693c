// The three serialisations of the largest line's model, each against
// copying the same number of bytes through the same 1 MiB sink; and the
// compiled files written to disk against writing the same bytes.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

#include "bench/bench_support.h"
#include "bench/long_line.h"
#include "model/byte_images.h"
#include "writer/compiled_writer.h"

namespace scen::bench {
namespace {

const Modello& modello() {
  static const Modello m = modello_lungo(kLineaMassima);
  return m;
}

// A sink that hands its 1 MiB blocks to nobody, as the file writer's would
// hand them to write().
ByteSink sink_muto(int64_t& byte) {
  return ByteSink([&byte](std::string_view blocco) { byte += static_cast<int64_t>(blocco.size()); });
}

template <class Immagine>
void misura(benchmark::State& state, Immagine immagine) {
  int64_t byte = 0;
  for (auto _ : state) {
    ByteSink out = sink_muto(byte);
    immagine(out);
    out.flush();
  }
  state.SetBytesProcessed(byte);
}

// The same number of bytes, already made, copied through the sink.
void copia(benchmark::State& state, const std::string& stessi_byte) {
  int64_t byte = 0;
  for (auto _ : state) {
    ByteSink out = sink_muto(byte);
    out.bytes(stessi_byte);
    out.flush();
  }
  state.SetBytesProcessed(byte);
}

void BM_ImmaginePianoDelBinario(benchmark::State& state) {
  misura(state, [](ByteSink& out) { immagine_tabella_linea(*modello().tabella_linea, out); });
}
BENCHMARK(BM_ImmaginePianoDelBinario)->Unit(benchmark::kMillisecond);

void BM_CopiaPianoDelBinario(benchmark::State& state) {
  copia(state, immagine_tabella_linea(*modello().tabella_linea));
}
BENCHMARK(BM_CopiaPianoDelBinario)->Unit(benchmark::kMillisecond);

void BM_ImmagineCelle(benchmark::State& state) {
  misura(state, [](ByteSink& out) { immagine_celle(*modello().celle, out); });
}
BENCHMARK(BM_ImmagineCelle)->Unit(benchmark::kMicrosecond);

void BM_CopiaCelle(benchmark::State& state) { copia(state, immagine_celle(*modello().celle)); }
BENCHMARK(BM_CopiaCelle)->Unit(benchmark::kMicrosecond);

void BM_ImmagineRecord(benchmark::State& state) {
  misura(state, [](ByteSink& out) { immagine_dati_sim(modello().dati_sim, out); });
}
BENCHMARK(BM_ImmagineRecord)->Unit(benchmark::kMicrosecond);

void BM_CopiaRecord(benchmark::State& state) { copia(state, immagine_dati_sim(modello().dati_sim)); }
BENCHMARK(BM_CopiaRecord)->Unit(benchmark::kMicrosecond);

// The three compiled files replaced in a directory, as the compile ends.
void BM_ScriviCompilati(benchmark::State& state) {
  const Modello& m = modello();
  CartellaTemporanea cartella;
  for (auto _ : state) benchmark::DoNotOptimize(scrivi_compilati(m, cartella.path()));
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(dimensione(cartella.path() / "Lunga_linea.dat") +
                                               dimensione(cartella.path() / "Lunga_B1.sim") +
                                               dimensione(cartella.path() / "Lunga_B1.dat")));
}
BENCHMARK(BM_ScriviCompilati)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same bytes, made beforehand, written with one write() per file into
// files of the same names (truncated, not replaced).
void BM_ScriviStessiByte(benchmark::State& state) {
  const Modello& m = modello();
  CartellaTemporanea cartella;
  const NomiCompilati nomi = nomi_compilati(cartella.path(), m);
  const std::string immagini[3] = {immagine_tabella_linea(*m.tabella_linea),
                                   immagine_dati_sim(m.dati_sim), immagine_celle(*m.celle)};
  const std::filesystem::path* file[3] = {&nomi.linea_dat, &nomi.sim, &nomi.dat};
  for (auto _ : state)
    for (int i = 0; i < 3; ++i) scrivi_file(*file[i], immagini[i]);
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(immagini[0].size() + immagini[1].size() + immagini[2].size()));
}
BENCHMARK(BM_ScriviStessiByte)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace scen::bench
