#include "tools/lsp/hover.h"

#include <cstdint>
#include <vector>

#include "format/grid.h"
#include "parse/field_number.h"
#include "tools/lsp/line_context.h"

namespace scenc::lsp {

namespace {

std::string nome_e_unita(const scen::CampoParola& c) {
  std::string t = "`" + std::string(c.nome) + "`";
  if (!c.unita.empty()) t += " (" + std::string(c.unita) + ")";
  return t;
}

std::string testo_parole(const std::vector<const scen::ParolaChiave*>& parole) {
  std::string t;
  for (const scen::ParolaChiave* p : parole) {
    if (!t.empty()) t += "\n\n---\n\n";
    t += "**" + std::string(p->scritta) + "**: " + std::string(p->significato) + "\n\n";
    t += "`" + firma_parola(*p) + "`\n";
    if (!p->nella_parola.empty()) t += "\nIn the keyword: " + std::string(p->nella_parola) + "\n";
    int n = 1;
    for (const scen::CampoParola& c : p->campi)
      t += "\n" + std::to_string(n++) + ". " + nome_e_unita(c) + ": " + std::string(c.significato);
  }
  return t;
}

std::string testo_valore(const ValoreCampo& v, std::string_view campo, const Chilometrica& km) {
  const scen::CampoParola& c = *v.campo;
  std::string t = "**" + std::string(c.nome) + "**";
  if (!c.unita.empty()) t += " (" + std::string(c.unita) + ")";
  t += ": value " + std::to_string(v.indice + 1) + " of " + std::to_string(v.parola->campi.size()) + " of `" +
       std::string(v.parola->scritta) + "`\n\n" + std::string(c.significato) + "\n\n";
  if (c.larghezza == scen::Larghezza::testo) {
    t += "A text of up to " + std::to_string(c.massimo) + " bytes.";
  } else {
    t += "Range " + std::to_string(c.minimo) + " to " + std::to_string(c.massimo) + " (width " +
         std::string(scen::nome_larghezza(c.larghezza)) + ")";
    if (c.multiplo != 0) t += ", a multiple of " + std::to_string(c.multiplo);
    t += ".";
  }
  // Positions are read as 32-bit numbers.
  const std::optional<int64_t> letto = scen::field_number(campo);
  const std::optional<int64_t> posizione =
      letto && *letto >= INT32_MIN && *letto <= INT32_MAX ? letto : std::nullopt;
  if (c.posa != scen::PosaCella::nessuna) {
    if (const std::optional<int64_t> p = posizione) {
      const int64_t cella = scen::cella_di(c.posa, *p);
      t += "\n\nCell " + std::to_string(cella) + " (" + std::to_string(cella * scen::kMetriCella) +
           " m on the grid), where a position of " + std::to_string(scen::metri_di(c.posa, cella)) + " m goes too.";
    }
  }
  if (c.unita == "m" && km && c.nome != "lunghezza" && c.nome != "prog") {
    if (const std::optional<int64_t> p = posizione) {
      const std::string k = km(*p);
      if (!k.empty()) t += "\n\nAt " + k + " of the line's kilometric progressive.";
    }
  }
  return t;
}

// The text of field `i` of a line, blanks trimmed.
std::string_view campo_n(std::string_view riga, int64_t i) {
  for (; i > 0; --i) {
    const size_t v = riga.find(',');
    if (v == std::string_view::npos) return {};
    riga.remove_prefix(v + 1);
  }
  riga = riga.substr(0, std::min(riga.find(','), riga.size()));
  while (!riga.empty() && (riga.front() == ' ' || riga.front() == '\t')) riga.remove_prefix(1);
  while (!riga.empty() && (riga.back() == ' ' || riga.back() == '\t')) riga.remove_suffix(1);
  return riga;
}

}  // namespace

std::string firma_parola(const scen::ParolaChiave& p) {
  std::string t(p.scritta);
  for (const scen::CampoParola& c : p.campi) t += ", " + std::string(c.nome);
  return t;
}

std::optional<std::string> testo_hover(std::string_view riga, std::optional<scen::Ambito> ambito,
                                       scen::FileFormato f, int64_t colonna, const Chilometrica& km) {
  if (colonna < 0 || static_cast<size_t>(colonna) >= riga.size()) return std::nullopt;
  const int64_t i = campo_alla_colonna(riga, colonna);
  if (const scen::DescrizioneSezione* s = sezione_della_riga(riga, f); s && i == 0)
    return "**" + std::string(s->intestazione) + "**: " + std::string(s->significato);
  if (!ambito) return std::nullopt;
  const std::vector<const scen::ParolaChiave*> parole = parole_della_riga(riga, *ambito);
  if (parole.empty()) return std::nullopt;
  if (i == 0) return testo_parole(parole);
  const std::optional<ValoreCampo> v = valore_del_campo(parole, i);
  if (!v) return "A value to spare: `" + std::string(parole.back()->scritta) + "` takes no more.";
  return testo_valore(*v, campo_n(riga, i), km);
}

}  // namespace scenc::lsp
