// The reserved slots of cell 1 and record 85: the format markers and the
// check codes stamped into them once the compile and the code track are
// done.
#pragma once

#include "format/cell_kinds.h"
#include "format/errors.h"
#include "format/records.h"
#include "model/model.h"

namespace scen {

// The numbers `timbra` returns. The markers it stamps are the format's:
// kMarcatoreSim (format/records.h) and kMarcatoreDat (format/cell_kinds.h).
inline constexpr int kErroreMarcatore = numero(Errore::marcatore);
inline constexpr int kErroreCodiceControllo = numero(Errore::codice_controllo);

// Checks the four reserved slots and stamps markers and check codes.
// Returns 0, or 1250 / 1251 when compiled data has reached a slot (the
// model is then left as the check found it). Needs the grid.
int timbra(Modello& m);

}  // namespace scen
