// What completion offers at the start of a line: the keywords read in
// that part of the file, and the file's section headers, each with a
// snippet of its values as placeholders.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/sections.h"

namespace scenc::lsp {

struct Proposta {
  std::string etichetta;
  std::string dettaglio;
  std::string documentazione;
  std::string snippet;
  bool intestazione = false;
};

// Nothing once the cursor is past the line's first field.
std::vector<Proposta> proposte(std::string_view riga, std::optional<scen::Ambito> ambito, scen::FileFormato f,
                               int64_t colonna);

}  // namespace scenc::lsp
