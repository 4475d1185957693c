// Where a line of a source stands for the compile: the part of its file it
// is read in, the keywords its first field fires, and the value a column
// falls in. Lines are given in code page 1252, a byte per character.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "format/keywords.h"
#include "format/sections.h"

namespace scenc::lsp {

// The file a source is, by its name; none for neither.
std::optional<scen::FileFormato> formato_da_nome(std::string_view percorso);

// The part of the file each line (0-based) is read in; none for the lines
// up to and with the first `[generale]`, which the compile does not read.
std::vector<std::optional<scen::Ambito>> ambiti_delle_righe(scen::FileFormato f, std::string_view testo);

// The keywords a line's first field fires, in the order the compile runs
// them; none for a comment or a field that is no keyword there.
std::vector<const scen::ParolaChiave*> parole_della_riga(std::string_view riga, scen::Ambito a);

// The section a header line names, if it is one of the file's headers.
const scen::DescrizioneSezione* sezione_della_riga(std::string_view riga, scen::FileFormato f);

// The value a line's field `i` (1: the first after the keyword) is, among
// the values of the keywords fired in turn.
struct ValoreCampo {
  const scen::ParolaChiave* parola = nullptr;
  const scen::CampoParola* campo = nullptr;
  int64_t indice = 0;  // 0-based among the keyword's own values
};
std::optional<ValoreCampo> valore_del_campo(const std::vector<const scen::ParolaChiave*>& parole, int64_t i);

// The field a column (0-based characters) stands in: the commas before it.
int64_t campo_alla_colonna(std::string_view riga, int64_t colonna);

}  // namespace scenc::lsp
