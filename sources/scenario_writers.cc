#include "sources/scenario_writers.h"

#include "sources/embedded_scenario.h"
#include "sources/text_writer.h"

namespace scen {

namespace {

void scrivi_tabella(const Destinazione& d, const std::string& percorso, std::string_view tabella) {
  scrivi_elenco(percorso, ElencoRighe(righe_di(tabella)), d.temporanei);
}

}  // namespace

void dati_linea(const Destinazione& d) { scrivi_tabella(d, d.file("_linea.txt"), incorporato::linea()); }
void dati_treno(const Destinazione& d) { scrivi_tabella(d, d.file_treno("-.txt"), incorporato::treno()); }
void dati_note(const Destinazione& d) { scrivi_tabella(d, d.file_treno("_note.txt"), incorporato::note()); }
void dati_rallentamenti(const Destinazione& d) {
  scrivi_tabella(d, d.file_treno("_rallentamenti.txt"), incorporato::rallentamenti());
}
void dati_scheda(const Destinazione& d) {
  scrivi_tabella(d, d.file_treno("_scheda_treno.txt"), incorporato::scheda_treno());
}

void scrivi_sorgenti_e_documenti(const Destinazione& d) {
  dati_linea(d);
  dati_treno(d);
  dati_note(d);
  dati_rallentamenti(d);
  dati_scheda(d);
}

}  // namespace scen
