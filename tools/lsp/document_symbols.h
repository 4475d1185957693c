// The outline of a source: its sections, and in them the lines an author
// looks for: stations by name, signals, slowdowns, boards, cut-down points.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "format/sections.h"

namespace scenc::lsp {

struct Simbolo {
  std::string nome;
  std::string dettaglio;
  bool sezione = false;
  int64_t riga = 0, riga_fine = 0;  // 0-based, the last included
  int64_t colonna = 0, colonna_fine = 0;  // the keyword's or header's field, on `riga`
  std::vector<Simbolo> figli;
};

// Lines in code page 1252; columns count characters.
std::vector<Simbolo> simboli(scen::FileFormato f, std::string_view testo);

}  // namespace scenc::lsp
