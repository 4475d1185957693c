#include "tools/lint/lint.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string_view>

#include "format/keywords.h"
#include "util/rounding.h"

namespace scenc {

// The flags are written as string literals in format/warnings.def: each view
// ends where its literal does.
const char* flag_avviso(Avviso a) { return scen::avviso(a).flag.data(); }

namespace {

using scen::arrotonda;
using scen::Parola;

// How much of a source file the warnings look at: its first 512 Ki
// characters, a CR LF line end counting as one. Far beyond any author's
// file, it keeps a file of hundreds of megabytes from being held in memory
// line by line. The compile itself reads the whole file.
constexpr size_t kCaratteriEsaminati = size_t{1} << 19;

// A field keeps at most this many bytes before its blanks are trimmed.
constexpr size_t kLunghezzaCampo = 4096;

struct Campo {
  std::string_view testo;  // blanks trimmed
  int64_t colonna = 0;     // in bytes, from 1
};

struct Riga {
  int64_t numero = 0;
  std::string_view testo;  // without its line end
  Campo parola;            // the first field, the keyword
  std::string chiave;      // the keyword in lower case
};

// A source file as the warnings see it: its text and its lines, which
// point into that text. Moving it keeps them valid, copying would not.
struct Sorgente {
  std::vector<char> testo;
  std::vector<Riga> righe;

  Sorgente() = default;
  Sorgente(Sorgente&&) = default;
  Sorgente(const Sorgente&) = delete;
  Sorgente& operator=(const Sorgente&) = delete;
};

// The first `limite` bytes of the file, or all of it when shorter. A file
// that cannot be opened is empty here, and a read that fails ends the text
// where it failed, as the end of the file would: the compile reports both.
std::vector<char> inizio_del_file(const std::filesystem::path& file, size_t limite) {
  std::vector<char> testo;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(file.c_str(), "rb"), &std::fclose);
  if (!f) return testo;
  // One read for a regular file: its size, and one byte more to see its end.
  struct stat st {};
  size_t previsti = size_t{1} << 16;
  if (fstat(fileno(f.get()), &st) == 0 && S_ISREG(st.st_mode)) previsti = static_cast<size_t>(st.st_size) + 1;
  testo.resize(std::min(previsti, limite));
  size_t letti = 0;
  for (;;) {
    letti += std::fread(testo.data() + letti, 1, testo.size() - letti, f.get());
    if (letti < testo.size() || testo.size() == limite) break;
    testo.resize(std::min(limite, 2 * testo.size()));
  }
  testo.resize(letti);
  return testo;
}

bool blank(char c) { return c == ' ' || c == '\t'; }

// The field of `riga` from byte `inizio` to byte `fine`.
Campo campo_tra(std::string_view riga, size_t inizio, size_t fine) {
  fine = std::min(fine, inizio + kLunghezzaCampo);
  size_t a = inizio;
  while (a < fine && blank(riga[a])) ++a;
  if (a == fine) return {{}, static_cast<int64_t>(inizio) + 1};
  while (blank(riga[fine - 1])) --fine;
  return {riga.substr(a, fine - a), static_cast<int64_t>(a) + 1};
}

// Where a field that starts at `inizio` ends: at the next comma, or at the
// end of the line.
size_t fine_campo(std::string_view riga, size_t inizio) {
  while (inizio < riga.size() && riga[inizio] != ',') ++inizio;
  return inizio;
}

// Field `i` of a line, 0 being the keyword; none when the line has fewer.
std::optional<Campo> campo(const Riga& r, size_t i) {
  size_t inizio = 0;
  for (; i > 0; --i) {
    inizio = fine_campo(r.testo, inizio) + 1;
    if (inizio > r.testo.size()) return std::nullopt;
  }
  return campo_tra(r.testo, inizio, fine_campo(r.testo, inizio));
}

Campo ultimo_campo(const Riga& r) {
  const size_t virgola = r.testo.rfind(',');
  return campo_tra(r.testo, virgola == std::string_view::npos ? 0 : virgola + 1, r.testo.size());
}

// Where byte `c` next occurs in `t` from `da` on; t.size() when nowhere.
size_t prossimo(std::string_view t, char c, size_t da) { return std::min(t.find(c, da), t.size()); }

// The lines of a source file, their ends as the compile counts them (CR
// LF, LF or CR alone); a line cut off at kCaratteriEsaminati is left out.
Sorgente righe(const std::filesystem::path& file) {
  Sorgente s;
  // Every character may be a CR LF: twice the bytes, and one to see more follow.
  s.testo = inizio_del_file(file, 2 * kCaratteriEsaminati + 1);
  const std::string_view t(s.testo.data(), s.testo.size());
  // The bytes examined, growing by the LF of each CR LF.
  size_t esaminati = std::min(t.size(), kCaratteriEsaminati);
  // Room for every line at once: each but the last ends in a CR or an LF,
  // and there are no more than the characters examined. Growing a step at
  // a time would copy the lines over and over, into fresh memory each time.
  const auto a_capo = std::count_if(t.begin(), t.end(), [](char c) { return c == '\n' || c == '\r'; });
  s.righe.reserve(std::min(static_cast<size_t>(a_capo), kCaratteriEsaminati) + 1);
  // The next CR and the next LF, each looked for again once passed.
  size_t cr = prossimo(t, '\r', 0), lf = prossimo(t, '\n', 0);
  for (size_t inizio = 0; inizio < esaminati;) {
    if (cr < inizio) cr = prossimo(t, '\r', inizio);
    if (lf < inizio) lf = prossimo(t, '\n', inizio);
    const size_t fine = std::min({cr, lf, esaminati});
    if (fine == esaminati && esaminati < t.size()) break;
    Riga& r = s.righe.emplace_back();
    r.numero = static_cast<int64_t>(s.righe.size());
    r.testo = t.substr(inizio, fine - inizio);
    r.parola = *campo(r, 0);
    r.chiave = r.parola.testo;
    for (char& c : r.chiave)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    inizio = fine + 1;
    if (fine == cr && lf == inizio) {
      ++inizio;
      esaminati = std::min(t.size(), esaminati + 1);
    }
  }
  return s;
}

// The number in field `i`, as strtoll reads it when only a blank or the
// end of the field follows it.
std::optional<int64_t> numero(const Riga& r, size_t i) {
  const auto c = campo(r, i);
  if (!c || c->testo.empty()) return std::nullopt;
  const std::string_view t = c->testo;
  // Plain digits, as nearly every field holds, read in place; 18 of them
  // cannot overflow. strtoll would need a copy that ends in NUL.
  if (t.size() <= 18 && std::all_of(t.begin(), t.end(), [](char d) { return d >= '0' && d <= '9'; })) {
    int64_t v = 0;
    for (const char d : t) v = 10 * v + (d - '0');
    return v;
  }
  const std::string copia(t);
  char* dopo = nullptr;
  const long long w = std::strtoll(copia.c_str(), &dopo, 10);
  if (*dopo != '\0' && *dopo != ' ') return std::nullopt;
  return w;
}

class Controllo {
 public:
  Controllo(const SorgentiLint& s, const std::vector<Avviso>& attivi) : s_(s), attivi_(attivi) {}

