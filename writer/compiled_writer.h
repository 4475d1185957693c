// The reserved slots, the format markers and check codes stamped into them,
// and the three compiled files.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "format/cell_kinds.h"
#include "format/errors.h"
#include "format/records.h"
#include "model/model.h"
#include "util/file_replace.h"

namespace scen {

// The numbers `timbra` returns. The markers it stamps are the format's:
// kMarcatoreSim (format/records.h) and kMarcatoreDat (format/cell_kinds.h).
inline constexpr int kErroreMarcatore = numero(Errore::marcatore);
inline constexpr int kErroreCodiceControllo = numero(Errore::codice_controllo);

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

// The plan's file written elsewhere (see writer/plan_writer.h), asked for
// once it is needed: null when there is none. Throws ErroreFile.
using LineaPronta = std::function<std::unique_ptr<SostituzionePreparata>()>;

// Writes <route>_linea.dat (when `scrivi_linea` is set and the plan
// exists), the .sim and the .dat, each replaced whole, and puts them in
// place in that order. `linea_pronta`, when given, gives the plan's file;
// it is asked for after the .sim and .dat are written, which can go on
// while it is finished. Either way, when more than one file cannot be
// written, the error told is the first one's in that order. Returns the
// files written; throws ErroreFile.
std::vector<std::filesystem::path> scrivi_compilati(const Modello& m, const std::filesystem::path& cartella,
                                                    const LineaPronta& linea_pronta = nullptr);

}  // namespace scen
