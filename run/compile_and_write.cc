#include "run/compile_and_write.h"

#include <optional>

#include "platform/path_text.h"
#include "compiler/code_track.h"
#include "compiler/stamping.h"
#include "writer/compiled_writer.h"
#include "writer/plan_writer.h"
#include "run/run_diagnostics.h"
#include "platform/directory_lock.h"
#include "platform/path_text.h"
#include "util/file_replace.h"

namespace scen {

EsitoPercorso memorizza_percorso(Modello& m, const OpzioniPercorso& opzioni) {
  m.scrivi_linea = opzioni.scrivi_linea;
  for (RecordSim& r : m.dati_sim) r = RecordSim{};

  EsitoPercorso esito;
  // The track plan goes to its file while the compile goes on; dropped
  // unwritten when the files are not to be written after all.
  // One run at a time writes into a directory: its three files come from
  // one compile. Temporaries of runs that died there are removed.
  std::optional<DirectoryLock> blocco;
  if (opzioni.scrivi) {
    blocco.emplace(opzioni.cartella_uscita, opzioni.in_attesa);
    const NomiCompilati nomi = nomi_compilati(opzioni.cartella_uscita, m);
    for (const auto* f : {&nomi.linea_dat, &nomi.sim, &nomi.dat}) rimuovi_temporanei_orfani(*f);
  }
  std::optional<PlanWriter> piano;
  if (opzioni.scrivi && m.scrivi_linea)
    piano.emplace(nomi_compilati(opzioni.cartella_uscita, m).linea_dat, opzioni.temporanei);
  esito.compilazione = memorizza_dati(m, opzioni.sorgenti, piano ? &*piano : nullptr, &esito.diagnostiche);
  esito.conflitti = completa_codici(m);
  esito.codice_errore = esito.conflitti.empty() ? esito.compilazione.codice : esito.conflitti.back().codice;
  esito.griglia = m.celle.has_value();
  DiagnosticList& l = esito.diagnostiche;
  const SorgentiCompilazione& s = opzioni.sorgenti;

  // Half-compiled files never replace good ones, unless asked for.
  if (!esito.griglia) return esito;
  if (esito.compilazione.codice != 0 && !opzioni.scrivi_con_errori) return esito;
  for (const ConflittoCodici& c : esito.conflitti) l.add(diagnostica_conflitto(c, esito.compilazione, s));
  esito.errore_riservato = timbra(m);
  if (esito.errore_riservato != 0)
    l.add(diagnostica_slot_riservato(esito.errore_riservato, m, esito.compilazione, s));
  if (esito.errore_riservato != 0 || !opzioni.scrivi) return esito;
  if (opzioni.conferma_scrittura && !opzioni.conferma_scrittura(esito)) return esito;
  try {
    esito.scritti = scrivi_compilati(m, opzioni.cartella_uscita, piano ? &*piano : nullptr, opzioni.temporanei);
  } catch (const ErroreFile& e) {
    l.add(diagnostica_file(utf8_of(e.file()), e.motivo()));
  }
  return esito;
}

}  // namespace scen
