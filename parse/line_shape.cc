#include "parse/line_shape.h"

#include <algorithm>
#include <vector>

namespace scen {

namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }

// The first field of a line, its blanks trimmed. Only what the checks need
// of a line is looked at: a hostile line of millions of commas is counted,
// not split.
std::string_view primo_campo(std::string_view riga) {
  std::string_view t = riga.substr(0, std::min(riga.find(','), riga.size()));
  while (!t.empty() && blank(t.front())) t.remove_prefix(1);
  while (!t.empty() && blank(t.back())) t.remove_suffix(1);
  return t;
}

// The keywords the first field fires, in the order the compile runs them;
// none for a comment.
std::vector<const ParolaChiave*> parole_della_riga(std::string_view primo, Ambito ambito) {
  std::vector<const ParolaChiave*> out;
  if (primo.empty() || contiene(primo, kSegnoCommento)) return out;
  for (const ParolaChiave& p : parole(ambito))
    if (corrisponde(p, primo)) out.push_back(&p);
  return out;
}

std::string nome_e_unita(const CampoParola& c) {
  std::string t = "`" + std::string(c.nome) + "`";
  if (!c.unita.empty()) t += " (" + std::string(c.unita) + ")";
  return t;
}

}  // namespace

std::optional<FormaRiga> forma_riga(std::string_view riga, Ambito ambito) {
  const std::string_view primo = primo_campo(riga);
  const std::vector<const ParolaChiave*> parole = parole_della_riga(primo, ambito);
  if (parole.empty()) return std::nullopt;
  FormaRiga f;
  f.presenti = static_cast<int64_t>(std::count(riga.begin(), riga.end(), ','));
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
  if (parole.size() == 1 && parole[0]->nella_parola.empty() && primo.size() != parole[0]->scritta.size())
    f.campo_con_altro = std::string(primo);
  return f;
}

std::string testo_forma(const FormaRiga& f) {
  if (f.presenti == f.attesi) return {};
  std::string t = "`" + f.parola + "` takes " + std::to_string(f.attesi) + (f.attesi == 1 ? " value" : " values") +
                  ", this line has " + std::to_string(f.presenti);
  if (f.primo_mancante) {
    t += ": " + nome_e_unita(*f.primo_mancante) +
         (f.attesi - f.presenti == 1 ? " is missing" : " and what follows are missing");
    if (!f.campo_con_altro.empty()) t += "; its keyword's field reads `" + f.campo_con_altro + "`: a comma missing?";
    return t;
  }
  const int64_t in_piu = f.presenti - f.attesi;
  return t + ": " + (in_piu == 1 ? "one value" : std::to_string(in_piu) + " values") +
         " too many, which the compile reads as keywords";
}

int64_t colonna_del_campo(std::string_view riga, int64_t i) {
  size_t inizio = 0;
  for (int64_t k = 0; k < i; ++k) {
    const size_t virgola = riga.find(',', inizio);
    if (virgola == std::string_view::npos) return 0;
    inizio = virgola + 1;
  }
  while (inizio < riga.size() && blank(riga[inizio])) ++inizio;
  return static_cast<int64_t>(inizio) + 1;
}

std::optional<ValoreRiga> valore_a(std::string_view riga, Ambito ambito, int64_t colonna) {
  if (colonna < 1 || static_cast<size_t>(colonna) > riga.size() + 1) return std::nullopt;
  const std::vector<const ParolaChiave*> parole = parole_della_riga(primo_campo(riga), ambito);
  // The field that holds the column: as many commas before it.
  const auto prima = riga.substr(0, static_cast<size_t>(colonna - 1));
  const auto i = static_cast<int64_t>(std::count(prima.begin(), prima.end(), ','));
  if (i == 0 || colonna_del_campo(riga, i) != colonna) return std::nullopt;
  int64_t n = 1;
  for (const ParolaChiave* p : parole)
    for (const CampoParola& c : p->campi)
      if (n++ == i) return ValoreRiga{p, &c};
  return std::nullopt;
}

}  // namespace scen
