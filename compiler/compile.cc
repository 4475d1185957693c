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

// The field reader tells of a failure by throwing ErroreLettura; here, and
// nowhere else, it becomes the recorded failure.

bool StatoCompilazione::apri(FileSorgente quale) {
  aperto = quale;
  ultimo_aperto = quale;
  try {
    lettore_ = std::make_unique<LettoreCampi>(percorso(quale));
  } catch (const ErroreLettura& e) {
    guasto(e.what());
    return false;
  }
  return true;
}

void StatoCompilazione::chiudi_ed_elimina() {
  lettore_.reset();
  if (aperto != FileSorgente::nessuno && sorgenti.elimina_sorgenti) elimina(percorso(aperto));
  aperto = FileSorgente::nessuno;
}

void StatoCompilazione::chiudi_dopo_guasto() {
  lettore_.reset();
  if (sorgenti.elimina_sorgenti) {
    elimina(sorgenti.linea);
    elimina(sorgenti.treno);
  }
}

bool StatoCompilazione::leggi_testo(std::string& testo) {
  if (fallita_) return false;
  try {
    testo = lettore_->leggi_testo();
  } catch (const ErroreLettura& e) {
    guasto(e.what());
    return false;
  }
  return true;
}

bool StatoCompilazione::leggi_chiave() {
  if (!leggi_testo(chiave)) return false;
  campo_chiave = qui();
  return true;
}

bool StatoCompilazione::numero(int32_t& valore) {
  if (fallita_) return false;
  try {
    valore = lettore_->leggi_numero();
  } catch (const ErroreLettura& e) {
    guasto(e.what());
    return false;
  }
  return true;
}

bool StatoCompilazione::numero(int32_t& valore, PosizioneCampo& dove) {
  if (!numero(valore)) return false;
  dove = qui();
  return true;
}

bool StatoCompilazione::fine_file() {
  if (fallita_) return true;
  try {
    return lettore_->fine_file();
  } catch (const ErroreLettura& e) {
    guasto(e.what());
    return true;
  }
}

void StatoCompilazione::guasto(std::string messaggio) {
  if (fallita_) return;
  fallita_ = true;
  registra(kErroreLettura, std::move(messaggio));
}

void StatoCompilazione::registra(int32_t codice, std::string messaggio,
                                 std::optional<PosizioneCampo> campo) {
  diagnostica.codice = codice;
  diagnostica.file = ultimo_aperto;
  diagnostica.campo = campo ? *campo : qui();
  diagnostica.messaggio = std::move(messaggio);
}

bool StatoCompilazione::testo(const std::string& letto, std::string& codificato) {
  if (!sorgenti.testi_utf8) {
    codificato = letto;
    return true;
  }
  std::string errore;
  if (in_cp1252(letto, codificato, errore)) return true;
  guasto(std::move(errore));
  return false;
}

bool fuori_griglia(const Modello& m, int64_t p, int64_t margine) {
  return m.ultima_cella < (p + margine) / 50.0;
}

Diagnostica memorizza_dati(Modello& m, const SorgentiCompilazione& sorgenti,
                           OsservatorePiano* osservatore) {
  StatoCompilazione st(m, sorgenti, osservatore);
  if (compila_linea(st) && !st.fallita()) compila_treno(st);
  if (st.fallita()) st.chiudi_dopo_guasto();
  return std::move(st.diagnostica);
}

}  // namespace scen
