#include "parse/line_shape.h"

#include <vector>

#include "parse/parsed_source.h"

namespace scen {

namespace {

// The keywords the first field of `campi` fires, in the order the compile
// runs them; none for a comment.
std::vector<const ParolaChiave*> parole_della_riga(const std::vector<FieldSpan>& campi, Ambito ambito) {
  std::vector<const ParolaChiave*> out;
  if (campi.empty() || campi[0].testo.empty() || contiene(campi[0].testo, kSegnoCommento)) return out;
  for (const ParolaChiave& p : parole(ambito))
    if (corrisponde(p, campi[0].testo)) out.push_back(&p);
  return out;
}

std::string unita_e_ambito(const CampoParola& c) {
  std::string t = "`" + std::string(c.nome) + "`";
  if (!c.unita.empty()) t += " (" + std::string(c.unita) + ")";
  return t;
}

}  // namespace

std::optional<FormaRiga> forma_riga(std::string_view riga, Ambito ambito) {
  const std::vector<FieldSpan> campi = split_fields(riga);
  const std::vector<const ParolaChiave*> parole = parole_della_riga(campi, ambito);
  if (parole.empty()) return std::nullopt;
  FormaRiga f;
  f.presenti = static_cast<int64_t>(campi.size()) - 1;
  f.colonna_fine = static_cast<int64_t>(riga.size()) + 1;
  for (const ParolaChiave* p : parole) {
    if (!f.parola.empty()) f.parola += "` and `";
    f.parola += p->scritta;
    for (const CampoParola& c : p->campi) {
      if (f.attesi == f.presenti && !f.primo_mancante) f.primo_mancante = &c;
      ++f.attesi;
    }
  }
  if (f.presenti >= f.attesi) f.primo_mancante = nullptr;
  if (parole.size() == 1 && parole[0]->nella_parola.empty() && campi[0].testo.size() != parole[0]->scritta.size())
    f.campo_con_altro = std::string(campi[0].testo);
  return f;
}

std::string testo_forma(const FormaRiga& f) {
  if (f.presenti == f.attesi) return {};
  std::string t = "`" + f.parola + "` takes " + std::to_string(f.attesi) + (f.attesi == 1 ? " value" : " values") +
                  ", this line has " + std::to_string(f.presenti);
  if (f.primo_mancante) {
    t += ": " + unita_e_ambito(*f.primo_mancante) + (f.attesi - f.presenti == 1 ? " is missing" : " and what follows are missing");
    if (!f.campo_con_altro.empty()) t += "; its keyword's field reads `" + f.campo_con_altro + "`: a comma missing?";
    return t;
  }
  const int64_t in_piu = f.presenti - f.attesi;
  return t + ": " + (in_piu == 1 ? "one value" : std::to_string(in_piu) + " values") +
         " too many, which the compile reads as keywords";
}

std::optional<ValoreRiga> valore_a(std::string_view riga, Ambito ambito, int64_t colonna) {
  const std::vector<FieldSpan> campi = split_fields(riga);
  const std::vector<const ParolaChiave*> parole = parole_della_riga(campi, ambito);
  size_t i = 1;
  for (const ParolaChiave* p : parole) {
    for (const CampoParola& c : p->campi) {
      if (i < campi.size() && campi[i].colonna == colonna) return ValoreRiga{p, &c};
      ++i;
    }
  }
  return std::nullopt;
}

}  // namespace scen
