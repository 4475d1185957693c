#include "tools/lsp/line_context.h"

#include <algorithm>

#include "tools/lsp/position_encoding.h"

namespace scenc::lsp {

namespace {

std::string_view primo_campo(std::string_view riga) {
  std::string_view t = riga.substr(0, std::min(riga.find(','), riga.size()));
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

bool ha_campo_con(std::string_view riga, auto&& prova) {
  while (true) {
    const size_t virgola = riga.find(',');
    if (prova(riga.substr(0, virgola))) return true;
    if (virgola == std::string_view::npos) return false;
    riga.remove_prefix(virgola + 1);
  }
}

bool finisce_con(std::string_view s, std::string_view fine) {
  return s.size() >= fine.size() && s.substr(s.size() - fine.size()) == fine;
}

}  // namespace

std::optional<scen::FileFormato> formato_da_nome(std::string_view percorso) {
  if (finisce_con(percorso, "_linea.txt")) return scen::FileFormato::linea;
  if (finisce_con(percorso, "-.txt")) return scen::FileFormato::treno;
  return std::nullopt;
}

std::vector<std::optional<scen::Ambito>> ambiti_delle_righe(scen::FileFormato f, std::string_view testo) {
  const LineIndex indice(testo);
  std::vector<std::optional<scen::Ambito>> ambiti(indice.righe());
  std::optional<scen::Ambito> attuale;
  for (size_t n = 0; n < indice.righe(); ++n) {
    const std::string_view riga = indice.riga(testo, n);
    if (!attuale) {
      if (ha_campo_con(riga, [](std::string_view c) { return scen::contiene_nocase(c, scen::kInizioLettura); }))
        attuale = f == scen::FileFormato::linea ? scen::Ambito::generale_linea : scen::Ambito::treno;
      continue;
    }
    if (*attuale == scen::Ambito::generale_linea &&
        ha_campo_con(riga, [](std::string_view c) { return c.find('[') != c.npos && c.find(']') != c.npos; }))
      attuale = scen::Ambito::dati_linea;
    ambiti[n] = attuale;
  }
  return ambiti;
}

std::vector<const scen::ParolaChiave*> parole_della_riga(std::string_view riga, scen::Ambito a) {
  std::vector<const scen::ParolaChiave*> out;
  const std::string_view primo = primo_campo(riga);
  if (primo.empty() || scen::contiene(primo, scen::kSegnoCommento)) return out;
  for (const scen::ParolaChiave& p : scen::parole(a))
    if (scen::corrisponde(p, primo)) out.push_back(&p);
  return out;
}

const scen::DescrizioneSezione* sezione_della_riga(std::string_view riga, scen::FileFormato f) {
  const std::string_view primo = primo_campo(riga);
  if (primo.empty() || primo.front() != '[') return nullptr;
  for (const scen::DescrizioneSezione& s : scen::kSezioni)
    if (s.file == f && primo.size() == s.intestazione.size() && scen::contiene_nocase(primo, s.intestazione))
      return &s;
  return nullptr;
}

std::optional<ValoreCampo> valore_del_campo(const std::vector<const scen::ParolaChiave*>& parole, int64_t i) {
  if (i < 1) return std::nullopt;
  int64_t n = 1;
  for (const scen::ParolaChiave* p : parole)
    for (size_t k = 0; k < p->campi.size(); ++k)
      if (n++ == i) return ValoreCampo{p, &p->campi[k], static_cast<int64_t>(k)};
  return std::nullopt;
}

int64_t campo_alla_colonna(std::string_view riga, int64_t colonna) {
  const std::string_view prima = riga.substr(0, static_cast<size_t>(std::clamp<int64_t>(colonna, 0, static_cast<int64_t>(riga.size()))));
  return static_cast<int64_t>(std::count(prima.begin(), prima.end(), ','));
}

}  // namespace scenc::lsp
