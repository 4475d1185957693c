// memorizza_dati: compiles the line source file and then the train source
// file into the model. Its outcome is the model's `codice_errore`.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "compiler/field_reader.h"
#include "model/model.h"

namespace scen {

struct SorgentiCompilazione {
  std::filesystem::path linea;
  std::filesystem::path treno;
  // The scenario program deletes the source files it wrote once they have
  // been read; a tool compiling an author's files leaves them alone.
  bool elimina_sorgenti = true;
};

enum class FileSorgente { nessuno, linea, treno };

// Where the compile was when it recorded its error.
struct Diagnostica {
  int32_t codice = 0;
  FileSorgente file = FileSorgente::nessuno;
  PosizioneCampo campo;   // start of the last field read; 0 when none was
  std::string dettaglio;  // what failed, for read failures
};

// Error numbers of the compile.
namespace errori {
inline constexpr int kLineaMancante = 101;
inline constexpr int kSenzaGenerale = 102;
inline constexpr int kCurvaNonValida = 103;
inline constexpr int kLunghezzaEccessiva = 1;
inline constexpr int kProgressivaNonMultipla = 2;
inline constexpr int kRipetizioneInizio = 3;
inline constexpr int kRipetizioneFine = 4;
inline constexpr int kRipetizioneCodici = 5;
inline constexpr int kCartelloOccupato = 6;
inline constexpr int kAbbattimentoOccupato = 7;
inline constexpr int kStazioneNonMultipla = 8;
inline constexpr int kLunghezzaStazione = 9;
inline constexpr int kTroppeStazioni = 10;
inline constexpr int kFuoriGriglia = 15;
inline constexpr int kStazioniVicine = 22;
inline constexpr int kFermataInizioLinea = 24;
}  // namespace errori

Diagnostica memorizza_dati(Modello& m, const SorgentiCompilazione& sorgenti);

}  // namespace scen
