#include "tools/lsp/signature_help.h"

#include "tools/lsp/line_context.h"

namespace scenc::lsp {

std::optional<AiutoFirma> aiuto_firma(std::string_view riga, std::optional<scen::Ambito> ambito, int64_t colonna) {
  if (!ambito) return std::nullopt;
  const std::vector<const scen::ParolaChiave*> parole = parole_della_riga(riga, *ambito);
  if (parole.empty()) return std::nullopt;
  AiutoFirma a;
  for (const scen::ParolaChiave* p : parole) {
    Firma f;
    f.etichetta = std::string(p->scritta);
    f.documentazione = std::string(p->significato);
    for (const scen::CampoParola& c : p->campi) {
      f.etichetta += ", ";
      const auto inizio = static_cast<int64_t>(f.etichetta.size());
      f.etichetta += c.nome;
      std::string doc(c.significato);
      if (!c.unita.empty()) doc = "(" + std::string(c.unita) + ") " + doc;
      f.parametri.push_back({inizio, static_cast<int64_t>(f.etichetta.size()), std::move(doc)});
    }
    a.firme.push_back(std::move(f));
  }
  if (const std::optional<ValoreCampo> v = valore_del_campo(parole, campo_alla_colonna(riga, colonna))) {
    for (size_t i = 0; i < parole.size(); ++i)
      if (parole[i] == v->parola) a.firma_attiva = static_cast<int64_t>(i);
    a.parametro_attivo = v->indice;
  }
  return a;
}

}  // namespace scenc::lsp
