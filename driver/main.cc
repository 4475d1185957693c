// The scenario program: no input, no command line but --help and
// --version; it does its whole job in the directory that holds its
// executable.
#include <exception>
#include <iostream>

#include "driver/command_line.h"
#include "platform/command_arguments.h"
#include "platform/standard_streams.h"
#include "driver/form_load.h"
#include "driver/program_directory.h"
#include "platform/signal_cleanup.h"
#include "platform/window.h"
#include "util/temporary_files.h"

int main(int argc_as_given, char** argv_as_given) {
  const scen::platform::StandardStreamsSetup flussi;
  scen::platform::CommandArguments parole(argc_as_given, argv_as_given);
  const int argc = parole.argc();
  char** argv = parole.argv();
  if (const auto esito = scen::riga_di_comando(argc, argv, SCENC_VERSION, std::cout, std::cerr)) return *esito;
  try {
    // Ended by SIGINT, SIGTERM or SIGHUP, the run leaves no temporary and
    // no source behind. Taken before the window, which may start threads.
    scen::TemporaryFiles temporanei;
    const scen::SignalCleanup pulizia([&temporanei] { temporanei.remove_all_before_exit(); });
    const scen::Programma programma = scen::programma_in_esecuzione();
    const auto finestra = scen::platform::open_program_window(programma.nome);
    return scen::Form_Load(*finestra, programma, scen::nomi_incorporati(), std::cout, &temporanei);
  } catch (const std::exception& e) {
    std::cerr << "scenario: " << e.what() << "\n";
    return scen::kEsitoErroreFile;
  }
}