  std::vector<AvvisoLint> esegui() {
    nomi();
    const Sorgente linea = righe(s_.linea);
    const Sorgente treno = righe(s_.treno);
    parole(linea.righe, s_.linea, true);
    parole(treno.righe, s_.treno, false);
    profilo(linea.righe, s_.linea, Parola::pendenza, "gradient");
    cartelli(linea.righe);
    profilo(treno.righe, s_.treno, Parola::velocita, "speed");
    profilo(treno.righe, s_.treno, Parola::aderenza, "adhesion");
    segnali_e_stazioni(treno.righe);
    std::stable_sort(avvisi_.begin(), avvisi_.end(), [](const AvvisoLint& a, const AvvisoLint& b) {
      return a.file == b.file ? a.linea < b.linea : a.file < b.file;
    });
    return avvisi_;
  }

 private:
  bool attivo(Avviso a) const { return std::find(attivi_.begin(), attivi_.end(), a) != attivi_.end(); }

  void avvisa(Avviso a, const std::filesystem::path& file, const Riga* r, size_t indice, std::string testo) {
    if (!attivo(a)) return;
    AvvisoLint w{a, file, r ? r->numero : 0, 0, std::move(testo)};
    if (const auto c = r ? campo(*r, indice) : std::nullopt) w.colonna = c->colonna;
    avvisi_.push_back(std::move(w));
  }

