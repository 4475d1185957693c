#include "tools/plot/plot_command.h"

#include <iostream>

#include "platform/embedded_module.h"
#include "platform/path_text.h"
#include "writer/compiled_writer.h"
#include "tools/cli/compile_command.h"
#include "tools/cli/exit_status.h"
#include "tools/plot/plot_format.h"
#include "tools/plot/plot_module.h"

namespace scenc {

CLI::App* aggiungi_plot(CLI::App& app, ArgomentiPlot& args, int& esito) {
  CLI::App* cmd = app.add_subcommand("plot", "Draw a compiled scenario: its track plan and its profile along the line");
  cmd->add_option("--route", args.route, "Route name (file names)")->required();
  cmd->add_option("--train", args.train, "Train name (file names)")->required();
  cmd->add_option("--dir", args.dir, "Directory of the three compiled files")
      ->type_name("DIR")
      ->capture_default_str();
  cmd->add_option("--out", args.out, "Picture to write: FILE.png, FILE.svg or FILE.pdf; - for standard output")
      ->type_name("FILE")
      ->required();
  cmd->add_option("--format", args.format, "Picture format, instead of the ending of --out (needed with --out -)")
      ->check(CLI::IsMember({"png", "svg", "pdf"}));
  CLI::Option* da = cmd->add_option("--from", args.from_km,
                                    "Draw only a stretch: from this km, as the plot's axis shows it "
                                    "(the kilometric progressive when the line has one)");
  CLI::Option* a = cmd->add_option("--to", args.to_km, "Draw only a stretch: to this km (either order)");
  da->type_name("KM");
  a->type_name("KM");
  da->needs(a);
  a->needs(da);
  cmd->callback([&] { esito = esegui_plot(args); });
  return cmd;
}

int esegui_plot(const ArgomentiPlot& args) {
  if (!nomi_validi(args.route, args.train)) return kUso;
  const auto formato = plot::formato_da_nome(args.format.empty() ? args.out : "picture." + args.format);
  if (!formato) {
    std::cerr << "scenc: " << (args.out == "-" ? "--out - needs --format png, svg or pdf"
                                               : "--out " + args.out +
                                                     ": the picture must end in .png, .svg or .pdf (or give --format)")
              << "\n";
    return kUso;
  }

  // The drawing needs cairo, which the package only recommends: without it,
  // no picture can be written, and the message says what to install.
  plot::DisegnaScenario* disegna = nullptr;
  try {
    disegna = scen::funzione_modulo<plot::DisegnaScenario>(
        {scen::incorporato::modulo_disegno_nome(), scen::incorporato::modulo_disegno()}, plot::kDisegnaScenario);
  } catch (const scen::ErroreModulo& e) {
    std::cerr << "scenc: cannot draw without cairo (install it: apt install libcairo2): " << e.what() << "\n";
    return kErroreRegistrato;
  }
  scen::Modello nomi;
  nomi.nome_percorso = args.route;
  nomi.nome_treno = args.train;
  return disegna(
      {scen::nomi_compilati(scen::path_from_utf8(args.dir), nomi), args.route, args.train, args.out, *formato, args.from_km, args.to_km});
}

}  // namespace scenc
