#include "tools/cli/completion_command.h"

#include <iostream>
#include <utility>

#include "tools/cli/completion_scripts.h"
#include "tools/cli/exit_status.h"
#include "tools/cli/output_directory.h"
#include "util/file_replace.h"

namespace scenc {

namespace {

int scrivi_script(const CLI::App& app, const std::string& cartella) {
  if (const int stato = prepara_cartella_uscita(cartella); stato != kOk) return stato;
  const TabellaCompletamento t = tabella_completamento(app);
  const std::pair<const char*, std::string> script[] = {
      {"scenc", script_bash(t)}, {"_scenc", script_zsh(t)}, {"scenc.fish", script_fish(t)}};
  for (const auto& voce : script) {
    const std::string& testo = voce.second;
    try {
      scen::sostituisci_file(scen::path_from_utf8(cartella + "/" + voce.first), [&testo](scen::ByteSink& s) { s.bytes(testo); });
    } catch (const scen::ErroreFile& e) {
      std::cerr << "scenc: cannot write " << scen::utf8_of(e.file()) << ": " << e.motivo() << "\n";
      return kErroreFile;
    }
  }
  return kOk;
}

}  // namespace

CLI::App* aggiungi_completions(CLI::App& app, ArgomentiCompletamento& args, int& esito) {
  CLI::App* cmd = app.add_subcommand("__completions", "Write the shells' completion scripts into DIR");
  cmd->group("");  // for the build, not for users
  cmd->add_option("DIR", args.out, "Directory for the scripts")->required()->type_name("DIR");
  cmd->callback([&app, &args, &esito] { esito = scrivi_script(app, args.out); });
  return cmd;
}

}  // namespace scenc
