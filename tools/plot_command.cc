#include "tools/plot_command.h"

#include <iostream>
#include <stdexcept>

#include "output/compiled_writer.h"
#include "output/file_replace.h"
#include "tools/compile_command.h"
#include "tools/exit_status.h"
#include "tools/plot_features.h"
#include "tools/plot_input.h"
#include "tools/plot_page.h"
#include "tools/plot_progressive.h"
#include "tools/plot_surface.h"

namespace scenc {

namespace {

// A compiled file missing, unreadable or corrupt.
constexpr int kIngressoIllegibile = 1;

}  // namespace

CLI::App* aggiungi_plot(CLI::App& app, ArgomentiPlot& args, int& esito) {
  CLI::App* cmd = app.add_subcommand("plot", "Draw a compiled scenario: its track plan and its profile along the line");
  cmd->add_option("--route", args.route, "Route name (file names)")->required();
  cmd->add_option("--train", args.train, "Train name (file names)")->required();
  cmd->add_option("--dir", args.dir, "Directory of the three compiled files")->capture_default_str();
  cmd->add_option("--out", args.out, "Picture to write: FILE.png, FILE.svg or FILE.pdf")
      ->required()
      ->check(CLI::Validator(
          [](std::string& file) {
            return plot::formato_da_nome(file) ? std::string()
                                               : "the picture must end in .png, .svg or .pdf: " + file;
          },
          "FILE.png|.svg|.pdf"));
  cmd->callback([&] { esito = esegui_plot(args); });
  return cmd;
}

int esegui_plot(const ArgomentiPlot& args) {
  if (!nome_valido(args.route) || !nome_valido(args.train)) {
    std::cerr << "scenc: route and train names must not contain '/'\n";
    return kUso;
  }
  const auto formato = plot::formato_da_nome(args.out);
  if (!formato) {
    std::cerr << "scenc: the picture must end in .png, .svg or .pdf: " << args.out << "\n";
    return kUso;
  }

  scen::Modello nomi;
  nomi.nome_percorso = args.route;
  nomi.nome_treno = args.train;
  plot::ScenarioCompilato scenario;
  plot::ElementiLinea elementi;
  try {
    scenario = plot::leggi_scenario_compilato(scen::nomi_compilati(args.dir, nomi));
    elementi = plot::estrai_elementi(scenario.celle, scenario.dati_sim);
  } catch (const plot::ErroreIngresso& e) {
    std::cerr << "scenc: cannot read " << e.what() << "\n";
    return kIngressoIllegibile;
  } catch (const std::runtime_error& e) {
    std::cerr << "scenc: " << e.what() << "\n";
    return kIngressoIllegibile;
  }
  const plot::Progressiva progressiva = plot::progressiva_da(scenario.dati_sim);

  try {
    plot::scrivi_immagine(args.out, *formato, plot::kLarghezzaPagina, plot::kAltezzaPagina, [&](cairo_t* cr) {
      plot::disegna_pagina(cr, {args.route, args.train}, scenario.tabella_linea, elementi, progressiva);
    });
  } catch (const scen::ErroreFile& e) {
    std::cerr << "scenc: cannot write " << e.file().string() << ": " << e.motivo() << "\n";
    return kErroreFile;
  }
  std::cout << "wrote " << args.out << "\n";
  return kOk;
}

}  // namespace scenc
