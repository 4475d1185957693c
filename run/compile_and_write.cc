#include "run/compile_and_write.h"

#include <optional>

#include "compiler/code_track.h"
#include "writer/compiled_writer.h"
#include "writer/plan_writer.h"

namespace scen {

int32_t EsitoPercorso::errore_da_riportare(bool scrivi_con_errori) const {
  if (errore_riservato != 0) return errore_riservato;
  if (compilazione.codice != 0 && !scrivi_con_errori) return compilazione.codice;
  return codice_errore;
}

EsitoPercorso memorizza_percorso(Modello& m, const OpzioniPercorso& opzioni) {
  m.scrivi_linea = opzioni.j;
  m.codice_errore = 0;
  for (RecordSim& r : m.dati_sim) r = RecordSim{};

  EsitoPercorso esito;
  // The track plan goes to its file while the compile goes on; dropped
  // unwritten when the files are not to be written after all.
  std::optional<PlanWriter> piano;
  if (opzioni.scrivi && m.scrivi_linea != 0)
    piano.emplace(nomi_compilati(opzioni.cartella_uscita, m).linea_dat);
  esito.compilazione = memorizza_dati(m, opzioni.sorgenti, piano ? &*piano : nullptr);
  esito.compilazione.codice = m.codice_errore;
  completa_codici(m, &esito.conflitti);
  esito.codice_errore = m.codice_errore;
  esito.griglia = m.celle.has_value();

  // Half-compiled files never replace good ones, unless asked for.
  if (!esito.griglia) return esito;
  if (esito.compilazione.codice != 0 && !opzioni.scrivi_con_errori) return esito;
  esito.errore_riservato = timbra(m);
  if (esito.errore_riservato != 0 || !opzioni.scrivi) return esito;
  esito.scritti = scrivi_compilati(m, opzioni.cartella_uscita, piano ? &*piano : nullptr);
  return esito;
}

}  // namespace scen
