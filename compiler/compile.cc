#include "compiler/compile.h"

#include <system_error>

#include "compiler/compile_state.h"
#include "compiler/read_failure.h"

namespace scen {

namespace {

void elimina(const std::filesystem::path& p) {
  std::error_code ec;
  std::filesystem::remove(p, ec);  // a source already gone is no fault
}

}  // namespace

void StatoCompilazione::apri(FileSorgente quale) {
  aperto = quale;
  diagnostica.file = quale;
  lettore = std::make_unique<LettoreCampi>(percorso(quale));
}

void StatoCompilazione::chiudi_ed_elimina() {
  if (lettore) {
    diagnostica.campo = lettore->ultimo_campo();
    lettore.reset();
  }
  if (aperto != FileSorgente::nessuno && sorgenti.elimina_sorgenti) elimina(percorso(aperto));
  aperto = FileSorgente::nessuno;
}

void StatoCompilazione::registra(int32_t codice, std::string dettaglio) {
  m.codice_errore = codice;
  diagnostica.codice = codice;
  if (lettore) diagnostica.campo = lettore->ultimo_campo();
  diagnostica.dettaglio = std::move(dettaglio);
}

bool fuori_griglia(const Modello& m, int64_t p, int64_t margine) {
  return m.ultima_cella < (p + margine) / 50.0;
}

Diagnostica memorizza_dati(Modello& m, const SorgentiCompilazione& sorgenti) {
  StatoCompilazione st(m, sorgenti);
  try {
    if (compila_linea(st)) compila_treno(st);
  } catch (const ErroreLettura& e) {
    // A failed read: every file closed, the sources that still exist deleted.
    if (st.lettore) {
      st.diagnostica.campo = st.lettore->ultimo_campo();
      st.lettore.reset();
    }
    if (sorgenti.elimina_sorgenti) {
      elimina(sorgenti.linea);
      elimina(sorgenti.treno);
    }
    st.registra(kErroreLettura, e.what());
  }
  return st.diagnostica;
}

}  // namespace scen
