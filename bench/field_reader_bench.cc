// The field reader on a large source file: 200 000 signal lines (10 MB),
// a keyword and eleven numbers each, against reading the same bytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bench/long_line.h"
#include "parse/field_reader.h"
#include "parse/source_text.h"

namespace scen::bench {
namespace {

constexpr int kRighe = 200000;

struct FileGrande {
  CartellaTemporanea cartella;
  std::filesystem::path percorso = cartella.path() / "grande.txt";
  FileGrande() {
    std::string testo;
    testo.reserve(size_t{kRighe} * 56);
    char riga[96];
    for (int i = 0; i < kRighe; ++i) {
      const int n = std::snprintf(riga, sizeof riga,
                                  "segnale,  %6d,   2, 4, 1,  0, 0,    2,  2,1,0, 0\r\n", 1000 + 5 * i);
      testo.append(riga, static_cast<size_t>(n));
    }
    scrivi_file(percorso, testo);
  }
};

const FileGrande& file_grande() {
  static const FileGrande f;
  return f;
}

// The file read into memory, then every field read as the compile reads it.
void BM_FieldReader(benchmark::State& state) {
  const FileGrande& f = file_grande();
  for (auto _ : state) {
    SourceText testo;
    std::string errore;
    if (!read_source_file(f.percorso, testo, errore)) {
      state.SkipWithError(errore.c_str());
      return;
    }
    FieldReader lettore(testo.bytes);
    int64_t somma = 0;
    std::string chiave;
    while (!lettore.at_end()) {
      lettore.read_text(chiave);
      benchmark::DoNotOptimize(chiave);
      for (int i = 0; i < 11; ++i) {
        int32_t n = 0;
        lettore.read_number(n);
        somma += n;
      }
    }
    benchmark::DoNotOptimize(somma);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(dimensione(f.percorso)));
}
BENCHMARK(BM_FieldReader)->Unit(benchmark::kMillisecond);

// The same file read in 64 KiB blocks with every byte looked at once.
void BM_LetturaStessiByte(benchmark::State& state) {
  const FileGrande& f = file_grande();
  std::vector<char> blocco(size_t{1} << 16);
  for (auto _ : state) {
    std::FILE* file = std::fopen(f.percorso.c_str(), "rb");
    if (!file) {
      state.SkipWithError("cannot open the large file");
      break;
    }
    unsigned virgole = 0;
    size_t n;
    while ((n = std::fread(blocco.data(), 1, blocco.size(), file)) > 0)
      for (size_t i = 0; i < n; ++i) virgole += blocco[i] == ',';
    const bool errore = std::ferror(file) != 0;
    if (std::fclose(file) != 0 || errore) {
      state.SkipWithError("cannot read the large file");
      break;
    }
    benchmark::DoNotOptimize(virgole);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(dimensione(f.percorso)));
}
BENCHMARK(BM_LetturaStessiByte)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace scen::bench
