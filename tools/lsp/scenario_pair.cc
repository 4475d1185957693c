#include "tools/lsp/scenario_pair.h"

#include <string_view>

namespace scenc::lsp {

namespace {

constexpr std::string_view kSuffissoLinea = "_linea.txt";
constexpr std::string_view kSuffissoTreno = "-.txt";

bool finisce_con(std::string_view s, std::string_view fine) {
  return s.size() >= fine.size() && s.substr(s.size() - fine.size()) == fine;
}

}  // namespace

std::optional<CoppiaScenario> coppia_di(const std::string& percorso, const VistaFile& vista,
                                        const std::string& preferito) {
  const size_t barra = percorso.rfind('/');
  const std::string cartella = barra == std::string::npos ? "" : percorso.substr(0, barra + 1);
  const std::string nome = percorso.substr(cartella.size());
  CoppiaScenario c;
  if (finisce_con(nome, kSuffissoLinea) && nome.size() > kSuffissoLinea.size()) {
    c.route = nome.substr(0, nome.size() - kSuffissoLinea.size());
    c.linea = percorso;
    const std::string prefisso = c.route + "_";
    std::vector<std::string> treni;
    for (const std::string& f : vista.nella_cartella(cartella))
      if (f.size() > prefisso.size() + kSuffissoTreno.size() && f.starts_with(prefisso) && finisce_con(f, kSuffissoTreno))
        treni.push_back(f);
    if (treni.empty()) return c;
    std::string scelto = treni.front();
    for (const std::string& t : treni)
      if (cartella + t == preferito) scelto = t;
    c.treno = cartella + scelto;
    c.train = scelto.substr(prefisso.size(), scelto.size() - prefisso.size() - kSuffissoTreno.size());
    return c;
  }
  if (!finisce_con(nome, kSuffissoTreno)) return std::nullopt;
  const std::string base = nome.substr(0, nome.size() - kSuffissoTreno.size());
  // The route is the longest part before an underscore whose line file is
  // there; route and train names may both hold underscores.
  std::optional<size_t> scelto;
  for (size_t i = base.rfind('_'); i != std::string::npos && i > 0; i = base.rfind('_', i - 1)) {
    if (i + 1 == base.size()) continue;
    if (!scelto) scelto = i;  // the last underscore, when no line file is found
    if (vista.esiste(cartella + base.substr(0, i) + std::string(kSuffissoLinea))) {
      scelto = i;
      break;
    }
  }
  if (!scelto) return std::nullopt;
  c.route = base.substr(0, *scelto);
  c.train = base.substr(*scelto + 1);
  c.linea = cartella + c.route + std::string(kSuffissoLinea);
  c.treno = percorso;
  return c;
}

}  // namespace scenc::lsp
