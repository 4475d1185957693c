#include "sources/embedded_scenario.h"

#include <stdexcept>

namespace scen {

std::vector<std::string> righe_di(std::string_view testo) {
  std::vector<std::string> righe;
  while (!testo.empty()) {
    const size_t fine = testo.find('\n');
    // A checkout that turned the tables' line ends into CR LF reads the same.
    std::string_view riga = testo.substr(0, fine);
    if (riga.ends_with('\r')) riga.remove_suffix(1);
    righe.emplace_back(riga);
    if (fine == std::string_view::npos) break;
    testo.remove_prefix(fine + 1);
  }
  return righe;
}

NomiScenario nomi_incorporati() {
  const auto righe = righe_di(incorporato::nomi());
  if (righe.size() < 2) throw std::logic_error("the scenario folder's nomi.txt needs two lines");
  return {righe[0], righe[1]};
}

}  // namespace scen
