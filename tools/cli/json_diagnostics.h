// Diagnostics for programs (`--diagnostics-format json`): one JSON array,
// each element a diagnostic with its level, code, place, message and the
// places it names. docs/diagnostics-json.md describes the form.
#pragma once

#include <ostream>
#include <vector>

#include "diagnostics/diagnostic.h"

namespace scenc {

// The diagnostics as a JSON array on one line, then a line end. Every text
// is written as UTF-8: `utf8` says whether the sources' texts, which
// messages quote, are UTF-8 already or code page 1252; a byte that is still
// not UTF-8 becomes U+FFFD.
void scrivi_diagnostiche_json(std::ostream& out, const std::vector<scen::Diagnostic>& diagnostiche, bool utf8);

}  // namespace scenc
