// Diagnostics as scenc prints them, in the form editors parse:
// FILE:LINE:COLUMN: LEVEL: TEXT, then the source line with a caret under
// the place. Numbered ones read " Errore n. N: ...", as the program shows
// them; warnings end with the flag that silences them (with --strict, as
// errors: "[--strict,--FLAG]").
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

#include "diagnostics/diagnostic.h"

namespace scenc {

// A line of a source, for the excerpt under a diagnostic: the text the
// compile read, where it has it.
using RigaSorgente = std::function<std::string(const std::string& file, int64_t linea)>;

// `utf8`: the sources' texts are UTF-8 rather than code page 1252.
void stampa_diagnostica(std::ostream& err, const scen::Diagnostic& d, bool utf8, const RigaSorgente& riga);

}  // namespace scenc
