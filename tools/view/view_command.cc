#include "tools/view/view_command.h"

#include <iostream>

#include "tools/cli/compile_command.h"
#include "tools/cli/exit_status.h"
#include "tools/view/view_input.h"
#include "tools/view/view_json.h"
#include "tools/view/view_page.h"
#include "util/file_replace.h"
#include "util/standard_output.h"

namespace scenc {

CLI::App* aggiungi_view(CLI::App& app, ArgomentiVista& args, int& esito) {
  CLI::App* cmd = app.add_subcommand(
      "view", "Write one self-contained HTML page of a scenario: track plan, profile, objects and diagnostics");
  cmd->add_option("--route", args.route, "Route name")->required();
  cmd->add_option("--train", args.train, "Train name")->required();
  cmd->add_option("--dir", args.dir, "Directory of the sources (or, with --compiled, of the compiled files)")
      ->type_name("DIR")
      ->capture_default_str();
  cmd->add_option("--out", args.out, "Page to write: FILE.html, or - for standard output")
      ->type_name("FILE")
      ->required();
  cmd->add_flag("--compiled", args.compiled,
                "Show the three compiled files in the directory instead of compiling the sources");
  aggiungi_codifica_ingresso(cmd, args.input_encoding);
  cmd->callback([&] { esito = esegui_view(args); });
  return cmd;
}

int esegui_view(const ArgomentiVista& args) {
  if (!nomi_validi(args.route, args.train)) return kUso;
  const view::RichiestaVista richiesta{args.route, args.train, scen::path_from_utf8(args.dir),
                                            args.input_encoding == "utf-8"};
  const view::LetturaVista letta =
      args.compiled ? view::vista_da_compilati(richiesta) : view::vista_da_sorgenti(richiesta);
  if (!letta.scenario) {
    std::cerr << "scenc: " << letta.errore << "\n";
    return kErroreFile;
  }
  const std::string pagina = view::pagina_html(view::json_vista(*letta.scenario));
  try {
    scen::scrivi_file_o_uscita(scen::path_from_utf8(args.out), [&](scen::ByteSink& uscita) { uscita.bytes(pagina); });
  } catch (const scen::ErroreFile& e) {
    std::cerr << "scenc: cannot write " << scen::utf8_of(e.file()) << ": " << e.motivo() << "\n";
    return kErroreFile;
  }
  size_t errori = 0;
  for (const scen::Diagnostic& d : letta.scenario->diagnostiche) errori += d.level == scen::Level::error;
  if (errori > 0)
    std::cerr << "scenc: the page lists " << errori << (errori == 1 ? " error" : " errors") << " of the compile\n";
  if (args.out != "-") std::cout << "wrote " << args.out << "\n";
  return kOk;
}

}  // namespace scenc
