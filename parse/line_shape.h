// The shape of a data line, from the vocabulary: how many values its
// keyword takes and how many the line holds. The compile reads its sources
// as a stream of fields, so a line short of values reads on into the next
// line, and a line with values to spare hands them on as keywords; a line's
// shape tells the author so at the line itself.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "format/keywords.h"
#include "format/sections.h"

namespace scen {

struct FormaRiga {
  std::string parola;          // the keyword(s) as an author writes them, e.g. "segnale"
  int64_t attesi = 0;          // values the keyword takes
  int64_t presenti = 0;        // values the line holds (fields after the keyword)
  const CampoParola* primo_mancante = nullptr;  // the first value missing, when short
  int64_t colonna_fine = 0;    // the column just past the line's last byte
  // The keyword's field when it holds more than a keyword that carries
  // nothing in its field: "segnale;  66250", a comma gone.
  std::string campo_con_altro;
};

// The shape of the line `riga` (no line end) of the part `ambito` of its
// file; none when its first field is no keyword there, or a comment.
std::optional<FormaRiga> forma_riga(std::string_view riga, Ambito ambito);

// "`segnale` takes 11 values, this line has 10: `tempo` (s) is missing",
// or "... has 12: one value too many"; empty when the shape is right.
std::string testo_forma(const FormaRiga& f);

// The column where field `i` of a line starts (0: the keyword), its blanks
// skipped; 0 when the line has fewer fields.
int64_t colonna_del_campo(std::string_view riga, int64_t i);

// The value of a keyword line that starts at `colonna`, with its keyword;
// none when no value starts there.
struct ValoreRiga {
  const ParolaChiave* parola = nullptr;
  const CampoParola* campo = nullptr;
};
std::optional<ValoreRiga> valore_a(std::string_view riga, Ambito ambito, int64_t colonna);

}  // namespace scen
