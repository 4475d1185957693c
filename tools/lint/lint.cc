#include "tools/lint/lint.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "format/grid.h"
#include "format/keywords.h"
#include "parse/field_number.h"
#include "parse/line_shape.h"
#include "parse/parsed_source.h"
#include "platform/path_text.h"
#include "tools/lint/encoding_check.h"
#include "tools/lint/warning_list.h"
#include "util/edit_distance.h"
#include "util/rounding.h"

namespace scenc {

// The flags are written as string literals in format/warnings.def: each view
// ends where its literal does.
const char* flag_avviso(Avviso a) { return scen::avviso(a).flag.data(); }

namespace {

using scen::arrotonda;
using scen::FileFormato;
using scen::Parola;
using scen::ParolaChiave;
using scen::PosaCella;

// A field keeps at most this many bytes before its blanks are trimmed.
constexpr size_t kLunghezzaCampo = 4096;

// A text board shows up to three groups, each a line of up to 12 characters.
constexpr int kGruppiCartello = 3;
constexpr size_t kLarghezzaGruppo = 12;
// The timetable sheet's column of places is 28 characters wide, the name
// after two blanks.
constexpr size_t kLarghezzaNomeScheda = 26;
// A text quoted in a message is cut to this many bytes.
constexpr size_t kCitazione = 40;

bool blank(char c) { return c == ' ' || c == '\t'; }

std::string minuscolo(std::string_view t) {
  std::string s(t);
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

// A text as a message quotes it: no more than kCitazione bytes of it.
std::string citato(std::string_view t) {
  return "\"" + std::string(t.substr(0, kCitazione)) + (t.size() > kCitazione ? "...\"" : "\"");
}

// The characters of a text as a board or the timetable sheet shows them:
// bytes of code page 1252, or the characters of UTF-8.
size_t caratteri(std::string_view t, bool utf8) {
  if (!utf8) return t.size();
  return static_cast<size_t>(
      std::count_if(t.begin(), t.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

struct Campo {
  std::string_view testo;  // blanks trimmed
  int64_t colonna = 0;     // in bytes, from 1
};

// A field as the warnings read it: no more than kLunghezzaCampo bytes from
// where it begins (byte `inizio` of the line, just after its comma), its
// blanks trimmed.
Campo esaminato(const scen::FieldSpan& f, size_t inizio) {
  const size_t fine = inizio + kLunghezzaCampo;
  const size_t primo = static_cast<size_t>(f.colonna - 1);
  if (f.testo.empty() || primo >= fine) return {{}, static_cast<int64_t>(inizio) + 1};
  std::string_view t = f.testo.substr(0, fine - primo);
  while (blank(t.back())) t.remove_suffix(1);
  return {t, f.colonna};
}

// The fields of a line.
using Campi = std::vector<Campo>;

// The first `quanti` fields of a line (all of them when it has fewer): the
// line is split no further, so that a line of millions of commas costs no
// more than a short one.
Campi campi_di(std::string_view riga, size_t quanti) {
  std::string_view parte = riga;
  for (size_t i = 0, da = 0; i < quanti; ++i) {
    const size_t virgola = riga.find(',', da);
    if (virgola == std::string_view::npos) {
      parte = riga;
      break;
    }
    parte = riga.substr(0, virgola);
    da = virgola + 1;
  }
  const std::vector<scen::FieldSpan> letti = scen::split_fields(parte);
  Campi out;
  out.reserve(letti.size());
  for (size_t i = 0; i < letti.size(); ++i) {
    // The comma that ends the field before lies at or after that field's end.
    const size_t inizio = i == 0 ? 0 : parte.find(',', static_cast<size_t>(letti[i - 1].colonna_fine - 1)) + 1;
    out.push_back(esaminato(letti[i], inizio));
  }
  return out;
}

// The first field of a line, found without splitting the line.
Campo prima_parola(std::string_view riga) {
  std::string_view t = riga.substr(0, riga.find(','));
  size_t a = 0;
  while (a < t.size() && blank(t[a])) ++a;
  t.remove_prefix(a);
  while (!t.empty() && blank(t.back())) t.remove_suffix(1);
  return esaminato({t, static_cast<int64_t>(a) + 1, static_cast<int64_t>(a + t.size()) + 1}, 0);
}

// The number in field `i`; none when the line has fewer fields.
std::optional<int64_t> numero(const Campi& campi, size_t i) {
  if (i >= campi.size()) return std::nullopt;
  return scen::field_number(campi[i].testo);
}

// Sums and differences of positions wrap around as two's complement does,
// for numbers of 64 bits that no line comes near.
int64_t somma(int64_t a, int64_t b) { return static_cast<int64_t>(static_cast<uint64_t>(a) + static_cast<uint64_t>(b)); }
int64_t differenza(int64_t a, int64_t b) {
  return static_cast<int64_t>(static_cast<uint64_t>(a) - static_cast<uint64_t>(b));
}

// The part of its file a line stands in, as the compile reads it: before
// the first `[generale]` nothing is read; the line file's general section
// reads only general keywords, the rest of it only data keywords.
enum class Parte { prima, generale, dati };

// One line as the checks see it while it is looked at; nothing of it is
// kept after.
struct Riga {
  int64_t numero = 0;
  std::string_view testo;  // without its line end
  Campo parola;            // its first field
  uint32_t parole = 0;     // the keywords its first field holds: bit i for kParoleChiave[i]
  Parte parte = Parte::prima;

  bool e(Parola p) const { return ((parole >> static_cast<unsigned>(p)) & 1) != 0; }
  bool commento() const { return scen::contiene(parola.testo, scen::kSegnoCommento); }
};

// A source as the warnings see it: its name, its text (shared, not
// copied) and what they say of its file.
class Sorgente {
 public:
  Sorgente(const SorgenteLint& s, FileFormato formato, int rango)
      : file_(s.file), formato_(formato), rango_(rango), testo_(scen::utf8_of(s.file), s.testo) {
    for (const ParolaChiave& p : scen::kParoleChiave)
      if (p.file == formato) parole_.push_back(p.scritta);
    for (const scen::DescrizioneSezione& d : scen::kSezioni)
      if (d.file == formato) sezioni_.push_back(d.intestazione.substr(1, d.intestazione.size() - 2));
  }
  Sorgente(const Sorgente&) = delete;
  Sorgente& operator=(const Sorgente&) = delete;

  const std::filesystem::path& file() const { return file_; }
  FileFormato formato() const { return formato_; }
  bool linea() const { return formato_ == FileFormato::linea; }
  const char* nome() const { return linea() ? "line" : "train"; }
  int rango() const { return rango_; }
  const scen::ParsedSource& testo() const { return testo_; }
  // How the file's keywords are written, and its section names without brackets.
  const std::vector<std::string_view>& parole() const { return parole_; }
  const std::vector<std::string_view>& sezioni() const { return sezioni_; }

  // The keywords of this file that a first field holds, as a Riga's bits.
  uint32_t parole_in(std::string_view campo) const {
    uint32_t bit = 0;
    for (size_t i = 0; i < std::size(scen::kParoleChiave); ++i)
      if (scen::kParoleChiave[i].file == formato_ && scen::corrisponde(scen::kParoleChiave[i], campo))
        bit |= uint32_t{1} << i;
    return bit;
  }

 private:
  const std::filesystem::path file_;
  const FileFormato formato_;
  const int rango_;
  const scen::ParsedSource testo_;
  std::vector<std::string_view> parole_;
  std::vector<std::string_view> sezioni_;
};

static_assert(std::size(scen::kParoleChiave) <= 32, "Riga::parole holds a bit a keyword");

// The rank of each file in the order warnings are told: the names given on
// the command line (no file) first, then the files by name.
int rango(const std::filesystem::path& f, const std::filesystem::path& altro) {
  return f.empty() ? 0 : (f < altro || f == altro ? 1 : 2);
}

class Controllo {
 public:
  Controllo(const SorgentiLint& s, const std::vector<Avviso>& attivi, size_t tenuti)
      : s_(s),
        attivi_(attivi),
        linea_(s.linea, FileFormato::linea, rango(s.linea.file, s.treno.file)),
        treno_(s.treno, FileFormato::treno, rango(s.treno.file, s.linea.file)),
        elenco_(tenuti) {}

  EsitoLint esegui() && {
    nomi();
    leggi(linea_);
    leggi(treno_);
    segnali_e_stazioni();
    for (const auto& [sorgente, letta] : {std::pair{&linea_, &s_.linea}, {&treno_, &s_.treno}})
      if (attivo(Avviso::sembra_utf8) && !s_.testi_utf8)
        if (const auto a = avviso_utf8(*letta))
          avvisa(Avviso::sembra_utf8, sorgente, a->linea, a->colonna, [&] { return a->testo; });
    return std::move(elenco_).esito();
  }

 private:
  struct Profilo {
    std::optional<int64_t> precedente;
  };
  struct Segnale {
    int64_t riga;
    int64_t colonna;  // of its position
    int64_t posizione;
  };
  struct Stazione {
    int64_t riga;
    std::string_view nome;
    std::array<int64_t, 4> segni;  // the cells of its approach marks
    int n_segni = 0;
  };

  bool attivo(Avviso a) const { return std::find(attivi_.begin(), attivi_.end(), a) != attivi_.end(); }

  // A warning at line `riga` of `s` (none: the command line), at the column
  // of the field it is about; `testo()` gives its words, asked for only
  // when the warning is among those kept.
  template <class Testo>
  void avvisa(Avviso a, const Sorgente* s, int64_t riga, int64_t colonna, Testo&& testo) {
    if (!attivo(a)) return;
    elenco_.aggiungi({s ? s->rango() : 0, riga, colonna},
                     [&] { return AvvisoLint{a, s ? s->file() : std::filesystem::path(), riga, colonna, testo()}; });
  }

  void nomi() {
    // Named members rather than a structured binding: clang before 16, as
    // the fuzz build uses, cannot capture a binding in a lambda.
    for (const auto& voce : {std::pair{s_.percorso, "route"}, {s_.treno_nome, "train"}}) {
      const std::string& nome = voce.first;
      const char* cosa = voce.second;
      if (std::any_of(nome.begin(), nome.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        avvisa(Avviso::nomi_non_ascii, nullptr, 0, 0, [&] {
          return std::string("the ") + cosa + " name \"" + nome +
                 "\" is not plain ASCII: the check codes then depend on its encoding";
        });
    }
  }

  // Every line of a source, in order, each looked at once by every check
  // that wants it.
  void leggi(const Sorgente& s) {
    corta_.reset();
    Parte parte = Parte::prima;
    std::string_view ultima_parola;  // a section repeats its keyword line after line
    uint32_t ultime_parole = 0;
    s.testo().for_each_line([&](const scen::SourceLine& l) {
      Riga r;
      r.numero = l.number;
      r.testo = l.text;
      r.parola = prima_parola(l.text);
      if (r.parola.testo != ultima_parola) {
        ultima_parola = r.parola.testo;
        ultime_parole = s.parole_in(ultima_parola);
      }
      r.parole = ultime_parole;
      r.parte = parte;
      parte = parte_dopo(s, r);
      riga(s, r);
    });
  }

  // The part of the file that the line after `r` stands in.
  static Parte parte_dopo(const Sorgente& s, const Riga& r) {
    const std::string_view t = r.parola.testo;
    if (r.parte == Parte::prima)
      return scen::contiene_nocase(t, scen::kInizioLettura) ? (s.linea() ? Parte::generale : Parte::dati)
                                                            : Parte::prima;
    if (r.parte == Parte::generale && t.find('[') != std::string_view::npos &&
        t.find(']') != std::string_view::npos && !t.starts_with(scen::kSegnoCommento))
      return Parte::dati;
    return r.parte;
  }

  void riga(const Sorgente& s, const Riga& r) {
    forma(s, r);
    parola(s, r);
    sezione(s, r);
    if (s.linea()) {
      if (r.e(Parola::pendenza)) profilo(s, r, pendenza_, "gradient");
      if (r.e(Parola::cartello_indicatore)) cartello(s, r);
      if (r.e(Parola::lunghezza_percorso) && r.parte == Parte::generale) lunghezza(r);
    } else {
      if (r.e(Parola::velocita)) profilo(s, r, velocita_, "speed");
      if (r.e(Parola::aderenza)) profilo(s, r, aderenza_, "adhesion");
      if ((r.e(Parola::segnale) || r.e(Parola::stazione)) && !r.commento()) segnale_o_stazione(s, r);
    }
    posizione(s, r);
  }

  // A line with values to spare, which the compile reads as keywords; a
  // line short of values, when the next starts with a number, which the
  // compile reads as the missing one. (Before a keyword, the compile's
  // reading fails, and the compile tells it at the short line.)
  void forma(const Sorgente& s, const Riga& r) {
    if (corta_) {
      const std::string_view t = r.parola.testo;
      if (t.empty() || scen::field_number(t))
        avvisa(Avviso::forma_riga, &s, corta_->riga, corta_->colonna, [&] {
          return corta_->testo + ": the compile reads the next line's first values as the missing ones";
        });
      corta_.reset();
    }
    if (r.parte == Parte::prima || r.parole == 0 || r.commento()) return;
    const scen::Ambito ambito = !s.linea()                  ? scen::Ambito::treno
                                : r.parte == Parte::generale ? scen::Ambito::generale_linea
                                                             : scen::Ambito::dati_linea;
    const std::optional<scen::FormaRiga> f = scen::forma_riga(r.testo, ambito);
    if (!f || f->presenti == f->attesi) return;
    if (f->presenti > f->attesi) {
      // At the first value to spare.
      avvisa(Avviso::forma_riga, &s, r.numero, scen::colonna_del_campo(r.testo, f->attesi + 1),
             [&] { return scen::testo_forma(*f); });
      return;
    }
    corta_ = Corta{r.numero, f->colonna_fine, scen::testo_forma(*f)};
  }

  // Lines the compile passes over without a word: a misspelt keyword, or a
  // general-section word written with capitals.
  void parola(const Sorgente& s, const Riga& r) {
    const std::string_view originale = r.parola.testo;
    if (originale.empty() || r.parole != 0 || r.commento() ||
        (originale.find('[') != std::string::npos && originale.find(']') != std::string::npos))
      return;
    avvisa(Avviso::parola_sconosciuta, &s, r.numero, r.parola.colonna, [&] {
      const std::string chiave = minuscolo(originale);
      // A general-section word the compile would know in lower case.
      const bool maiuscole = s.linea() && std::any_of(std::begin(scen::kParoleChiave), std::end(scen::kParoleChiave),
                                                      [&](const ParolaChiave& p) {
                                                        return p.file == s.formato() && p.minuscole &&
                                                               scen::corrisponde(p, chiave);
                                                      });
      if (maiuscole)
        return "\"" + std::string(originale) +
               "\" is written with capitals: the words of the general section must be lower case, so the "
               "compile ignores this line";
      std::string t = "\"" + std::string(originale) + "\" is not a keyword of the " + s.nome() +
                      " file: the compile ignores this line";
      if (const auto i = scen::piu_vicina(chiave, s.parole()))
        t += "; did you mean \"" + std::string(s.parole()[*i]) + "\"?";
      return t;
    });
  }

  // A section header misspelt: the compile passes it over as it passes
  // over any header, which for `[generale]` means it reads nothing. Any
  // other header not near one of the file's is the author's own and left
  // alone (`[dati]` closing the line file's general section, say).
  void sezione(const Sorgente& s, const Riga& r) {
    const std::string_view t = r.parola.testo;
    if (r.commento() || scen::contiene_nocase(t, scen::kInizioLettura)) return;
    const size_t a = t.find('[');
    const size_t b = a == std::string_view::npos ? a : t.find(']', a + 1);
    if (b == std::string_view::npos) return;
    const std::string nome = minuscolo(t.substr(a + 1, b - a - 1));
    const auto i = scen::piu_vicina(nome, s.sezioni());
    if (!i || s.sezioni()[*i] == nome) return;
    avvisa(Avviso::sezione_sconosciuta, &s, r.numero, r.parola.colonna + static_cast<int64_t>(a), [&] {
      const std::string_view vicina = s.sezioni()[*i];
      std::string m = citato(t.substr(a, b - a + 1)) + " is not a section header of the " + s.nome() +
                      " file; did you mean \"[" + std::string(vicina) + "]\"?";
      if ("[" + std::string(vicina) + "]" == scen::kInizioLettura)
        m += " The compile reads the file only from the first \"[generale]\" on";
      return m;
    });
  }

  void profilo(const Sorgente& s, const Riga& r, Profilo& stato, const char* nome) {
    if (r.commento()) return;
    const Campi campi = campi_di(r.testo, 2);
    const auto p = numero(campi, 1);
    if (!p) return;
    if (!stato.precedente && *p != 0)
      avvisa(Avviso::ordine_profili, &s, r.numero, campi[1].colonna, [&] {
        return std::string("the ") + nome + " profile starts at " + std::to_string(*p) +
               " m, not at 0: the cells before it take the starting value 0";
      });
    if (stato.precedente && *p < *stato.precedente)
      avvisa(Avviso::ordine_profili, &s, r.numero, campi[1].colonna, [&] {
        return std::string("this ") + nome + " line at " + std::to_string(*p) + " m comes after one at " +
               std::to_string(*stato.precedente) + " m: profile lines must ascend";
      });
    stato.precedente = p;
  }

  // A board shows its groups in round brackets, up to three lines of up to
  // twelve characters; what stands outside them it does not show.
  void cartello(const Sorgente& s, const Riga& r) {
    const Campi campi = campi_di(r.testo, 3);
    if (campi.size() < 3) return;
    const std::string_view t = campi[2].testo;
    int gruppi = 0;
    size_t piu_largo = 0;
    std::optional<std::string_view> fuori;  // the first text outside the groups
    for (size_t da = 0;;) {
      const size_t a = t.find('(', da);
      std::string_view prima = t.substr(da, a == std::string_view::npos ? std::string_view::npos : a - da);
      while (!prima.empty() && blank(prima.front())) prima.remove_prefix(1);
      while (!prima.empty() && blank(prima.back())) prima.remove_suffix(1);
      if (!prima.empty() && !fuori) fuori = prima;
      if (a == std::string_view::npos) break;
      const size_t b = t.find(')', a);
      if (b == std::string_view::npos) {  // a group left open
        if (!fuori) fuori = t.substr(a);
        break;
      }
      ++gruppi;
      piu_largo = std::max(piu_largo, caratteri(t.substr(a + 1, b - a - 1), s_.testi_utf8));
      da = b + 1;
    }
    if (gruppi > kGruppiCartello || piu_largo > kLarghezzaGruppo)
      avvisa(Avviso::larghezza_cartello, &s, r.numero, campi[2].colonna, [&] {
        return "the board text has " + std::to_string(gruppi) + (gruppi == 1 ? " group" : " groups") +
               ", the widest " + std::to_string(piu_largo) + " characters: a board shows at most " +
               std::to_string(kGruppiCartello) + " groups of " + std::to_string(kLarghezzaGruppo);
      });
    if (fuori)
      avvisa(Avviso::larghezza_cartello, &s, r.numero, campi[2].colonna, [&] {
        return "the board text has " + citato(*fuori) +
               " outside round brackets: a board shows only its groups, each in round brackets";
      });
  }

  // The line's length as the compile sizes the grid from it; none when it
  // sizes none (an error of its own).
  void lunghezza(const Riga& r) {
    const auto l = numero(campi_di(r.testo, 2), 1);
    const scen::CampoParola& campo = scen::parola(Parola::lunghezza_percorso).campi[0];
    lunghezza_.reset();
    if (l && *l >= campo.minimo && *l <= campo.massimo) lunghezza_ = l;
  }

  // A line's position: off the 50 m boundary where it is put into a cell,
  // or past the end of the line.
  void posizione(const Sorgente& s, const Riga& r) {
    if (r.parole == 0 || r.parte == Parte::prima || r.commento()) return;
    const ParolaChiave* parola = nullptr;
    for (const ParolaChiave& p : scen::kParoleChiave) {
      const bool letta = (scen::ambito(p) == scen::Ambito::generale_linea) == (r.parte == Parte::generale);
      if (r.e(p.id) && letta && p.campi[0].unita == "m") {
        parola = &p;
        break;
      }
    }
    if (!parola || scen::ambito(*parola) == scen::Ambito::generale_linea) return;
    const Campi campi = campi_di(r.testo, 4);
    const auto p = numero(campi, 1);
    if (!p) return;
    const PosaCella posa = parola->campi[0].posa;
    if (posa != PosaCella::nessuna && *p % scen::kMetriCella != 0)
      fuori_cella(s, r, *parola, posa, *p, campi[1].colonna, false);
    else if (parola->id == Parola::rallentamento && posa != PosaCella::nessuna)
      if (const auto l = numero(campi, 3); l && somma(*p, *l) % scen::kMetriCella != 0)
        fuori_cella(s, r, *parola, posa, somma(*p, *l), campi[3].colonna, true);
    if (!lunghezza_ || *p <= *lunghezza_) return;
    const int64_t margine =
        parola->id == Parola::stazione ? scen::kMargineGrigliaStazione : scen::kMargineGriglia;
    if (!scen::sulla_griglia(scen::ultima_cella_di(*lunghezza_), *p, margine)) return;  // error 15
    avvisa(Avviso::oltre_la_linea, &s, r.numero, campi[1].colonna, [&] {
      return "this " + std::string(parola->scritta) + " at " + std::to_string(*p) +
             " m lies past the end of the line, which is " + std::to_string(*lunghezza_) +
             " m long: the compile takes it only because the grid runs " +
             std::to_string(scen::kMetriOltreLinea / 1000) + " km further";
    });
  }

  // A position `p` not on the 50 m boundary: the cell it goes into, and
  // the position on the boundary that goes there too (a slowdown's end
  // when `fine`).
  void fuori_cella(const Sorgente& s, const Riga& r, const ParolaChiave& parola, PosaCella posa, int64_t p,
                   int64_t colonna, bool fine) {
    const int64_t c = scen::cella_di(posa, p);
    if (c < 0) return;  // before the grid: an error, or a change that holds from its start
    avvisa(Avviso::posizione_in_cella, &s, r.numero, colonna, [&] {
      const std::string nome(parola.scritta);
      const std::string dove = " goes into cell " + std::to_string(c) + " (" +
                               std::to_string(c * scen::kMetriCella) + " m), as ";
      const std::string come = std::to_string(scen::metri_di(posa, c)) + " m does";
      return fine ? "this " + nome + " ends at " + std::to_string(p) + " m, off the 50 m boundary: its end" + dove +
                        "an end at " + come
                  : "this " + nome + " at " + std::to_string(p) + " m is off the 50 m boundary: it" + dove +
                        "one at " + come;
    });
  }

  void segnale_o_stazione(const Sorgente& s, const Riga& r) {
    const bool segnale = r.e(Parola::segnale), stazione = r.e(Parola::stazione);
    const Campi campi = campi_di(r.testo, stazione ? scen::parola(Parola::stazione).campi.size() + 1 : 2);
    if (segnale)
      if (const auto p = numero(campi, 1)) segnali_.push_back({r.numero, campi[1].colonna, *p});
    if (!stazione) return;
    const size_t i_nome = scen::parola(Parola::stazione).campi.size();
    if (i_nome < campi.size() && r.parte != Parte::prima) {
      const Campo& nome = campi[i_nome];
      const size_t n = caratteri(nome.testo, s_.testi_utf8);
      if (n > kLarghezzaNomeScheda)
        avvisa(Avviso::larghezza_nome, &s, r.numero, nome.colonna, [&] {
          return "the station name " + citato(nome.testo) + " has " + std::to_string(n) +
                 " characters: the timetable sheet shows " + std::to_string(kLarghezzaNomeScheda);
        });
    }
    const auto p = numero(campi, 1), tipo = numero(campi, 2), l = numero(campi, 3), opzione_3 = numero(campi, 6);
    if (!p || !tipo || !l || *tipo >= 25 || *tipo == 5 || *tipo == 6) return;
    // Only where the train stops: a dwell time or a scheduled time.
    bool ferma = false;
    for (size_t i = 13; i <= 16; ++i) ferma = ferma || numero(campi, i).value_or(0) != 0;
    if (!ferma) return;
    const double centro = *p + *l / 2.0;
    // A station past 2^63 m, which no line reaches, marks no cells.
    if (!(std::fabs(centro) < 0x1p63)) return;
    const int64_t fine = *tipo == 7 || *tipo == 8 ? somma(*p, *l) : arrotonda(centro) + (opzione_3.value_or(0) ? 50 : 0);
    Stazione st{r.numero, campi.back().testo, {}, 0};
    for (int k = 1; k <= 4; ++k)
      if (fine / 50.0 - k - 1 > 1) st.segni[static_cast<size_t>(st.n_segni++)] = arrotonda(fine / 50.0 - k - 1);
    stazioni_.push_back(st);
  }

  void segnali_e_stazioni() {
    const Sorgente& s = treno_;
    std::stable_sort(segnali_.begin(), segnali_.end(),
                     [](const Segnale& a, const Segnale& b) { return a.posizione < b.posizione; });
    for (size_t i = 1; i < segnali_.size(); ++i) {
      const Segnale& g = segnali_[i];
      const Segnale& prima = segnali_[i - 1];
      const int64_t d = differenza(g.posizione, prima.posizione);
      if (d < 750)
        avvisa(Avviso::distanza_segnali, &s, g.riga, g.colonna, [&] {
          return "this signal at " + std::to_string(g.posizione) + " m is only " + std::to_string(d) +
                 " m from the signal at " + std::to_string(prima.posizione) + " m (line " +
                 std::to_string(prima.riga) + "); signals stand at least 750 m apart";
        });
    }
    if (stazioni_.empty()) return;
    for (const Segnale& g : segnali_) {
      const int64_t cella = arrotonda(g.posizione / 50.0 + 1);
      for (const Stazione& z : stazioni_) {
        const auto fine = z.segni.begin() + z.n_segni;
        const auto tocca = std::find_if(z.segni.begin(), fine, [&](int64_t c) {
          return c < cella && c >= cella - 8 && (cella - c) % 2 == 0;
        });
        if (tocca == fine) continue;
        avvisa(Avviso::stazione_segnale, &s, g.riga, g.colonna, [&] {
          return "an approach mark of this signal at " + std::to_string(g.posizione) + " m falls in cell " +
                 std::to_string(*tocca) + " and overwrites an approach mark of \"" + std::string(z.nome) +
                 "\" (line " + std::to_string(z.riga) +
                 "), where the train stops: the driver loses the cues to the stop";
        });
        break;
      }
    }
  }

  const SorgentiLint& s_;
  const std::vector<Avviso>& attivi_;
  const Sorgente linea_;
  const Sorgente treno_;
  ElencoAvvisi elenco_;
  std::optional<int64_t> lunghezza_;  // of the line, once its general section gives it
  Profilo pendenza_, velocita_, aderenza_;
  // A line short of values, until the next line tells whether the compile
  // reads past it silently.
  struct Corta {
    int64_t riga;
    int64_t colonna;
    std::string testo;
  };
  std::optional<Corta> corta_;
  std::vector<Segnale> segnali_;
  std::vector<Stazione> stazioni_;
};

}  // namespace

EsitoLint controlla_sorgenti(const SorgentiLint& s, const std::vector<Avviso>& attivi, size_t tenuti) {
  return Controllo(s, attivi, tenuti).esegui();
}

}  // namespace scenc
