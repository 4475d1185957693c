// The working state that the two halves of the compile share.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "compiler/compile.h"
#include "parse/field_reader.h"
#include "compiler/plan_progress.h"
#include "model/model.h"

namespace scen {

struct StatoCompilazione {
  StatoCompilazione(Modello& modello, const SorgentiCompilazione& s, OsservatorePiano* osservatore)
      : m(modello), sorgenti(s), osservatore_piano(osservatore) {}

  Modello& m;
  const SorgentiCompilazione& sorgenti;
  OsservatorePiano* osservatore_piano;  // may be null
  std::unique_ptr<LettoreCampi> lettore;
  FileSorgente aperto = FileSorgente::nessuno;
  FileSorgente ultimo_aperto = FileSorgente::nessuno;  // the file the last field came from
  // The record the next text board takes; the limit of the station records.
  int32_t indice_cartello = 80;
  Diagnostica diagnostica;

  void apri(FileSorgente quale);
  // Closes the open source file and, for the scenario program, deletes it.
  void chiudi_ed_elimina();

  // The keyword field of the data line being compiled.
  PosizioneCampo campo_chiave;

  std::string& leggi_riga() { return m.riga = lettore->leggi_testo(); }
  // The next field, taken as the keyword of a data line.
  std::string& leggi_chiave() {
    leggi_riga();
    campo_chiave = qui();
    return m.riga;
  }
  int32_t numero() { return lettore->leggi_numero(); }
  // A number, and where its field starts.
  int32_t numero(PosizioneCampo& dove) {
    const int32_t n = lettore->leggi_numero();
    dove = qui();
    return n;
  }
  bool fine_file() { return lettore->fine_file(); }
  PosizioneCampo qui() const { return lettore ? lettore->ultimo_campo() : diagnostica.campo; }

  // Records an error: its number, what is wrong and the field it points at
  // (the last field read unless told).
  void registra(int32_t codice, std::string messaggio = {}, std::optional<PosizioneCampo> campo = {});
  // A text to store in a record, in the code page of the compiled files.
  std::string testo(const std::string& letto) const;

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
};

// Each half returns false when the compile ends there.
bool compila_linea(StatoCompilazione& st);
void compila_treno(StatoCompilazione& st);

// "curva", "pendenza", ... : is the field within the grid for a line at p?
bool fuori_griglia(const Modello& m, int64_t p, int64_t margine);

}  // namespace scen
