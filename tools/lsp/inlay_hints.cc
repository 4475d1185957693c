#include "tools/lsp/inlay_hints.h"

#include "tools/lsp/line_context.h"

namespace scenc::lsp {

std::vector<NomeCampo> nomi_dei_campi(std::string_view riga, std::optional<scen::Ambito> ambito) {
  std::vector<NomeCampo> nomi;
  if (!ambito) return nomi;
  const std::vector<const scen::ParolaChiave*> parole = parole_della_riga(riga, *ambito);
  if (parole.empty()) return nomi;
  int64_t i = 0;
  for (size_t inizio = 0;; ++i) {
    const size_t virgola = riga.find(',', inizio);
    if (i > 0) {
      const std::optional<ValoreCampo> v = valore_del_campo(parole, i);
      if (!v) break;
      size_t c = inizio;
      while (c < riga.size() && (riga[c] == ' ' || riga[c] == '\t')) ++c;
      nomi.push_back({static_cast<int64_t>(c), std::string(v->campo->nome) + ":"});
    }
    if (virgola == std::string_view::npos) break;
    inizio = virgola + 1;
  }
  return nomi;
}

}  // namespace scenc::lsp
