// memorizza_dati: compiles the line source file and then the train source
// file into the model. Its outcome is the diagnostic it returns.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "parse/field_reader.h"
#include "compiler/plan_progress.h"
#include "model/model.h"

namespace scen {

struct SorgentiCompilazione {
  std::filesystem::path linea;
  std::filesystem::path treno;
  // The scenario program deletes the source files it wrote once they have
  // been read; a tool compiling an author's files leaves them alone.
  bool elimina_sorgenti = true;
  // Station names and board texts are written in UTF-8 and stored in code
  // page 1252; a character the code page lacks is a read failure.
  bool testi_utf8 = false;
};

enum class FileSorgente { nessuno, linea, treno };

// The line of a source file that placed an object in a cell.
struct OrigineOggetto {
  FileSorgente file = FileSorgente::nessuno;
  PosizioneCampo campo;  // the line's keyword field
};

// A kilometric progressive reference as the line file gives it (metres).
struct RiferimentoKm {
  int64_t posizione = 0;
  int64_t progressiva = 0;
};

// What the compile knows for its messages: the error it recorded, where,
// and what placed each object, so that a message can name it.
struct Diagnostica {
  int32_t codice = 0;
  FileSorgente file = FileSorgente::nessuno;
  PosizioneCampo campo;    // the field the error points at; line 0 when none
  std::string messaggio;   // what is wrong, in plain words, with the values involved
  std::map<int64_t, OrigineOggetto> origini;  // cell -> the line that placed its object
  std::vector<RiferimentoKm> riferimenti_km;  // the progressive references in use
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

// `osservatore`, when given, hears of the track plan's rows as they become
// final (see compiler/plan_progress.h).
Diagnostica memorizza_dati(Modello& m, const SorgentiCompilazione& sorgenti,
                           OsservatorePiano* osservatore = nullptr);

}  // namespace scen
