// The three compiled files: their names, and their writing, all or none.
#pragma once

#include <filesystem>
#include <vector>

#include "model/model.h"
#include "writer/plan_writer.h"

namespace scen {

struct NomiCompilati {
  std::filesystem::path linea_dat;  // <route>_linea.dat
  std::filesystem::path sim;        // <route>_<train>.sim
  std::filesystem::path dat;        // <route>_<train>.dat
};

NomiCompilati nomi_compilati(const std::filesystem::path& cartella, const Modello& m);

// Writes <route>_linea.dat (when `scrivi_linea` is set and the plan
// exists), the .sim and the .dat, each to a temporary file, and only when
// all were written puts them in place, in that order. When more than one
// cannot be written, the error told is the first one's in that order.
// The plan's file is `plan_writer`'s, which may have heard of the plan
// while it was computed, or else one made here; either way it is finished
// while the .sim and the .dat are written. With `temporanei`, the
// temporaries are listed there, and the three are put in place without an
// ending signal between them. Returns the files written; throws ErroreFile.
std::vector<std::filesystem::path> scrivi_compilati(const Modello& m, const std::filesystem::path& cartella,
                                                    PlanWriter* plan_writer = nullptr,
                                                    TemporaryFiles* temporanei = nullptr);

}  // namespace scen
