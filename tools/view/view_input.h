// What the page of `scenc view` shows of a scenario: its grid, its general
// records and its track plan, where each object came from in the sources,
// and the diagnostics of its compile. Taken either from the sources,
// compiled in memory (nothing written), or from the three compiled files.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "diagnostics/diagnostic.h"
#include "model/model.h"

namespace scenc::view {

// The source line that placed an object: its file's name, its number and
// its text (bytes as read).
struct RigaOrigine {
  std::string file;
  int64_t linea = 0;
  std::string testo;
};

struct ScenarioVista {
  std::string percorso;
  std::string treno;
  bool da_compilati = false;  // read from compiled files: no source lines
  bool testi_utf8 = false;    // the source lines' texts are UTF-8 already
  std::vector<scen::Cella> celle;
  std::array<scen::RecordSim, scen::kNumeroRecord> dati_sim{};
  std::optional<scen::TabellaLinea> tabella_linea;
  std::map<int64_t, RigaOrigine> origini;  // cell -> the line that placed its object
  std::map<int, RigaOrigine> origini_stazioni;  // station record -> its line of the train file
  std::vector<scen::Diagnostic> diagnostiche;
  std::map<std::pair<std::string, int64_t>, std::string> righe_diagnostiche;  // (file, line) -> its text
};

struct RichiestaVista {
  std::string percorso;
  std::string treno;
  std::filesystem::path cartella = ".";
  bool testi_utf8 = false;
};

// A scenario, or why none could be had (a compiled file missing or corrupt).
struct LetturaVista {
  std::optional<ScenarioVista> scenario;
  std::string errore;
};

// Compiles <route>_linea.txt and <route>_<train>-.txt of the folder in
// memory, with every error and warning `scenc check` reports. A compile
// that fails still gives what it placed before the error.
LetturaVista vista_da_sorgenti(const RichiestaVista& r);

// Reads <route>_linea.dat, <route>_<train>.sim and <route>_<train>.dat.
LetturaVista vista_da_compilati(const RichiestaVista& r);

}  // namespace scenc::view
