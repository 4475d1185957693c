// Signature help while a line is typed: the keyword's values, the one
// under the cursor marked.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/sections.h"

namespace scenc::lsp {

struct Firma {
  std::string etichetta;  // "segnale, pos, sx, ..."
  std::string documentazione;
  // Each value's place in the label (ASCII: the same in any encoding) and
  // its meaning.
  struct Parametro {
    int64_t inizio = 0, fine = 0;
    std::string documentazione;
  };
  std::vector<Parametro> parametri;
};

struct AiutoFirma {
  std::vector<Firma> firme;   // one for each keyword the line fires
  int64_t firma_attiva = 0;
  int64_t parametro_attivo = -1;  // -1: on the keyword itself
};

// Nothing on a line that fires no keyword.
std::optional<AiutoFirma> aiuto_firma(std::string_view riga, std::optional<scen::Ambito> ambito, int64_t colonna);

}  // namespace scenc::lsp
