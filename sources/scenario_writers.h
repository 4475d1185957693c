// The five writers of the embedded scenario: the line and train source
// files and the three documents for the user.
#pragma once

#include <string>

#include "util/temporary_files.h"

namespace scen {

// Where the files go and how they are named. `cartella` is the directory
// with its separator already appended; file names follow it directly.
struct Destinazione {
  std::string cartella;
  std::string nome_percorso;
  std::string nome_treno;
  // When set, each file's temporary is listed there while it exists.
  TemporaryFiles* temporanei = nullptr;

  std::string file(const std::string& coda) const { return cartella + nome_percorso + coda; }
  std::string file_treno(const std::string& coda) const {
    return cartella + nome_percorso + "_" + nome_treno + coda;
  }
};

void dati_linea(const Destinazione& d);          // <route>_linea.txt
void dati_treno(const Destinazione& d);          // <route>_<train>-.txt
void dati_note(const Destinazione& d);           // <route>_<train>_note.txt
void dati_rallentamenti(const Destinazione& d);  // <route>_<train>_rallentamenti.txt
void dati_scheda(const Destinazione& d);         // <route>_<train>_scheda_treno.txt

// All five, in the program's order.
void scrivi_sorgenti_e_documenti(const Destinazione& d);

}  // namespace scen
