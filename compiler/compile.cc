#include "compiler/compile.h"

#include <system_error>

#include "platform/path_text.h"
#include "compiler/compile_state.h"
#include "parse/line_shape.h"
#include "parse/source_text.h"
#include "parse/utf8_scan.h"
#include "platform/path_text.h"
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
    letta.emplace(utf8_of(percorso(quale)), dato);
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
  ripreso_da_.reset();
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
  if (!leggi_testo(chiave)) {
    if (lettore_) riga_chiave_ = lettore_->last_field().linea;
    return false;
  }
  campo_chiave = qui();
  riga_chiave_ = campo_chiave.linea;
  return true;
}

bool StatoCompilazione::riprendi() {
  if (!recupero || !da_riprendere_ || !lettore_) return false;
  if (recupero->massimo != 0 && recupero->trovati.size() >= recupero->massimo) return false;
  const std::optional<ParsedSource>& letta = aperto == FileSorgente::linea ? diagnostica.linea : diagnostica.treno;
  if (!letta) return false;
  const int64_t prossima = riga_chiave_ + 1;
  const size_t da = letta->offset({prossima, 1});
  // Each time further on, or not at all.
  if (ripreso_da_ && da <= *ripreso_da_) return false;
  ripreso_da_ = da;
  lettore_->restart_at(da, prossima);
  fallita_ = false;
  da_riprendere_ = false;
  // What the compile does after its first error no longer decides
  // anything: the errors found so far are in the list.
  diagnostica.codice = 0;
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
  diagnostica.campo_chiave = campo_chiave;
  diagnostica.ambito = ambito;
  if (recupero) {
    recupero->trovati.push_back(come_diagnostica(diagnostica));
    da_riprendere_ = true;
  }
}

namespace {

// The field that starts at `p`: up to the comma or line end that ends it,
// its trailing blanks left out.
SourceRange campo_a(const std::optional<ParsedSource>& s, PosizioneCampo p) {
  if (p.linea <= 0) return {};
  SourceRange r{p.linea, p.colonna, p.linea, p.colonna};
  if (!s || p.colonna < 1) return r;
  // Only the field itself is looked at: a line may hold millions.
  const std::string_view riga = s->line(p.linea);
  const auto pos = static_cast<size_t>(p.colonna - 1);
  if (pos > riga.size()) return r;
  const auto vuoto = [](char c) { return c == ' ' || c == '\t'; };
  size_t inizio = 0;
  if (pos > 0)
    if (const size_t v = riga.rfind(',', pos - 1); v != std::string_view::npos) inizio = v + 1;
  for (size_t i = inizio; i < pos; ++i)
    if (!vuoto(riga[i])) return r;  // not where a field starts
  size_t fine = std::min(riga.find(',', pos), riga.size());
  while (fine > pos && vuoto(riga[fine - 1])) --fine;
  if (pos < fine && vuoto(riga[pos])) return r;
  r.end_column = static_cast<int64_t>(fine) + 1;
  return r;
}

// A read failure told at the line the author must mend: a line short of
// values, which the compile read on past, at that line, what it is short
// of, and where the reading failed as a related place; a value that does
// not fit, with its field's name, unit and range.
void forma_e_ambito(const Diagnostica& d, Diagnostic& g) {
  const std::optional<ParsedSource>& s = d.file == FileSorgente::linea ? d.linea : d.treno;
  if (d.codice != kErroreLettura || !d.ambito || !s || d.campo_chiave.linea <= 0 || d.campo.linea <= 0) return;
  const std::string_view riga = s->line(d.campo_chiave.linea);
  if (d.campo.linea > d.campo_chiave.linea) {
    const std::optional<FormaRiga> f = forma_riga(riga, *d.ambito);
    if (!f || f->presenti >= f->attesi) return;
    g.related.push_back({g.file, g.range, "the compile read on into this line, and failed: " + d.messaggio});
    g.range = {d.campo_chiave.linea, f->colonna_fine, d.campo_chiave.linea, f->colonna_fine};
    g.message = testo_forma(*f);
    return;
  }
  if (d.campo.linea != d.campo_chiave.linea || d.messaggio.find(" does not fit") == std::string::npos) return;
  const std::optional<ValoreRiga> v = valore_a(riga, *d.ambito, d.campo.colonna);
  if (!v) return;
  const CampoParola& c = *v->campo;
  const std::string di = c.nome == v->parola->scritta ? "" : " of `" + std::string(v->parola->scritta) + "`";
  g.message += " (`" + std::string(c.nome) + "`" + di + ": " +
               std::to_string(c.minimo) + " to " + std::to_string(c.massimo) +
               (c.unita.empty() ? "" : " " + std::string(c.unita)) + ")";
}

}  // namespace

