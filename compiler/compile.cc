#include "compiler/compile.h"

#include <system_error>

#include "compiler/compile_state.h"
#include "parse/read_failure.h"
#include "util/cp1252.h"

namespace scen {

namespace {

void elimina(const std::filesystem::path& p) {
  std::error_code ec;
  std::filesystem::remove(p, ec);  // a source already gone is no fault
}

}  // namespace

void StatoCompilazione::apri(FileSorgente quale) {
  aperto = quale;
  ultimo_aperto = quale;
  lettore = std::make_unique<LettoreCampi>(percorso(quale));
}

void StatoCompilazione::chiudi_ed_elimina() {
  lettore.reset();
  if (aperto != FileSorgente::nessuno && sorgenti.elimina_sorgenti) elimina(percorso(aperto));
  aperto = FileSorgente::nessuno;
}

void StatoCompilazione::registra(int32_t codice, std::string messaggio,
                                 std::optional<PosizioneCampo> campo) {
  m.codice_errore = codice;
  diagnostica.codice = codice;
  diagnostica.file = ultimo_aperto;
  diagnostica.campo = campo ? *campo : qui();
  diagnostica.messaggio = std::move(messaggio);
}

std::string StatoCompilazione::testo(const std::string& letto) const {
  if (!sorgenti.testi_utf8) return letto;
  try {
    return in_cp1252(letto);
  } catch (const ErroreCodifica& e) {
    throw ErroreLettura(e.what());
  }
}

bool fuori_griglia(const Modello& m, int64_t p, int64_t margine) {
  return m.ultima_cella < (p + margine) / 50.0;
}

Diagnostica memorizza_dati(Modello& m, const SorgentiCompilazione& sorgenti,
                           OsservatorePiano* osservatore) {
  StatoCompilazione st(m, sorgenti, osservatore);
  try {
    if (compila_linea(st)) compila_treno(st);
  } catch (const ErroreLettura& e) {
    // A failed read: every file closed, the sources that still exist deleted.
    const PosizioneCampo dove = st.qui();
    st.lettore.reset();
    if (sorgenti.elimina_sorgenti) {
      elimina(sorgenti.linea);
      elimina(sorgenti.treno);
    }
    st.registra(kErroreLettura, e.what(), dove);
  }
  return std::move(st.diagnostica);
}

}  // namespace scen
