// The names shown before a line's values, so that a line of bare numbers
// reads like a record: `segnale, pos: 66250, sx: 1, ...`.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/sections.h"

namespace scenc::lsp {

struct NomeCampo {
  int64_t colonna = 0;  // 0-based character where the value starts
  std::string etichetta;  // "pos:"
};

// For a line (code page 1252) read in part `ambito`, each value's name.
std::vector<NomeCampo> nomi_dei_campi(std::string_view riga, std::optional<scen::Ambito> ambito);

}  // namespace scenc::lsp
