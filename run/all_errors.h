// Every error of a run that failed, not only the first: the errors a check
// finds by going on after each, placed after the run's own, and a note on
// a later error that may follow from an earlier one.
#pragma once

#include <cstddef>

#include "compiler/compile.h"
#include "diagnostics/diagnostic.h"
#include "model/model.h"

namespace scen {

struct AltriErrori {
  std::vector<Diagnostic> errori;  // after the run's first, in the order found
  bool troncati = false;           // more were there than `massimo` allowed
};

// The errors after `primo` (the run's own error, which the program shows),
// up to `massimo` in all, `primo` counted (0: no limit). `nomi` gives the
// route and train names and whether the track plan is built.
AltriErrori altri_errori(const Diagnostic& primo, const Modello& nomi, const SorgentiCompilazione& sorgenti,
                         size_t massimo);

}  // namespace scen
