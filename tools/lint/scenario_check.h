// Everything a check finds in a pair of sources, in one list: the warnings
// (looked for beside the compile), the run's own diagnostics, then every
// error after the first. `scenc check`, `scenc compile` and the language
// server all ask it; each tells the result in its own way.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "diagnostics/diagnostic.h"
#include "run/all_errors.h"
#include "run/compile_and_write.h"
#include "tools/lint/lint.h"

namespace scenc {

struct RichiestaControllo {
  std::string route;
  std::string train;
  // The sources (their texts handed in, or read from their names) and what
  // the run writes; `scrivi = false` writes nothing.
  scen::OpzioniPercorso opzioni;
  std::vector<Avviso> attivi;      // the warnings wanted
  size_t avvisi_tenuti = SIZE_MAX;  // warnings kept at most
  size_t max_errori = 0;           // errors at most, the first counted; 0: no limit
  // Every warning, and a conflict of the code track, an error; the files
  // are then written only without any (or when `opzioni.scrivi_con_errori`).
  bool strict = false;
};

struct EsitoControllo {
  scen::EsitoPercorso percorso;
  EsitoLint avvisi;
  // The warnings kept, as diagnostics (errors with `strict`), in file order.
  std::vector<scen::Diagnostic> diagnostiche_avvisi;
  // The errors after the run's first (none when the run had no error).
  scen::AltriErrori altri;
};

EsitoControllo controlla_scenario(const RichiestaControllo& r);

}  // namespace scenc
