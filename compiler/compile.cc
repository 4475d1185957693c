#include "compiler/compile.h"

#include <system_error>

#include "compiler/compile_state.h"
#include "parse/source_text.h"
#include "parse/utf8_scan.h"
#include "util/cp1252.h"

namespace scen {

namespace {

void elimina(const std::filesystem::path& p) {
  std::error_code ec;
  std::filesystem::remove(p, ec);  // a source already gone is no fault
}

}  // namespace

bool StatoCompilazione::apri(FileSorgente quale) {
  aperto = quale;
  ultimo_aperto = quale;
  const std::shared_ptr<const std::string>& dato =
      quale == FileSorgente::linea ? sorgenti.testo_linea : sorgenti.testo_treno;
  std::optional<ParsedSource>& letta = quale == FileSorgente::linea ? diagnostica.linea : diagnostica.treno;
  if (dato) {
    letta.emplace(percorso(quale).string(), dato);
  } else {
    SourceText testo;
    std::string errore;
    if (!read_source_file(percorso(quale), testo, errore)) {
      guasto(std::move(errore));
      return false;
    }
    letta.emplace(std::move(testo));
  }
  lettore_.emplace(letta->bytes());
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
  if (lettore_->read_text(testo)) return true;
  guasto(lettore_->failure());
  return false;
}

bool StatoCompilazione::leggi_chiave() {
  if (!leggi_testo(chiave)) return false;
  campo_chiave = qui();
  return true;
}

bool StatoCompilazione::numero(int32_t& valore) {
  if (fallita_) return false;
  if (lettore_->read_number(valore)) return true;
  guasto(lettore_->failure());
  return false;
}

bool StatoCompilazione::numero(int32_t& valore, PosizioneCampo& dove) {
  if (!numero(valore)) return false;
  dove = qui();
  return true;
}

bool StatoCompilazione::fine_file() { return fallita_ || lettore_->at_end(); }

void StatoCompilazione::guasto(std::string messaggio) { guasto(std::move(messaggio), qui()); }

void StatoCompilazione::guasto(std::string messaggio, PosizioneCampo campo) {
  if (fallita_) return;
  fallita_ = true;
  registra(kErroreLettura, std::move(messaggio), campo);
}

void StatoCompilazione::registra(int32_t codice, std::string messaggio, std::optional<PosizioneCampo> campo,
                                 std::optional<int64_t> cella_presa) {
  diagnostica.cella_presa = cella_presa;
  diagnostica.codice = codice;
  diagnostica.file = ultimo_aperto;
  diagnostica.campo = campo ? *campo : qui();
  diagnostica.messaggio = std::move(messaggio);
}

namespace {

// The field that starts at `p`: up to the comma or line end that ends it,
// its trailing blanks left out.
SourceRange campo_a(const std::optional<ParsedSource>& s, PosizioneCampo p) {
  if (p.linea <= 0) return {};
  SourceRange r{p.linea, p.colonna, p.linea, p.colonna};
  if (!s) return r;
  for (const FieldSpan& f : s->fields(p.linea))
    if (f.colonna == p.colonna) r.end_column = f.colonna_fine;
  return r;
}

}  // namespace

Diagnostic StatoCompilazione::come_diagnostica(const Diagnostica& d) const {
  Diagnostic g;
  g.number = d.codice;
  g.file = d.file == FileSorgente::nessuno ? std::string() : percorso(d.file).string();
  g.range = campo_a(d.file == FileSorgente::linea ? d.linea : d.treno, d.campo);
  g.message = d.messaggio;
  if (d.cella_presa) {
    const auto o = d.origini.find(*d.cella_presa);
    if (o != d.origini.end())
      g.related.push_back({percorso(o->second.file).string(),
                           campo_a(o->second.file == FileSorgente::linea ? d.linea : d.treno, o->second.campo),
                           "the line that placed what takes cell " + std::to_string(*d.cella_presa)});
  }
  return g;
}

namespace {

// Whether a source that is not UTF-8 at byte `b` reads as code page 1252:
// the byte is one the code page defines, and nowhere does the file hold a
// UTF-8 sequence of more than one byte (a file saved as UTF-8 with a stray
// byte does).
bool sembra_cp1252(std::string_view file, unsigned char b) {
  const bool definito = b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D;
  return b >= 0x80 && definito && first_utf8_multibyte(file) == std::string_view::npos;
}

std::string non_utf8(unsigned char b, bool cp1252) {
  constexpr char kCifre[] = "0123456789ABCDEF";
  return std::string("byte 0x") + kCifre[b >> 4] + kCifre[b & 0xF] + " is not UTF-8" +
         (cp1252 ? "; the file looks like code page 1252" : "");
}

}  // namespace

bool StatoCompilazione::testo(const std::string& letto, std::string& codificato) {
  if (!sorgenti.testi_utf8) {
    codificato = letto;
    return true;
  }
  // The text starts at the field just read, and lies on its line: the
  // error points at the byte itself.
  if (const size_t k = first_non_utf8(letto); k != std::string_view::npos) {
    const auto b = static_cast<unsigned char>(letto[k]);
    const std::optional<ParsedSource>& file = aperto == FileSorgente::linea ? diagnostica.linea : diagnostica.treno;
    const PosizioneCampo campo = qui();
    guasto(non_utf8(b, file && sembra_cp1252(file->bytes(), b)),
           PosizioneCampo{campo.linea, campo.colonna + static_cast<int64_t>(k)});
    return false;
  }
  std::string errore;
  if (in_cp1252(letto, codificato, errore)) return true;
  guasto(std::move(errore));
  return false;
}

bool fuori_griglia(const Modello& m, int64_t p, int64_t margine) {
  return m.ultima_cella < (p + margine) / 50.0;
}

Diagnostica memorizza_dati(Modello& m, const SorgentiCompilazione& sorgenti, OsservatorePiano* osservatore,
                           DiagnosticList* diagnostiche) {
  StatoCompilazione st(m, sorgenti, osservatore, diagnostiche);
  if (compila_linea(st) && !st.fallita()) compila_treno(st);
  if (st.fallita()) st.chiudi_dopo_guasto();
  if (diagnostiche && st.diagnostica.codice != 0) diagnostiche->add(st.come_diagnostica(st.diagnostica));
  return std::move(st.diagnostica);
}

}  // namespace scen
