// What the benchmarks share: a temporary directory, the long scenario
// compiled into a model, and a grid full of slowdowns.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "model/model.h"

namespace scen::bench {

// The largest line: 1 000 000 m, a plan of 1 007 001 rows, 20 141 cells.
inline constexpr int32_t kLineaMassima = 1000000;

// A fresh directory under the system's temporary directory, removed with
// everything in it at the end.
class CartellaTemporanea {
 public:
  CartellaTemporanea();
  ~CartellaTemporanea();
  CartellaTemporanea(const CartellaTemporanea&) = delete;
  CartellaTemporanea& operator=(const CartellaTemporanea&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The long scenario of `lunghezza` metres compiled, code track completed
// and slots stamped, as the writer receives it. Throws when anything fails.
Modello modello_lungo(int32_t lunghezza);

// A grid of `celle` cells with a slowdown every 2 km (start 1 600 m into
// each 2 km, 400 m long, with warning and pre-warning cells) and a signal
// every 1 km, placed as the train compile places them, the code track not
// yet run. Throws when a placement is refused.
std::vector<Cella> griglia_di_rallentamenti(int32_t celle);

// Bytes of a file.
uintmax_t dimensione(const std::filesystem::path& p);

}  // namespace scen::bench
