// memorizza_dati: compiles the line source file and then the train source
// file into the model. Its outcome is the diagnostic it returns.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "compiler/plan_progress.h"
#include "diagnostics/diagnostic.h"
#include "format/errors.h"
#include "format/sections.h"
#include "model/kilometric_progressive.h"
#include "model/model.h"
#include "parse/parsed_source.h"

namespace scen {

struct SorgentiCompilazione {
  // Each source's name; it is read from there when the compile reaches it,
  // unless a caller hands its text over below (an editor's buffer, a test).
  std::filesystem::path linea;
  std::filesystem::path treno;
  // The scenario program deletes the source files it wrote once they have
  // been read; a tool compiling an author's files leaves them alone.
  bool elimina_sorgenti = true;
  // Station names and board texts are written in UTF-8 and stored in code
  // page 1252; a character the code page lacks, or a byte that is not
  // UTF-8, is a read failure.
  bool testi_utf8 = false;
  std::shared_ptr<const std::string> testo_linea = {};
  std::shared_ptr<const std::string> testo_treno = {};
  // The longest line the compile takes, in metres; a longer one is error
  // 3. Only the fuzz targets ask for less, to keep their runs short.
  int32_t lunghezza_massima = 1000000;
};

enum class FileSorgente { nessuno, linea, treno };

// The line of a source file that placed an object in a cell.
struct OrigineOggetto {
  FileSorgente file = FileSorgente::nessuno;
  PosizioneCampo campo;  // the line's keyword field
};

// What the compile ended with: the error it recorded (also in the list of
// diagnostics it was given), where, what placed each object, so that a
// message can name it, and the sources as it read them.
struct Diagnostica {
  int32_t codice = 0;
  FileSorgente file = FileSorgente::nessuno;
  PosizioneCampo campo;    // the field the error points at; line 0 when none
  std::string messaggio;   // what is wrong, in plain words, with the values involved
  std::map<int64_t, OrigineOggetto> origini;  // cell -> the line that placed its object
  std::vector<RiferimentoKm> riferimenti_km;  // the progressive references in use
  std::optional<int64_t> cella_presa;         // the cell whose occupant the error names
  PosizioneCampo campo_chiave;                // the keyword of the line being compiled
  std::optional<Ambito> ambito;               // the part of its file being read
  std::optional<ParsedSource> linea;  // the sources read, as they were read
  std::optional<ParsedSource> treno;
};

// Error numbers of the compile.
namespace errori {
inline constexpr int kLineaMancante = numero(Errore::linea_mancante);
inline constexpr int kSenzaGenerale = numero(Errore::senza_generale);
inline constexpr int kCurvaNonValida = numero(Errore::curva_non_valida);
inline constexpr int kLunghezzaEccessiva = numero(Errore::lunghezza_eccessiva);
inline constexpr int kProgressivaNonMultipla = numero(Errore::progressiva_non_multipla);
inline constexpr int kRipetizioneInizio = numero(Errore::ripetizione_inizio);
inline constexpr int kRipetizioneFine = numero(Errore::ripetizione_fine);
inline constexpr int kRipetizioneCodici = numero(Errore::ripetizione_codici);
inline constexpr int kCartelloOccupato = numero(Errore::cartello_occupato);
inline constexpr int kAbbattimentoOccupato = numero(Errore::abbattimento_occupato);
inline constexpr int kStazioneNonMultipla = numero(Errore::stazione_non_multipla);
inline constexpr int kLunghezzaStazione = numero(Errore::lunghezza_stazione);
inline constexpr int kTroppeStazioni = numero(Errore::troppe_stazioni);
inline constexpr int kFuoriGriglia = numero(Errore::fuori_griglia);
inline constexpr int kStazioniVicine = numero(Errore::stazioni_vicine);
inline constexpr int kFermataInizioLinea = numero(Errore::fermata_inizio_linea);
}  // namespace errori

// `diagnostiche`, when given, gets the compile's error appended as well;
// `osservatore`, when given, hears of the track plan's rows as they become
// final (see compiler/plan_progress.h).
Diagnostica memorizza_dati(Modello& m, const SorgentiCompilazione& sorgenti,
                           OsservatorePiano* osservatore = nullptr, DiagnosticList* diagnostiche = nullptr);

// The compile in its two halves, for a caller that compiles many train
// files with one line file (the train file's fuzz target): the line-file
// half once, then the train-file half from what it left, each time on a
// copy of the model it filled. memorizza_treno then ends as memorizza_dati
// would have on the same sources.
struct StatoDopoLinea;  // compiler/compile_state.h
// Null when the compile ended in the line file: `d` holds how.
std::shared_ptr<const StatoDopoLinea> memorizza_linea(Modello& m, const SorgentiCompilazione& sorgenti,
                                                      Diagnostica& d);
Diagnostica memorizza_treno(Modello& m, const SorgentiCompilazione& sorgenti, const StatoDopoLinea& linea);

// For a check that reports every error, not only the first: the sources
// compiled again into a model of their own, going on after each error from
// the line after the one that failed, up to `massimo` errors (0: no
// limit). The first error is the one memorizza_dati stops at, found the
// same way; the others may follow from an earlier one. `nomi` gives the
// route and train names and whether the track plan is built.
std::vector<Diagnostic> errori_dopo_il_primo(const Modello& nomi, const SorgentiCompilazione& sorgenti,
                                             size_t massimo);

}  // namespace scen
