#include "tools/lint/scenario_check.h"

#include <optional>
#include <utility>

#include "platform/path_text.h"
#include "run/run_diagnostics.h"
#include "tools/lint/lint_beside.h"

namespace scenc {

EsitoControllo controlla_scenario(const RichiestaControllo& r) {
  scen::OpzioniPercorso opzioni = r.opzioni;
  const scen::SorgentiCompilazione& s = opzioni.sorgenti;
  // The warnings are looked for while the sources compile; both only read
  // the texts.
  ControlloAccanto controllo({{s.linea, s.testo_linea}, {s.treno, s.testo_treno}, r.route, r.train, s.testi_utf8},
                             r.attivi, r.avvisi_tenuti);
  EsitoControllo esito;
  std::optional<EsitoLint> trovati;
  // With strict a warning, or a conflict of the code track, is an error:
  // the files are written only without any, or when asked to on errors.
  if (r.strict)
    opzioni.conferma_scrittura = [&](const scen::EsitoPercorso& e) {
      trovati = controllo.avvisi();
      return opzioni.scrivi_con_errori || (trovati->totale == 0 && e.conflitti.empty());
    };

  scen::Modello m;
  m.nome_percorso = r.route;
  m.nome_treno = r.train;
  esito.percorso = scen::memorizza_percorso(m, opzioni);
  if (!trovati) trovati = controllo.avvisi();  // done with the texts
  esito.avvisi = std::move(*trovati);

  const scen::Level livello = r.strict ? scen::Level::error : scen::Level::warning;
  for (const AvvisoLint& w : esito.avvisi.avvisi) {
    scen::Diagnostic d;
    d.level = livello;
    d.flag = flag_avviso(w.tipo);
    d.file = scen::utf8_of(w.file);
    d.range = {w.linea, w.colonna, w.linea, w.colonna};
    d.message = w.testo;
    esito.diagnostiche_avvisi.push_back(std::move(d));
  }
  // The errors after the compile's own, found by going on from the line
  // after each; the compile's result stays the first error's.
  if (const scen::Diagnostic* primo = esito.percorso.diagnostiche.first_error();
      primo && esito.percorso.compilazione.codice != 0 && !scen::file_non_scritto(esito.percorso.diagnostiche)) {
    m.scrivi_linea = opzioni.scrivi_linea;
    esito.altri = scen::altri_errori(*primo, m, opzioni.sorgenti, r.max_errori);
  }
  return esito;
}

}  // namespace scenc
