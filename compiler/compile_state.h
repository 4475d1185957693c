// The working state that the two halves of the compile share.
#pragma once

#include <memory>
#include <string>

#include "compiler/compile.h"
#include "compiler/field_reader.h"
#include "model/model.h"

namespace scen {

struct StatoCompilazione {
  StatoCompilazione(Modello& modello, const SorgentiCompilazione& s) : m(modello), sorgenti(s) {}

  Modello& m;
  const SorgentiCompilazione& sorgenti;
  std::unique_ptr<LettoreCampi> lettore;
  FileSorgente aperto = FileSorgente::nessuno;
  // The record the next text board takes; the limit of the station records.
  int32_t indice_cartello = 80;
  Diagnostica diagnostica;

  void apri(FileSorgente quale);
  // Closes the open source file and, for the scenario program, deletes it.
  void chiudi_ed_elimina();

  std::string& leggi_riga() { return m.riga = lettore->leggi_testo(); }
  int32_t numero() { return lettore->leggi_numero(); }
  bool fine_file() { return lettore->fine_file(); }

  void registra(int32_t codice, std::string dettaglio = {});

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
