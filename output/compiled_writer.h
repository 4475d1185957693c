// The reserved slots, the format markers and check codes stamped into them,
// and the three compiled files.
#pragma once

#include <filesystem>
#include <memory>
#include <vector>

#include "model/model.h"
#include "output/file_replace.h"

namespace scen {

inline constexpr int kErroreMarcatore = 1250;
inline constexpr int kErroreCodiceControllo = 1251;
inline constexpr int16_t kMarcatoreSim = 610;
inline constexpr int16_t kMarcatoreDat = 5121;

struct NomiCompilati {
  std::filesystem::path linea_dat;  // <route>_linea.dat
  std::filesystem::path sim;        // <route>_<train>.sim
  std::filesystem::path dat;        // <route>_<train>.dat
};

NomiCompilati nomi_compilati(const std::filesystem::path& cartella, const Modello& m);

// Checks the four reserved slots and stamps markers and check codes.
// Returns 0, or 1250 / 1251 when compiled data has reached a slot (the
// model is then left as the check found it). Needs the grid.
int timbra(Modello& m);

// Writes <route>_linea.dat (when `scrivi_linea` is nonzero and the plan
// exists), the .sim and the .dat, in that order, each replaced whole.
// `linea_pronta`, when given, is the plan's file already written (see
// output/plan_writer.h). Returns the files written; throws ErroreFile.
std::vector<std::filesystem::path> scrivi_compilati(
    const Modello& m, const std::filesystem::path& cartella,
    std::unique_ptr<SostituzionePreparata> linea_pronta = nullptr);

}  // namespace scen
