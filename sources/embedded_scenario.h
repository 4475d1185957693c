// The scenario this build carries: its names and the five text tables,
// embedded from the scenario folder at build time (UTF-8, one table line per
// line).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace scen {

namespace incorporato {
std::string_view nomi();  // route name, then train name, one per line
std::string_view linea();
std::string_view treno();
std::string_view note();
std::string_view rallentamenti();
std::string_view scheda_treno();
}  // namespace incorporato

// The lines of an embedded table; a final line end closes the last line.
std::vector<std::string> righe_di(std::string_view testo);

struct NomiScenario {
  std::string percorso;
  std::string treno;
};

NomiScenario nomi_incorporati();

}  // namespace scen
