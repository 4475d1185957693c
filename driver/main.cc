// The scenario program: no command line, no input; it does its whole job in
// the directory that holds its executable.
#include <exception>
#include <iostream>

#include "driver/form_load.h"
#include "driver/program_directory.h"
#include "driver/window.h"

int main() {
  try {
    const scen::Programma programma = scen::programma_in_esecuzione();
    const auto finestra = scen::apri_finestra(programma.nome);
    return scen::Form_Load(*finestra, programma.cartella, scen::nomi_incorporati());
  } catch (const std::exception& e) {
    std::cerr << "scenario: " << e.what() << "\n";
    return scen::kEsitoErroreFile;
  }
}
