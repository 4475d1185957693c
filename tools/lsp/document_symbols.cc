#include "tools/lsp/document_symbols.h"

#include <optional>

#include "parse/parsed_source.h"
#include "tools/lsp/line_context.h"
#include "tools/lsp/position_encoding.h"

namespace scenc::lsp {

namespace {

// The keywords shown in the outline, and which of their values names them.
bool nel_sommario(scen::Parola p) {
  switch (p) {
    case scen::Parola::stazione:
    case scen::Parola::segnale:
    case scen::Parola::rallentamento:
    case scen::Parola::abbattimento:
    case scen::Parola::cartello_indicatore:
    case scen::Parola::indicatori_vmax:
    case scen::Parola::curva:
      return true;
    default:
      return false;
  }
}

}  // namespace

std::vector<Simbolo> simboli(scen::FileFormato f, std::string_view testo) {
  std::vector<Simbolo> out;
  const LineIndex indice(testo);
  const std::vector<std::optional<scen::Ambito>> ambiti = ambiti_delle_righe(f, testo);
  const auto chiudi = [&out](int64_t riga) {
    if (!out.empty()) out.back().riga_fine = std::max(out.back().riga, riga);
  };
  for (size_t n = 0; n < indice.righe(); ++n) {
    const std::string_view riga = indice.riga(testo, n);
    const auto r = static_cast<int64_t>(n);
    if (riga.find('[') != std::string_view::npos) {
      if (const scen::DescrizioneSezione* s = sezione_della_riga(riga, f)) {
        chiudi(r - 1);
        const std::vector<scen::FieldSpan> campi = scen::split_fields(riga);
        out.push_back({std::string(s->intestazione), std::string(s->significato), true, r, r,
                       campi[0].colonna - 1, campi[0].colonna_fine - 1, {}});
        continue;
      }
    }
    if (!ambiti[n] || out.empty()) continue;
    const std::vector<const scen::ParolaChiave*> parole = parole_della_riga(riga, *ambiti[n]);
    if (parole.size() != 1 || !nel_sommario(parole[0]->id)) continue;
    const std::vector<scen::FieldSpan> campi = scen::split_fields(riga);
    const std::string pos = campi.size() > 1 ? std::string(campi[1].testo) : "";
    Simbolo s{std::string(parole[0]->scritta), "", false, r, r, campi[0].colonna - 1, campi[0].colonna_fine - 1, {}};
    if (parole[0]->id == scen::Parola::stazione && campi.size() > parole[0]->campi.size()) {
      s.nome = std::string(campi[parole[0]->campi.size()].testo);
      s.dettaglio = pos + " m";
    } else if (parole[0]->id == scen::Parola::cartello_indicatore && campi.size() > 2) {
      s.nome = std::string(campi[2].testo);
      s.dettaglio = pos + " m";
    } else {
      s.nome += " " + pos + " m";
    }
    if (s.nome.empty()) s.nome = std::string(parole[0]->scritta);
    out.back().figli.push_back(std::move(s));
  }
  chiudi(static_cast<int64_t>(indice.righe()) - 1);
  return out;
}

}  // namespace scenc::lsp
