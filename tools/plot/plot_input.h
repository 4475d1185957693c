// The three compiled files of a scenario, read back for drawing through the
// image decoder.
#pragma once

#include <array>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/model.h"
#include "platform/path_text.h"
#include "writer/compiled_writer.h"

namespace scenc::plot {

struct ScenarioCompilato {
  std::vector<scen::Cella> celle;
  std::array<scen::RecordSim, scen::kNumeroRecord> dati_sim;
  scen::TabellaLinea tabella_linea;
};

// A compiled file that is missing, unreadable or corrupt; the message names
// the file, and the byte offset for a corrupt one.
class ErroreIngresso : public std::runtime_error {
 public:
  ErroreIngresso(const std::filesystem::path& file, const std::string& motivo)
      : std::runtime_error(scen::utf8_of(file) + ": " + motivo), file_(file) {}
  const std::filesystem::path& file() const { return file_; }

 private:
  std::filesystem::path file_;
};

// Reads <route>_linea.dat, <route>_<train>.sim and <route>_<train>.dat.
ScenarioCompilato leggi_scenario_compilato(const scen::NomiCompilati& nomi);

}  // namespace scenc::plot
