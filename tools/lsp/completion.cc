#include "tools/lsp/completion.h"

#include "format/keywords.h"
#include "tools/lsp/hover.h"
#include "tools/lsp/line_context.h"

namespace scenc::lsp {

std::vector<Proposta> proposte(std::string_view riga, std::optional<scen::Ambito> ambito, scen::FileFormato f,
                               int64_t colonna) {
  std::vector<Proposta> out;
  if (campo_alla_colonna(riga, colonna) != 0) return out;
  // Before the first `[generale]` nothing is read: only headers.
  if (ambito) {
    for (const scen::ParolaChiave& p : scen::parole(*ambito)) {
      Proposta q;
      q.etichetta = std::string(p.scritta);
      q.dettaglio = firma_parola(p);
      q.documentazione = std::string(p.significato);
      q.snippet = std::string(p.scritta);
      int n = 1;
      for (const scen::CampoParola& c : p.campi)
        q.snippet += ", ${" + std::to_string(n++) + ":" + std::string(c.nome) + "}";
      out.push_back(std::move(q));
    }
  }
  for (const scen::DescrizioneSezione& s : scen::kSezioni) {
    if (s.file != f) continue;
    Proposta q;
    q.etichetta = std::string(s.intestazione);
    q.dettaglio = "section";
    q.documentazione = std::string(s.significato);
    q.snippet = std::string(s.intestazione);
    q.intestazione = true;
    out.push_back(std::move(q));
  }
  return out;
}

}  // namespace scenc::lsp
