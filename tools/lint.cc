#include "tools/lint.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string_view>

#include "compiler/vocabulary.h"

namespace scenc {

const char* flag_avviso(Avviso a) {
  switch (a) {
    case Avviso::ordine_profili: return "no-warn-profile-order";
    case Avviso::distanza_segnali: return "no-warn-signal-spacing";
    case Avviso::stazione_segnale: return "no-warn-station-signal";
    case Avviso::larghezza_cartello: return "no-warn-board-width";
    case Avviso::nomi_non_ascii: return "no-warn-non-ascii-names";
    case Avviso::parola_sconosciuta: return "no-warn-unknown-keyword";
  }
  return "";
}

namespace {

struct Campo {
  std::string testo;
  int64_t colonna = 0;
};

struct Riga {
  int64_t numero = 0;
  std::vector<Campo> campi;  // the keyword, then the values
  std::string chiave;        // lower case
};

std::string minuscolo(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

// How much of a source file the warnings look at: far beyond any author's
// file, and it keeps a file of hundreds of megabytes from being held in
// memory line by line. The compile itself reads the whole file.
constexpr int64_t kByteEsaminati = int64_t{1} << 19;

// The lines of a source file split at commas (blanks trimmed), line ends
// counted as the compile counts them; a line cut off at kByteEsaminati is
// left out.
std::vector<Riga> righe(const std::filesystem::path& file) {
  std::vector<Riga> out;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(file.c_str(), "rb"), &std::fclose);
  if (!f) return out;
  Riga r{1, {}, {}};
  Campo campo{"", 1};
  int64_t colonna = 1;
  auto chiudi_campo = [&] {
    const size_t a = campo.testo.find_first_not_of(" \t");
    const size_t b = campo.testo.find_last_not_of(" \t");
    campo.colonna += a == std::string::npos ? 0 : static_cast<int64_t>(a);
    campo.testo = a == std::string::npos ? "" : campo.testo.substr(a, b - a + 1);
    r.campi.push_back(campo);
    campo = {"", colonna};
  };
  auto chiudi_riga = [&] {
    chiudi_campo();
    r.chiave = minuscolo(r.campi.front().testo);
    out.push_back(std::move(r));
    r = {out.back().numero + 1, {}, {}};
    colonna = 1;
    campo = {"", 1};
  };
  int64_t letti = 0;
  for (int c = std::fgetc(f.get()); c != EOF; c = std::fgetc(f.get())) {
    if (++letti > kByteEsaminati) return out;
    if (c == '\r' || c == '\n') {
      if (c == '\r') {
        const int d = std::fgetc(f.get());
        if (d != '\n' && d != EOF) std::ungetc(d, f.get());
      }
      chiudi_riga();
      continue;
    }
    ++colonna;
    if (c == ',') {
      chiudi_campo();
      continue;
    }
    if (campo.testo.size() < 4096) campo.testo.push_back(static_cast<char>(c));
  }
  if (!campo.testo.empty() || !r.campi.empty()) chiudi_riga();
  return out;
}

std::optional<int64_t> numero(const Riga& r, size_t i) {
  if (i >= r.campi.size()) return std::nullopt;
  const std::string& t = r.campi[i].testo;
  char* fine = nullptr;
  const long long v = std::strtoll(t.c_str(), &fine, 10);
  if (t.empty() || (fine && *fine != '\0' && *fine != ' ')) return std::nullopt;
  return v;
}

int64_t arrotonda(double q) { return static_cast<int64_t>(std::nearbyint(q)); }

class Controllo {
 public:
  Controllo(const SorgentiLint& s, const std::vector<Avviso>& attivi) : s_(s), attivi_(attivi) {}

  std::vector<AvvisoLint> esegui() {
    nomi();
    const auto linea = righe(s_.linea);
    const auto treno = righe(s_.treno);
    parole(linea, s_.linea, true);
    parole(treno, s_.treno, false);
    profilo(linea, s_.linea, "pendenza", "gradient");
    cartelli(linea);
    profilo(treno, s_.treno, "velocit", "speed");
    profilo(treno, s_.treno, "aderenza", "adhesion");
    segnali_e_stazioni(treno);
    std::stable_sort(avvisi_.begin(), avvisi_.end(), [](const AvvisoLint& a, const AvvisoLint& b) {
      return a.file == b.file ? a.linea < b.linea : a.file < b.file;
    });
    return avvisi_;
  }

 private:
  bool attivo(Avviso a) const { return std::find(attivi_.begin(), attivi_.end(), a) != attivi_.end(); }

  void avvisa(Avviso a, const std::filesystem::path& file, const Riga* r, size_t campo, std::string testo) {
    if (!attivo(a)) return;
    AvvisoLint w{a, file, r ? r->numero : 0, 0, std::move(testo)};
    if (r && campo < r->campi.size()) w.colonna = r->campi[campo].colonna;
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

  // Lines the compile passes over without a word: a misspelt keyword, or a
  // general-section word written with capitals.
  void parole(const std::vector<Riga>& rr, const std::filesystem::path& file, bool linea) {
    auto tutte = [](const std::string& campo, const scen::ParolaChiave& p) {
      return std::all_of(p.cercate.begin(), p.cercate.end(),
                         [&](std::string_view parola) { return campo.find(parola) != std::string::npos; });
    };
    // A keyword of that file, among those written in any case or among the
    // general section's lower-case ones.
    auto una = [&](const std::string& campo, scen::FileParola file, bool minuscole) {
      return std::any_of(std::begin(scen::kParoleChiave), std::end(scen::kParoleChiave), [&](const scen::ParolaChiave& p) {
        return p.file == file && p.minuscole == minuscole && tutte(campo, p);
      });
    };
    using scen::FileParola;
    for (const Riga& r : rr) {
      const std::string& originale = r.campi.front().testo;
      if (originale.empty() || originale.find('-') != std::string::npos ||
          (originale.find('[') != std::string::npos && originale.find(']') != std::string::npos))
        continue;
      if (linea ? una(r.chiave, FileParola::linea, false) || una(originale, FileParola::linea, true)
                : una(r.chiave, FileParola::treno, false))
        continue;
      if (linea && una(r.chiave, FileParola::linea, true)) {
        avvisa(Avviso::parola_sconosciuta, file, &r, 0,
               "\"" + originale + "\" is written with capitals: the words of the general section must be " +
                   "lower case, so the compile ignores this line");
        continue;
      }
      avvisa(Avviso::parola_sconosciuta, file, &r, 0,
             "\"" + originale + "\" is not a keyword of the " + (linea ? "line" : "train") +
                 " file: the compile ignores this line");
    }
  }

  void profilo(const std::vector<Riga>& rr, const std::filesystem::path& file, const char* parola, const char* nome) {
    std::optional<int64_t> precedente;
    for (const Riga& r : rr) {
      if (r.chiave.find(parola) == std::string::npos || r.chiave.find('-') != std::string::npos) continue;
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
      if (r.chiave.find("cartello") == std::string::npos || r.chiave.find("indicat") == std::string::npos ||
          r.campi.size() < 3)
        continue;
      const std::string& t = r.campi[2].testo;
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
      if (r.chiave.find('-') != std::string::npos) continue;
      if (r.chiave.find("segnale") != std::string::npos) {
        if (const auto p = numero(r, 1)) segnali.push_back({&r, *p});
      }
      if (r.chiave.find("stazione") != std::string::npos) {
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
                   (z.riga->campi.empty() ? "" : z.riga->campi.back().testo) + "\" (line " +
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
