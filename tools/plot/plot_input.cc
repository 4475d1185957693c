#include "tools/plot/plot_input.h"

#include "model/image_reader.h"
#include "util/regular_file.h"

namespace scenc::plot {

namespace {

std::string leggi_file(const std::filesystem::path& p, size_t massimo) {
  std::string byte, perche;
  if (!scen::read_regular_file(p, massimo, byte, perche)) throw ErroreIngresso(p, perche);
  return byte;
}

template <typename Decodifica>
auto decodifica(const std::filesystem::path& p, size_t massimo, Decodifica d) {
  const std::string byte = leggi_file(p, massimo);
  try {
    return d(byte);
  } catch (const scen::ErroreDecodifica& e) {
    throw ErroreIngresso(p, std::string("corrupt ") + e.what());
  }
}

}  // namespace

ScenarioCompilato leggi_scenario_compilato(const scen::NomiCompilati& nomi) {
  ScenarioCompilato s;
  s.tabella_linea = decodifica(nomi.linea_dat, scen::kMassimoTabellaLinea, scen::leggi_immagine_tabella_linea);
  s.dati_sim = decodifica(nomi.sim, scen::kMassimoDatiSim, scen::leggi_immagine_dati_sim);
  s.celle = decodifica(nomi.dat, scen::kMassimoCelle, scen::leggi_immagine_celle);
  if (s.celle.empty()) throw ErroreIngresso(nomi.dat, "corrupt at byte 0: the cell grid is empty");
  return s;
}

}  // namespace scenc::plot
