#include "driver/program_directory.h"

#include "platform/executable_path.h"

namespace scen {

Programma dividi_percorso_eseguibile(const std::string& eseguibile, char separatore) {
  const size_t barra = eseguibile.rfind(separatore);
  std::string cartella = barra == std::string::npos ? "." : eseguibile.substr(0, barra);
  // A root keeps its own separator, and the separator is still appended:
  // "/" then gives "//", a drive's root "C:\" gives "C:\\".
  if (cartella.empty() || (separatore == '\\' && cartella.size() == 2 && cartella[1] == ':'))
    cartella += separatore;
  return {cartella + separatore, eseguibile.substr(barra == std::string::npos ? 0 : barra + 1)};
}

Programma programma_in_esecuzione() {
  return dividi_percorso_eseguibile(platform::running_executable(), platform::path_separator());
}

}  // namespace scen
