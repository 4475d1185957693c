// scenc: the command-line tool for scenario authors.
#include <CLI/CLI.hpp>
#include <iostream>

#include "platform/command_arguments.h"
#include "platform/standard_streams.h"
#include "tools/cli/compile_command.h"
#include "tools/cli/completion_command.h"
#include "tools/cli/help_command.h"
#include "tools/dump/dump_command.h"
#include "tools/cli/exit_status.h"
#include "tools/plot/plot_command.h"
#include "tools/cli/sources_command.h"
#include "tools/view/serve_command.h"
#include "tools/view/view_command.h"
#include "tools/lsp/lsp_command.h"

namespace {

// CLI11's error when the command line names no subcommand it knows.
bool sottocomando_mancante(const CLI::Error& e) {
  return e.get_name() == "RequiredError" && std::string_view(e.what()) == "A subcommand is required";
}

}  // namespace

int main(int argc_as_given, char** argv_as_given) {
  // Bytes in and out unchanged, UTF-8 on a console, and the words of the
  // command line as UTF-8 whatever the system's code page.
  const scen::platform::StandardStreamsSetup flussi;
  scen::platform::CommandArguments parole(argc_as_given, argv_as_given);
  const int argc = parole.argc();
  char** argv = parole.argv();
  CLI::App app{"scenc: compiles train-simulator scenarios and inspects compiled files", "scenc"};
  app.set_version_flag("--version", std::string("scenc ") + SCENC_VERSION);
  app.require_subcommand(1);

  int esito = scenc::kOk;
  scenc::ArgomentiCompilazione compile_args;
  scenc::aggiungi_compile(app, compile_args, esito, true);
  scenc::ArgomentiCompilazione check_args;
  scenc::aggiungi_compile(app, check_args, esito, false);
  scenc::ArgomentiSorgenti sources_args;
  scenc::aggiungi_sources(app, sources_args, esito);
  scenc::ArgomentiDump dump_args;
  scenc::aggiungi_dump(app, dump_args, esito);
  scenc::ArgomentiPlot plot_args;
  scenc::aggiungi_plot(app, plot_args, esito);
  scenc::ArgomentiVista view_args;
  scenc::aggiungi_view(app, view_args, esito);
  scenc::ArgomentiServizio serve_args;
  scenc::aggiungi_serve(app, serve_args, esito);
  scenc::aggiungi_lsp(app, esito);
  scenc::ArgomentiAiuto help_args;
  scenc::aggiungi_help(app, help_args, esito);
  scenc::ArgomentiCompletamento completion_args;
  scenc::aggiungi_completions(app, completion_args, esito);
  // `scenc` alone: CLI11's words, and where the subcommands are listed.
  app.failure_message([](const CLI::App* a, const CLI::Error& e) {
    if (sottocomando_mancante(e))
      return std::string(e.what()) + "\nRun 'scenc help' (or scenc --help) for the list of subcommands.\n";
    return CLI::FailureMessage::simple(a, e);
  });

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // A first word that is no subcommand: CLI11 would only say one is
    // required; `help` names the word and the subcommands there are.
    if (sottocomando_mancante(e) && argc > 1 && argv[1][0] != '-')
      return scenc::esegui_help(app, {argv[1]}, std::cout, std::cerr);
    const int codice = app.exit(e);
    return codice == 0 ? scenc::kOk : scenc::kUso;
  }
  return esito;
}
