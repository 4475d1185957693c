// memorizza_percorso: prepares the model, compiles both source files,
// completes the code track, stamps the reserved slots and writes the
// compiled files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

#include "compiler/compile.h"
#include "model/model.h"
#include "compiler/code_track.h"
#include "diagnostics/diagnostic.h"
#include "util/temporary_files.h"

namespace scen {

struct EsitoPercorso;

struct OpzioniPercorso {
  bool scrivi_linea = true;  // build and write the track plan
  SorgentiCompilazione sorgenti;
  std::filesystem::path cartella_uscita;
  // Write from whatever the model holds even when the compile failed.
  bool scrivi_con_errori = false;
  // false: compile and check only, write nothing.
  bool scrivi = true;
  // Called when another run is writing into the output directory, before
  // this one waits for it to finish.
  std::function<void()> in_attesa;
  // When set, asked once the compile is done and the files could be
  // written: false writes none and leaves earlier ones as they were.
  std::function<bool(const EsitoPercorso&)> conferma_scrittura;
  // When set, the temporaries of the compiled files are listed there while
  // they exist (for a signal that ends the run to remove them).
  TemporaryFiles* temporanei = nullptr;
};

struct EsitoPercorso {
  Diagnostica compilazione;       // the compile's own error, 0 when clean
  int32_t codice_errore = 0;      // the last number recorded: the code track's last conflict, else the compile's own
  int errore_riservato = 0;       // 1250 or 1251
  bool griglia = false;           // a grid was sized
  std::vector<ConflittoCodici> conflitti;  // the code track's errors, in order
  std::vector<std::filesystem::path> scritti;
  // What the run found, in order: the compile's error, then (when the
  // files are written after all) the code track's conflicts, a reserved
  // slot taken, a compiled file that could not be written.
  DiagnosticList diagnostiche;
};

// The model must hold the route and train names.
EsitoPercorso memorizza_percorso(Modello& m, const OpzioniPercorso& opzioni);

}  // namespace scen