  void nomi() {
    for (const auto& [nome, cosa] : {std::pair{s_.percorso, "route"}, {s_.treno_nome, "train"}}) {
      if (std::any_of(nome.begin(), nome.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        avvisa(Avviso::nomi_non_ascii, {}, nullptr, 0,
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
  void parole(const std::vector<Riga>& rr, const std::filesystem::path& file, bool linea) {
    const scen::FileFormato del_file = linea ? scen::FileFormato::linea : scen::FileFormato::treno;
    std::string_view buona;  // the last keyword found good: a section repeats it line after line
    for (const Riga& r : rr) {
      const std::string_view originale = r.parola.testo;
      if (originale.empty() || originale == buona || scen::contiene(originale, scen::kSegnoCommento) ||
          (originale.find('[') != std::string::npos && originale.find(']') != std::string::npos))
        continue;
      if (una(originale, del_file)) {
        buona = originale;
        continue;
      }
      if (linea && una(r.chiave, del_file, true)) {
        avvisa(Avviso::parola_sconosciuta, file, &r, 0,
               "\"" + std::string(originale) +
                   "\" is written with capitals: the words of the general section must be lower case, so the "
                   "compile ignores this line");
        continue;
      }
      avvisa(Avviso::parola_sconosciuta, file, &r, 0,
             "\"" + std::string(originale) + "\" is not a keyword of the " + (linea ? "line" : "train") +
                 " file: the compile ignores this line");
    }
  }

  static bool commento(const Riga& r) { return scen::contiene(r.chiave, scen::kSegnoCommento); }

  void profilo(const std::vector<Riga>& rr, const std::filesystem::path& file, Parola quale, const char* nome) {
    std::optional<int64_t> precedente;
    for (const Riga& r : rr) {
      if (!scen::corrisponde(scen::parola(quale), r.chiave) || commento(r)) continue;
      const auto p = numero(r, 1);
      if (!p) continue;
      if (!precedente && *p != 0)
        avvisa(Avviso::ordine_profili, file, &r, 1,
               std::string("the ") + nome + " profile starts at " + std::to_string(*p) +
                   " m, not at 0: the cells before it take the starting value 0");
      if (precedente && *p < *precedente)
        avvisa(Avviso::ordine_profili, file, &r, 1,
               std::string("this ") + nome + " line at " + std::to_string(*p) + " m comes after one at " +
                   std::to_string(*precedente) + " m: profile lines must ascend");
      precedente = p;
    }
  }

  void cartelli(const std::vector<Riga>& rr) {
    for (const Riga& r : rr) {
      if (!scen::corrisponde(scen::parola(Parola::cartello_indicatore), r.chiave)) continue;
      const auto testo = campo(r, 2);
      if (!testo) continue;
      const std::string_view t = testo->testo;
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
        avvisa(Avviso::larghezza_cartello, s_.linea, &r, 2,
               "the board text has " + std::to_string(gruppi) + (gruppi == 1 ? " group" : " groups") + ", the widest " + std::to_string(piu_largo) +
                   " characters: a board shows at most 3 groups of 12");
    }
  }

  struct Segnale {
    const Riga* riga;
    int64_t posizione;
  };

  void segnali_e_stazioni(const std::vector<Riga>& rr) {
    std::vector<Segnale> segnali;
    struct Stazione {
      const Riga* riga;
      std::vector<int64_t> segni;  // the cells of its approach marks
    };
    std::vector<Stazione> stazioni;
    for (const Riga& r : rr) {
      if (commento(r)) continue;
      if (scen::corrisponde(scen::parola(Parola::segnale), r.chiave)) {
        if (const auto p = numero(r, 1)) segnali.push_back({&r, *p});
      }
      if (scen::corrisponde(scen::parola(Parola::stazione), r.chiave)) {
        const auto p = numero(r, 1), tipo = numero(r, 2), l = numero(r, 3), opzione_3 = numero(r, 6);
        if (!p || !tipo || !l || *tipo >= 25 || *tipo == 5 || *tipo == 6) continue;
        // Only where the train stops: a dwell time or a scheduled time.
        bool ferma = false;
        for (size_t i = 13; i <= 16; ++i) ferma = ferma || numero(r, i).value_or(0) != 0;
        if (!ferma) continue;
        const int64_t fine = *tipo == 7 || *tipo == 8 ? *p + *l : arrotonda(*p + *l / 2.0) + (opzione_3.value_or(0) ? 50 : 0);
        Stazione st{&r, {}};
        for (int k = 1; k <= 4; ++k)
          if (fine / 50.0 - k - 1 > 1) st.segni.push_back(arrotonda(fine / 50.0 - k - 1));
        stazioni.push_back(std::move(st));
      }
    }
    auto ordinati = segnali;
    std::stable_sort(ordinati.begin(), ordinati.end(),
                     [](const Segnale& a, const Segnale& b) { return a.posizione < b.posizione; });
    for (size_t i = 1; i < ordinati.size(); ++i) {
      const int64_t d = ordinati[i].posizione - ordinati[i - 1].posizione;
      if (d < 750)
        avvisa(Avviso::distanza_segnali, s_.treno, ordinati[i].riga, 1,
               "this signal at " + std::to_string(ordinati[i].posizione) + " m is only " + std::to_string(d) +
                   " m from the signal at " + std::to_string(ordinati[i - 1].posizione) + " m (line " +
                   std::to_string(ordinati[i - 1].riga->numero) + "); signals stand at least 750 m apart");
    }
    for (const Segnale& s : segnali) {
      const int64_t cella = arrotonda(s.posizione / 50.0 + 1);
      for (const Stazione& z : stazioni) {
        const auto tocca = std::find_if(z.segni.begin(), z.segni.end(), [&](int64_t c) {
          return c < cella && c >= cella - 8 && (cella - c) % 2 == 0;
        });
        if (tocca == z.segni.end()) continue;
        avvisa(Avviso::stazione_segnale, s_.treno, s.riga, 1,
               "an approach mark of this signal at " + std::to_string(s.posizione) + " m falls in cell " +
                   std::to_string(*tocca) + " and overwrites an approach mark of \"" +
                   std::string(ultimo_campo(*z.riga).testo) + "\" (line " +
                   std::to_string(z.riga->numero) + "), where the train stops: the driver loses the cues to the stop");
        break;
      }
    }
  }

  const SorgentiLint& s_;
  const std::vector<Avviso>& attivi_;
  std::vector<AvvisoLint> avvisi_;
};

}  // namespace

std::vector<AvvisoLint> controlla_sorgenti(const SorgentiLint& s, const std::vector<Avviso>& attivi) {
  return Controllo(s, attivi).esegui();
}

}  // namespace scenc
