#include "tools/cli/sources_command.h"

#include <iostream>

#include "util/file_replace.h"
#include "util/cp1252.h"
#include "sources/embedded_scenario.h"
#include "sources/scenario_writers.h"
#include "tools/cli/exit_status.h"

namespace scenc {

CLI::App* aggiungi_sources(CLI::App& app, ArgomentiSorgenti& args, int& esito) {
  CLI::App* cmd = app.add_subcommand(
      "sources", "Write the embedded scenario's source files and documents, without compiling");
  cmd->add_option("--out", args.out, "Directory for the files")->capture_default_str();
  cmd->callback([&] { esito = esegui_sources(args); });
  return cmd;
}

int esegui_sources(const ArgomentiSorgenti& args) {
  const scen::NomiScenario nomi = scen::nomi_incorporati();
  const scen::Destinazione d{args.out + "/", nomi.percorso, nomi.treno};
  try {
    scen::scrivi_sorgenti_e_documenti(d);
  } catch (const scen::ErroreFile& e) {
    std::cerr << "scenc: cannot write " << e.file().string() << ": " << e.motivo() << "\n";
    return kErroreFile;
  }
  for (const std::string& f : {d.file("_linea.txt"), d.file_treno("-.txt"), d.file_treno("_note.txt"),
                               d.file_treno("_rallentamenti.txt"), d.file_treno("_scheda_treno.txt")})
    std::cout << "wrote " << f << "\n";
  return kOk;
}

}  // namespace scenc
