// The warning about a source read as code page 1252 that holds UTF-8: a
// file saved as UTF-8 and compiled without `--input-encoding utf-8` has its
// names and texts stored garbled ("Magrè" as "MagrÃ¨").
#pragma once

#include <optional>

#include "tools/lint/lint.h"

namespace scenc {

// The warning at the first well-formed UTF-8 sequence of 2 to 4 bytes in the
// source's whole text; none when it holds none (plain ASCII, or code page
// 1252 text whose letters never line up into one) or was not read.
std::optional<AvvisoLint> avviso_utf8(const SorgenteLint& s);

}  // namespace scenc
