#include "tools/lsp/semantic_tokens.h"

#include <optional>

#include "parse/parsed_source.h"
#include "tools/lsp/line_context.h"
#include "tools/lsp/position_encoding.h"

namespace scenc::lsp {

namespace {

enum Tipo : uint32_t { parola, sezione, numero, testo, commento };

uint32_t modificatori(const scen::CampoParola& c) {
  if (c.unita == "m") return 1u << 0;
  if (c.unita == "km/h") return 1u << 1;
  if (c.unita == "h" || c.unita == "min" || c.unita == "s") return 1u << 2;
  return 0;
}

}  // namespace

std::vector<Token> token_semantici(scen::FileFormato f, std::string_view testo_intero) {
  std::vector<Token> out;
  const LineIndex indice(testo_intero);
  const std::vector<std::optional<scen::Ambito>> ambiti = ambiti_delle_righe(f, testo_intero);
  for (size_t n = 0; n < indice.righe(); ++n) {
    const std::string_view riga = indice.riga(testo_intero, n);
    if (riga.empty()) continue;
    const auto r = static_cast<int64_t>(n);
    const std::vector<scen::FieldSpan> campi = scen::split_fields(riga);
    const auto token = [&](const scen::FieldSpan& c, uint32_t tipo, uint32_t mod = 0) {
      if (c.colonna_fine > c.colonna) out.push_back({r, c.colonna - 1, c.colonna_fine - c.colonna, tipo, mod});
    };
    if (sezione_della_riga(riga, f)) {
      token(campi[0], sezione);
      continue;
    }
    const std::vector<const scen::ParolaChiave*> parole =
        ambiti[n] ? parole_della_riga(riga, *ambiti[n]) : std::vector<const scen::ParolaChiave*>{};
    if (parole.empty()) {
      // Not read, or read as a comment.
      out.push_back({r, 0, static_cast<int64_t>(riga.size()), commento, 0});
      continue;
    }
    token(campi[0], parola);
    for (size_t i = 1; i < campi.size(); ++i) {
      const std::optional<ValoreCampo> v = valore_del_campo(parole, static_cast<int64_t>(i));
      if (!v) break;
      if (v->campo->larghezza == scen::Larghezza::testo)
        token(campi[i], testo);
      else
        token(campi[i], numero, modificatori(*v->campo));
    }
  }
  return out;
}

}  // namespace scenc::lsp
