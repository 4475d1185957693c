// The module's side of `scenc plot` (tools/plot/plot_module.h).
#include "platform/module_entry.h"
#include "tools/plot/plot_module.h"

#include <iostream>
#include <stdexcept>

#include "util/file_replace.h"
#include "tools/cli/exit_status.h"
#include "tools/plot/plot_features.h"
#include "tools/plot/plot_input.h"
#include "tools/plot/plot_page.h"
#include "tools/plot/plot_progressive.h"
#include "tools/plot/plot_stretch.h"
#include "tools/plot/plot_surface.h"

namespace scenc::plot {

namespace {

// A compiled file missing, unreadable or corrupt.
constexpr int kIngressoIllegibile = 1;

int disegna(const Disegno& disegno) {
  ScenarioCompilato scenario;
  ElementiLinea elementi;
  try {
    scenario = leggi_scenario_compilato(disegno.compilati);
    elementi = estrai_elementi(scenario.celle, scenario.dati_sim);
  } catch (const ErroreIngresso& e) {
    std::cerr << "scenc: cannot read " << e.what() << "\n";
    return kIngressoIllegibile;
  } catch (const std::runtime_error& e) {
    std::cerr << "scenc: " << e.what() << "\n";
    return kIngressoIllegibile;
  }
  const Progressiva progressiva = progressiva_da(scenario.dati_sim);
  Estensione tratto{0, elementi.lunghezza};
  if (disegno.da_km && disegno.a_km) {
    std::string errore;
    const auto chiesto = estensione_da_km(*disegno.da_km, *disegno.a_km, progressiva, elementi.lunghezza, errore);
    if (!chiesto) {
      std::cerr << "scenc: " << errore << "\n";
      return kUso;
    }
    tratto = *chiesto;
  }

  try {
    scrivi_immagine(scen::path_from_utf8(disegno.out), disegno.formato, kLarghezzaPagina, kAltezzaPagina, [&](const Tela& tela) {
      disegna_pagina(tela, {disegno.percorso, disegno.treno}, scenario.tabella_linea, elementi, progressiva, tratto);
    });
  } catch (const scen::ErroreFile& e) {
    std::cerr << "scenc: cannot write " << scen::utf8_of(e.file()) << ": " << e.motivo() << "\n";
    return kErroreFile;
  }
  if (disegno.out != "-") std::cout << "wrote " << disegno.out << "\n";
  return kOk;
}

}  // namespace

}  // namespace scenc::plot

SCEN_MODULE_ENTRY int scenc_plot_disegna(const scenc::plot::Disegno& disegno) {
  return scenc::plot::disegna(disegno);
}
