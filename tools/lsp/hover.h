// What hovering over a source shows: on a value, its field's name, unit,
// range and meaning, and for a position the cell it goes into; on a
// keyword, what the line is and its values in order; on a header, the
// section.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "format/keywords.h"

namespace scenc::lsp {

// Markdown for the character at `colonna` (0-based) of `riga` (code page
// 1252), read in part `ambito` of a file of kind `f`; none where there is
// nothing to tell.
// `km` gives the kilometric progressive at a position ("km 23.640"), or
// nothing.
using Chilometrica = std::function<std::string(int64_t metri)>;
std::optional<std::string> testo_hover(std::string_view riga, std::optional<scen::Ambito> ambito,
                                       scen::FileFormato f, int64_t colonna, const Chilometrica& km = {});

// The line of a keyword and its values, "segnale, pos, sx, ...".
std::string firma_parola(const scen::ParolaChiave& p);

}  // namespace scenc::lsp
