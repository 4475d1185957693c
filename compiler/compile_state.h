// The working state that the two halves of the compile share: the source
// file being read, the keyword of the data line being compiled, and what
// the compile has recorded.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "compiler/compile.h"
#include "compiler/failure_sink.h"
#include "compiler/plan_progress.h"
#include "model/model.h"
#include "diagnostics/diagnostic.h"
#include "format/keywords.h"
#include "format/sections.h"
#include "parse/field_reader.h"

namespace scen {

struct StatoDopoLinea;

struct StatoCompilazione final : FailureSink {
  StatoCompilazione(Modello& modello, const SorgentiCompilazione& s, OsservatorePiano* osservatore,
                    DiagnosticList* lista = nullptr)
      : m(modello), sorgenti(s), osservatore_piano(osservatore), diagnostiche(lista) {}

  // A compile that goes on after an error, for a check that reports them
  // all: each error is appended to `trovati` as it is recorded, and the
  // reading goes on from the line after the one that failed (see
  // `riprendi`), until `massimo` errors (0: no limit). Its model is of no
  // use but to the check.
  struct Recupero {
    std::vector<Diagnostic> trovati;
    size_t massimo = 0;
  };
  Recupero* recupero = nullptr;

  Modello& m;
  const SorgentiCompilazione& sorgenti;
  OsservatorePiano* osservatore_piano;  // may be null
  DiagnosticList* diagnostiche;         // may be null
  FileSorgente aperto = FileSorgente::nessuno;
  FileSorgente ultimo_aperto = FileSorgente::nessuno;  // the file the last field came from
  // The record the next text board takes; the limit of the station records.
  int32_t indice_cartello = 80;
  Diagnostica diagnostica;

  // Reads the source into memory (or takes the text handed over) and
  // starts reading its fields. False after a read failure (recorded).
  bool apri(FileSorgente quale);
  // Closes the open source file and, for the scenario program, deletes it.
  void chiudi_ed_elimina();

  // The keyword of the data line being compiled, and its field.
  std::string chiave;
  PosizioneCampo campo_chiave;
  // The part of its file being read; none before the lines are.
  std::optional<Ambito> ambito;

  // The reads. Each returns false on a read failure, which it has recorded
  // (see `guasto`), and then leaves its target as it was; after a failure
  // every read fails.
  bool leggi_testo(std::string& testo);
  // The next field, taken as the keyword of a data line: `chiave`.
  bool leggi_chiave();
  bool numero(int32_t& valore);
  // A number, and where its field starts.
  bool numero(int32_t& valore, PosizioneCampo& dove);
  // True when no further field can be read: the end of the file, or after
  // a read failure (`fallita()` tells them apart).
  bool fine_file();
  PosizioneCampo qui() const { return lettore_ ? lettore_->last_field() : diagnostica.campo; }

  // Records a read failure (error 25) at the last field read; the compile
  // ends there. Only the first one counts.
  void guasto(std::string messaggio) override;
  // The same at a place of its own.
  void guasto(std::string messaggio, PosizioneCampo campo);
  bool fallita() const { return fallita_; }

  // In a compile that goes on after errors, with an error recorded since
  // the reading last went on: the reading goes on from the line after the
  // one whose keyword failed (or whose keyword could not be read), the
  // failure forgotten. False otherwise, or when enough errors are found.
  bool riprendi();
  // True in a compile that goes on after errors.
  bool recupera() const { return recupero != nullptr; }

  // Records an error: its number, what is wrong and the field it points at
  // (the last field read unless told).
  void registra(int32_t codice, std::string messaggio = {}, std::optional<PosizioneCampo> campo = {},
                std::optional<int64_t> cella_presa = {});
  // The recorded error as a diagnostic: the source's name, the range of
  // the field it points at.
  Diagnostic come_diagnostica(const Diagnostica& d) const;
  // A text to store in a record, in the code page of the compiled files;
  // false on a read failure (a character the code page lacks, at its field;
  // a byte that is not UTF-8, at the byte).
  bool testo(const std::string& letto, std::string& codificato);

  // The progressive lines of the general section, for the end-of-compile check.
  struct RigaProgressiva {
    PosizioneCampo campo;
    int32_t posizione = 0;
    int32_t progressiva = 0;
  };
  std::vector<RigaProgressiva> righe_progressive;

  // Remembers that the current line placed an object in `cella`.
  void origine(int64_t cella) { diagnostica.origini[cella] = {aperto, campo_chiave}; }

  const std::filesystem::path& percorso(FileSorgente quale) const {
    return quale == FileSorgente::linea ? sorgenti.linea : sorgenti.treno;
  }

  // After a read failure: every file closed, the sources that still exist
  // deleted.
  void chiudi_dopo_guasto();

  // What the line-file half leaves to the train-file half, and a fresh
  // state (of another model) taking it over.
  StatoDopoLinea dopo_linea() const;
  void riprendi_dopo_linea(const StatoDopoLinea& s);

 private:
  // The field reader over the open source's text (kept in `diagnostica`).
  std::optional<FieldReader> lettore_;
  bool fallita_ = false;
  bool da_riprendere_ = false;     // an error recorded since the reading last went on
  int64_t riga_chiave_ = 0;        // the line of the keyword being compiled
  std::optional<size_t> ripreso_da_;  // where the open source's reading last went on
};

// Everything of StatoCompilazione but its model and sources, as the
// line-file half left it: the file closed, no failure.
struct StatoDopoLinea {
  Diagnostica diagnostica;
  int32_t indice_cartello = 0;
  std::vector<StatoCompilazione::RigaProgressiva> righe_progressive;
  FileSorgente aperto = FileSorgente::nessuno;
  FileSorgente ultimo_aperto = FileSorgente::nessuno;
  std::string chiave;
  PosizioneCampo campo_chiave;
  std::optional<Ambito> ambito;
  int64_t riga_chiave = 0;
};

// The data lines of a source, each keyword field (after up to the comment
// fields the part `ambito` allows in a row) handed to `riga`, until `riga`
// returns anything but `Esito::continua`, which is returned, or the end of
// the file: `a_fine`, or `guasto` when a read failed.
template <class Esito, class Riga>
Esito leggi_righe(StatoCompilazione& st, Ambito ambito, Esito a_fine, Esito guasto, const Riga& riga) {
  st.ambito = ambito;
  const auto alla_fine = [&] { return st.fallita() ? guasto : a_fine; };
  for (;;) {
    if (st.fine_file()) return alla_fine();
    if (!st.leggi_chiave()) {
      if (st.riprendi()) continue;
      return guasto;
    }
    if (st.fine_file()) return alla_fine();
    bool ripresa = false;
    for (int i = 0; i < commenti_di_seguito(ambito) && !ripresa; ++i) {
      if (contiene(st.chiave, kSegnoCommento)) {
        if (!st.leggi_chiave()) {
          if (!st.riprendi()) return guasto;
          ripresa = true;
          break;
        }
        if (st.fine_file()) return alla_fine();
      }
    }
    if (ripresa) continue;
    const Esito e = riga(st.chiave);
    if (e != Esito::continua && !st.riprendi()) return e;
  }
}

// Each half returns false when the compile ends there.
bool compila_linea(StatoCompilazione& st);
void compila_treno(StatoCompilazione& st);

// "curva", "pendenza", ... : is the field within the grid for a line at p?
bool fuori_griglia(const Modello& m, int64_t p, int64_t margine);

}  // namespace scen
