// The whole life of the scenario program: show the window, write the
// sources and documents, compile, write the compiled files.
#pragma once

#include <ostream>
#include <string>

#include "driver/program_directory.h"
#include "platform/window.h"
#include "sources/embedded_scenario.h"
#include "util/temporary_files.h"

namespace scen {

// Exit statuses of the scenario program.
inline constexpr int kEsitoPulito = 0;
inline constexpr int kEsitoErrore = 1;      // an error number was shown
inline constexpr int kEsitoErroreFile = 3;  // a file could not be written, or the program's directory is refused

// Works in the program's own directory, unless it is refused there
// (driver/run_place.h): then the window says why and nothing is written.
// Each file left behind is named on `uscita`, one "wrote FILE" line each.
int Form_Load(platform::ProgramWindow& finestra, const Programma& programma, const NomiScenario& nomi,
              std::ostream& uscita, TemporaryFiles* temporanei = nullptr);

}  // namespace scen