Diagnostic StatoCompilazione::come_diagnostica(const Diagnostica& d) const {
  Diagnostic g;
  g.number = d.codice;
  g.file = d.file == FileSorgente::nessuno ? std::string() : utf8_of(percorso(d.file));
  g.range = campo_a(d.file == FileSorgente::linea ? d.linea : d.treno, d.campo);
  g.message = d.messaggio;
  forma_e_ambito(d, g);
  if (d.cella_presa) {
    const auto o = d.origini.find(*d.cella_presa);
    if (o != d.origini.end())
      g.related.push_back({utf8_of(percorso(o->second.file)),
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

StatoDopoLinea StatoCompilazione::dopo_linea() const {
  return {diagnostica, indice_cartello, righe_progressive, aperto, ultimo_aperto, chiave, campo_chiave, ambito,
          riga_chiave_};
}

void StatoCompilazione::riprendi_dopo_linea(const StatoDopoLinea& s) {
  diagnostica = s.diagnostica;
  indice_cartello = s.indice_cartello;
  righe_progressive = s.righe_progressive;
  aperto = s.aperto;
  ultimo_aperto = s.ultimo_aperto;
  chiave = s.chiave;
  campo_chiave = s.campo_chiave;
  ambito = s.ambito;
  riga_chiave_ = s.riga_chiave;
}

namespace {

// How every compile ends.
Diagnostica concludi(StatoCompilazione& st) {
  if (st.fallita()) st.chiudi_dopo_guasto();
  if (st.diagnostiche && st.diagnostica.codice != 0) st.diagnostiche->add(st.come_diagnostica(st.diagnostica));
  return std::move(st.diagnostica);
}

}  // namespace

Diagnostica memorizza_dati(Modello& m, const SorgentiCompilazione& sorgenti, OsservatorePiano* osservatore,
                           DiagnosticList* diagnostiche) {
  StatoCompilazione st(m, sorgenti, osservatore, diagnostiche);
  if (compila_linea(st) && !st.fallita()) compila_treno(st);
  return concludi(st);
}

std::shared_ptr<const StatoDopoLinea> memorizza_linea(Modello& m, const SorgentiCompilazione& sorgenti,
                                                      Diagnostica& d) {
  StatoCompilazione st(m, sorgenti, nullptr);
  if (compila_linea(st) && !st.fallita()) return std::make_shared<const StatoDopoLinea>(st.dopo_linea());
  d = concludi(st);
  return nullptr;
}

Diagnostica memorizza_treno(Modello& m, const SorgentiCompilazione& sorgenti, const StatoDopoLinea& linea) {
  StatoCompilazione st(m, sorgenti, nullptr);
  st.riprendi_dopo_linea(linea);
  compila_treno(st);
  return concludi(st);
}

std::vector<Diagnostic> errori_dopo_il_primo(const Modello& nomi, const SorgentiCompilazione& sorgenti,
                                             size_t massimo) {
  Modello m;
  m.nome_percorso = nomi.nome_percorso;
  m.nome_treno = nomi.nome_treno;
  m.scrivi_linea = nomi.scrivi_linea;
  SorgentiCompilazione s = sorgenti;
  s.elimina_sorgenti = false;
  StatoCompilazione::Recupero recupero{{}, massimo};
  StatoCompilazione st(m, s, nullptr);
  st.recupero = &recupero;
  if (compila_linea(st) && !st.fallita()) compila_treno(st);
  return std::move(recupero.trovati);
}

}  // namespace scen
