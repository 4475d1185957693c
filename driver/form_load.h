// The whole life of the scenario program: show the window, write the
// sources and documents, compile, write the compiled files.
#pragma once

#include <string>

#include "driver/window.h"
#include "sources/embedded_scenario.h"

namespace scen {

// Exit statuses of the scenario program.
inline constexpr int kEsitoPulito = 0;
inline constexpr int kEsitoErrore = 1;      // an error number was shown
inline constexpr int kEsitoErroreFile = 3;  // a file could not be written

// `cartella` is the program directory with its separator appended.
int Form_Load(Finestra& finestra, const std::string& cartella, const NomiScenario& nomi);

}  // namespace scen
