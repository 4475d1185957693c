// Diagnostics as scenc prints them, in the form editors parse:
// FILE:LINE:COLUMN: LEVEL: TEXT, then the source line with a caret under
// the place. Numbered ones read " Errore n. N: ...", as the program shows
// them; warnings end with the flag that silences them.
#pragma once

#include <ostream>

#include "diagnostics/diagnostic.h"

namespace scenc {

// `utf8`: the sources' texts are UTF-8 rather than code page 1252.
void stampa_diagnostica(std::ostream& err, const scen::Diagnostic& d, bool utf8);

}  // namespace scenc
