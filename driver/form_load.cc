#include "driver/form_load.h"

#include <filesystem>
#include <system_error>

#include "model/model.h"
#include "run/compile_and_write.h"
#include "run/error_report.h"
#include "run/run_diagnostics.h"
#include "driver/run_place.h"
#include "util/file_replace.h"
#include "util/cp1252.h"
#include "sources/scenario_writers.h"

namespace scen {

namespace {

void elimina_se_esiste(const std::filesystem::path& percorso) {
  std::error_code ec;
  std::filesystem::remove(percorso, ec);
}

}  // namespace

int Form_Load(Finestra& finestra, const Programma& programma, const NomiScenario& nomi, std::ostream& uscita,
              TemporaryFiles* temporanei) {
  if (const auto rifiuto = refusal_to_run_here(programma, directory_writability(programma.cartella))) {
    finestra.messaggio(*rifiuto);
    return kEsitoErroreFile;
  }
  const std::string& cartella = programma.cartella;
  Modello m;
  m.nome_percorso = nomi.percorso;
  m.nome_treno = nomi.treno;
  finestra.mostra_attendere();

  const Destinazione destinazione{cartella, m.nome_percorso, m.nome_treno, temporanei};
  OpzioniPercorso opzioni;
  opzioni.scrivi_linea = true;
  opzioni.sorgenti = {path_from_utf8(destinazione.file("_linea.txt")), path_from_utf8(destinazione.file_treno("-.txt")), true};
  opzioni.cartella_uscita = path_from_utf8(cartella);
  opzioni.temporanei = temporanei;
  // The two sources live only for the compile: listed from before they
  // are written, so that a run ended by a signal leaves neither behind.
  if (temporanei)
    for (const auto& f : {opzioni.sorgenti.linea, opzioni.sorgenti.treno}) temporanei->add(f);

  EsitoPercorso esito;
  try {
    scrivi_sorgenti_e_documenti(destinazione);
  } catch (const ErroreFile& e) {
    elimina_se_esiste(opzioni.sorgenti.linea);
    elimina_se_esiste(opzioni.sorgenti.treno);
    finestra.messaggio("cannot write " + utf8_of(e.file()) + ": " + e.motivo());
    return kEsitoErroreFile;
  }
  for (const char* documento : {"_note.txt", "_rallentamenti.txt", "_scheda_treno.txt"})
    uscita << "wrote " << destinazione.file_treno(documento) << "\n";
  esito = memorizza_percorso(m, opzioni);
  for (const auto& f : esito.scritti) uscita << "wrote " << utf8_of(f) << "\n";
  if (const Diagnostic* f = file_non_scritto(esito.diagnostiche)) {
    elimina_se_esiste(opzioni.sorgenti.linea);
    elimina_se_esiste(opzioni.sorgenti.treno);
    finestra.messaggio("cannot write " + f->file + ": " + f->message);
    return kEsitoErroreFile;
  }
  // The program wrote the sources itself: none is left behind, also when
  // the compile stopped before reading the train file.
  elimina_se_esiste(opzioni.sorgenti.linea);
  elimina_se_esiste(opzioni.sorgenti.treno);

  const int32_t numero = numero_da_mostrare(esito.diagnostiche);
  if (numero == 0) return kEsitoPulito;
  finestra.messaggio(testo_errore(numero));
  return kEsitoErrore;
}

}  // namespace scen
