#include "tools/lint/lint.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <memory>
#include <string_view>

#include "format/keywords.h"
#include "parse/field_number.h"
#include "parse/parsed_source.h"
#include "tools/lint/encoding_check.h"
#include "util/rounding.h"

namespace scenc {

// The flags are written as string literals in format/warnings.def: each view
// ends where its literal does.
const char* flag_avviso(Avviso a) { return scen::avviso(a).flag.data(); }

namespace {

using scen::arrotonda;
using scen::Parola;

// How much of a source the warnings look at: its first 512 Ki characters,
// a CR LF line end counting as one. Far beyond any author's file, it keeps
// a text of hundreds of megabytes from being held a second time, line by
// line. The compile reads the whole text.
constexpr size_t kCaratteriEsaminati = size_t{1} << 19;

// A field keeps at most this many bytes before its blanks are trimmed.
constexpr size_t kLunghezzaCampo = 4096;

// The bytes of `t` the warnings look at: the lines whose line end (CR LF,
// LF or CR alone) starts within its first kCaratteriEsaminati characters,
// and the last line when the text ends there. A line cut off at the limit
// is left out.
size_t fine_esaminata(std::string_view t) {
  size_t caratteri = 0;
  size_t inizio_riga = 0;
  for (size_t i = 0; i < t.size(); ++i, ++caratteri) {
    if (caratteri == kCaratteriEsaminati) return inizio_riga;
    if (t[i] != '\n' && t[i] != '\r') continue;
    if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') ++i;
    inizio_riga = i + 1;
  }
  return t.size();
}

bool blank(char c) { return c == ' ' || c == '\t'; }

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

struct Riga {
  int64_t numero = 0;
  std::string_view testo;  // without its line end
  Campo parola;        // its first field
  std::string chiave;  // the keyword in lower case
};

// The text the warnings look at: the whole text, shared, when it is within
// kCaratteriEsaminati; else a copy of the part they look at.
std::shared_ptr<const std::string> esaminato(const std::shared_ptr<const std::string>& testo) {
  if (!testo) return std::make_shared<const std::string>();
  const size_t fine = fine_esaminata(*testo);
  return fine == testo->size() ? testo : std::make_shared<const std::string>(testo->substr(0, fine));
}

// A source as the warnings see it: the part of its text they look at, and
// its lines, which point into that text. A line's fields are found when a
// check asks for them: most lines are looked at for their keyword alone.
class Sorgente {
 public:
  explicit Sorgente(const SorgenteLint& s) : file_(s.file), testo_(s.file.string(), esaminato(s.testo)) {
    righe_.reserve(static_cast<size_t>(testo_.line_count()));
    testo_.for_each_line([this](const scen::SourceLine& l) {
      Riga& r = righe_.emplace_back();
      r.numero = l.number;
      r.testo = l.text;
      r.parola = esaminato(scen::split_fields(l.text).front(), 0);
      r.chiave = r.parola.testo;
      for (char& c : r.chiave)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    });
  }
  Sorgente(const Sorgente&) = delete;
  Sorgente& operator=(const Sorgente&) = delete;

  const std::filesystem::path& file() const { return file_; }
  const std::vector<Riga>& righe() const { return righe_; }

  // The fields of a line; the first is its keyword.
  std::vector<Campo> campi(const Riga& r) const {
    const std::vector<scen::FieldSpan> letti = scen::split_fields(r.testo);
    std::vector<Campo> out;
    out.reserve(letti.size());
    for (size_t i = 0; i < letti.size(); ++i) {
      // The comma that ends the field before lies at or after that field's end.
      const size_t inizio = i == 0 ? 0 : r.testo.find(',', static_cast<size_t>(letti[i - 1].colonna_fine - 1)) + 1;
      out.push_back(esaminato(letti[i], inizio));
    }
    return out;
  }

 private:
  const std::filesystem::path file_;
  const scen::ParsedSource testo_;
  std::vector<Riga> righe_;
};

class Controllo {
 public:
  Controllo(const SorgentiLint& s, const std::vector<Avviso>& attivi)
      : s_(s), attivi_(attivi), linea_(s.linea), treno_(s.treno) {}

  std::vector<AvvisoLint> esegui() {
    nomi();
    parole(linea_, true);
    parole(treno_, false);
    profilo(linea_, Parola::pendenza, "gradient");
    cartelli(linea_);
    profilo(treno_, Parola::velocita, "speed");
    profilo(treno_, Parola::aderenza, "adhesion");
    segnali_e_stazioni(treno_);
    for (const SorgenteLint* s : {&s_.linea, &s_.treno})
      if (attivo(Avviso::sembra_utf8) && !s_.testi_utf8)
        if (auto a = avviso_utf8(*s)) avvisi_.push_back(std::move(*a));
    std::stable_sort(avvisi_.begin(), avvisi_.end(), [](const AvvisoLint& a, const AvvisoLint& b) {
      return a.file == b.file ? a.linea < b.linea : a.file < b.file;
    });
    return avvisi_;
  }

