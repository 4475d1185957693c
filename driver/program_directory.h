// The directory that holds the running program's executable.
#pragma once

#include <string>

namespace scen {

struct Programma {
  std::string cartella;  // the directory, with the separator always appended
  std::string nome;      // the executable's file name
};

// Throws std::system_error when the platform cannot say.
Programma programma_in_esecuzione();

// "/usr/bin/scenario" -> {"/usr/bin/", "scenario"}; "/scenario" -> {"//", ...};
// with '\\', "C:\\scenario.exe" -> {"C:\\\\", "scenario.exe"}.
Programma dividi_percorso_eseguibile(const std::string& eseguibile, char separatore);

}  // namespace scen