 private:
  bool attivo(Avviso a) const { return std::find(attivi_.begin(), attivi_.end(), a) != attivi_.end(); }

  // A warning at line `riga` of `file`, at the column of the field it is about.
  void avvisa(Avviso a, const std::filesystem::path& file, int64_t riga, int64_t colonna, std::string testo) {
    if (attivo(a)) avvisi_.push_back({a, file, riga, colonna, std::move(testo)});
  }

  void nomi() {
    for (const auto& [nome, cosa] : {std::pair{s_.percorso, "route"}, {s_.treno_nome, "train"}}) {
      if (std::any_of(nome.begin(), nome.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        avvisa(Avviso::nomi_non_ascii, {}, 0, 0,
               std::string("the ") + cosa + " name \"" + nome +
                   "\" is not plain ASCII: the check codes then depend on its encoding");
    }
  }

  // Whether the field is one of the file's keywords as the compile reads
  // it; with `solo_minuscole`, whether it holds the words of one that must
  // be written in lower case (the field given with its capitals lowered).
  static bool una(std::string_view campo, scen::FileFormato file, bool solo_minuscole = false) {
    for (const scen::ParolaChiave& p : scen::kParoleChiave)
      if (p.file == file && (!solo_minuscole || p.minuscole) && scen::corrisponde(p, campo)) return true;
    return false;
  }

  // Lines the compile passes over without a word: a misspelt keyword, or a
  // general-section word written with capitals.
  void parole(const Sorgente& s, bool linea) {
    const scen::FileFormato del_file = linea ? scen::FileFormato::linea : scen::FileFormato::treno;
    std::string_view buona;  // the last keyword found good: a section repeats it line after line
    for (const Riga& r : s.righe()) {
      const std::string_view originale = r.parola.testo;
      if (originale.empty() || originale == buona || scen::contiene(originale, scen::kSegnoCommento) ||
          (originale.find('[') != std::string::npos && originale.find(']') != std::string::npos))
        continue;
      if (una(originale, del_file)) {
        buona = originale;
        continue;
      }
      if (linea && una(r.chiave, del_file, true)) {
        avvisa(Avviso::parola_sconosciuta, s.file(), r.numero, r.parola.colonna,
               "\"" + std::string(originale) +
                   "\" is written with capitals: the words of the general section must be lower case, so the "
                   "compile ignores this line");
        continue;
      }
      avvisa(Avviso::parola_sconosciuta, s.file(), r.numero, r.parola.colonna,
             "\"" + std::string(originale) + "\" is not a keyword of the " + (linea ? "line" : "train") +
                 " file: the compile ignores this line");
    }
  }

  static bool commento(const Riga& r) { return scen::contiene(r.chiave, scen::kSegnoCommento); }

  void profilo(const Sorgente& s, Parola quale, const char* nome) {
    std::optional<int64_t> precedente;
    for (const Riga& r : s.righe()) {
      if (!scen::corrisponde(scen::parola(quale), r.chiave) || commento(r)) continue;
      const Campi campi = s.campi(r);
      const auto p = numero(campi, 1);
      if (!p) continue;
      if (!precedente && *p != 0)
        avvisa(Avviso::ordine_profili, s.file(), r.numero, campi[1].colonna,
               std::string("the ") + nome + " profile starts at " + std::to_string(*p) +
                   " m, not at 0: the cells before it take the starting value 0");
      if (precedente && *p < *precedente)
        avvisa(Avviso::ordine_profili, s.file(), r.numero, campi[1].colonna,
               std::string("this ") + nome + " line at " + std::to_string(*p) + " m comes after one at " +
                   std::to_string(*precedente) + " m: profile lines must ascend");
      precedente = p;
    }
  }

  void cartelli(const Sorgente& s) {
    for (const Riga& r : s.righe()) {
      if (!scen::corrisponde(scen::parola(Parola::cartello_indicatore), r.chiave)) continue;
      const Campi campi = s.campi(r);
      if (campi.size() < 3) continue;
      const std::string_view t = campi[2].testo;
      int gruppi = 0;
      size_t piu_largo = 0;
      for (size_t a = t.find('('); a != std::string::npos; a = t.find('(', a + 1)) {
        const size_t b = t.find(')', a);
        if (b == std::string::npos) break;
        ++gruppi;
        piu_largo = std::max(piu_largo, b - a - 1);
        a = b;
      }
      if (gruppi > 3 || piu_largo > 12)
        avvisa(Avviso::larghezza_cartello, s.file(), r.numero, campi[2].colonna,
               "the board text has " + std::to_string(gruppi) + (gruppi == 1 ? " group" : " groups") + ", the widest " + std::to_string(piu_largo) +
                   " characters: a board shows at most 3 groups of 12");
    }
  }

  void segnali_e_stazioni(const Sorgente& s) {
    struct Segnale {
      int64_t riga;
      int64_t colonna;  // of its position
      int64_t posizione;
    };
    struct Stazione {
      int64_t riga;
      std::string_view nome;       // its last field
      std::vector<int64_t> segni;  // the cells of its approach marks
    };
    std::vector<Segnale> segnali;
    std::vector<Stazione> stazioni;
    for (const Riga& r : s.righe()) {
      if (commento(r)) continue;
      const bool segnale = scen::corrisponde(scen::parola(Parola::segnale), r.chiave);
      const bool stazione = scen::corrisponde(scen::parola(Parola::stazione), r.chiave);
      if (!segnale && !stazione) continue;
      const Campi campi = s.campi(r);
      if (segnale) {
        if (const auto p = numero(campi, 1)) segnali.push_back({r.numero, campi[1].colonna, *p});
      }
      if (stazione) {
        const auto p = numero(campi, 1), tipo = numero(campi, 2), l = numero(campi, 3), opzione_3 = numero(campi, 6);
        if (!p || !tipo || !l || *tipo >= 25 || *tipo == 5 || *tipo == 6) continue;
        // Only where the train stops: a dwell time or a scheduled time.
        bool ferma = false;
        for (size_t i = 13; i <= 16; ++i) ferma = ferma || numero(campi, i).value_or(0) != 0;
        if (!ferma) continue;
        const double centro = *p + *l / 2.0;
        // A station past 2^63 m, which no line reaches, marks no cells.
        if (!(std::fabs(centro) < 0x1p63)) continue;
        const int64_t fine = *tipo == 7 || *tipo == 8 ? somma(*p, *l) : arrotonda(centro) + (opzione_3.value_or(0) ? 50 : 0);
        Stazione st{r.numero, campi.back().testo, {}};
        for (int k = 1; k <= 4; ++k)
          if (fine / 50.0 - k - 1 > 1) st.segni.push_back(arrotonda(fine / 50.0 - k - 1));
        stazioni.push_back(std::move(st));
      }
    }
    auto ordinati = segnali;
    std::stable_sort(ordinati.begin(), ordinati.end(),
                     [](const Segnale& a, const Segnale& b) { return a.posizione < b.posizione; });
    for (size_t i = 1; i < ordinati.size(); ++i) {
      const int64_t d = differenza(ordinati[i].posizione, ordinati[i - 1].posizione);
      if (d < 750)
        avvisa(Avviso::distanza_segnali, s.file(), ordinati[i].riga, ordinati[i].colonna,
               "this signal at " + std::to_string(ordinati[i].posizione) + " m is only " + std::to_string(d) +
                   " m from the signal at " + std::to_string(ordinati[i - 1].posizione) + " m (line " +
                   std::to_string(ordinati[i - 1].riga) + "); signals stand at least 750 m apart");
    }
    for (const Segnale& g : segnali) {
      const int64_t cella = arrotonda(g.posizione / 50.0 + 1);
      for (const Stazione& z : stazioni) {
        const auto tocca = std::find_if(z.segni.begin(), z.segni.end(), [&](int64_t c) {
          return c < cella && c >= cella - 8 && (cella - c) % 2 == 0;
        });
        if (tocca == z.segni.end()) continue;
        avvisa(Avviso::stazione_segnale, s.file(), g.riga, g.colonna,
               "an approach mark of this signal at " + std::to_string(g.posizione) + " m falls in cell " +
                   std::to_string(*tocca) + " and overwrites an approach mark of \"" + std::string(z.nome) +
                   "\" (line " + std::to_string(z.riga) +
                   "), where the train stops: the driver loses the cues to the stop");
        break;
      }
    }
  }

  const SorgentiLint& s_;
  const std::vector<Avviso>& attivi_;
  const Sorgente linea_;
  const Sorgente treno_;
  std::vector<AvvisoLint> avvisi_;
};

}  // namespace

std::vector<AvvisoLint> controlla_sorgenti(const SorgentiLint& s, const std::vector<Avviso>& attivi) {
  return Controllo(s, attivi).esegui();
}

}  // namespace scenc
