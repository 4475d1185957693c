#include "output/code_track.h"

#include <vector>

namespace scen {

namespace {

class PassoCodici {
 public:
  explicit PassoCodici(Modello& m) : m_(m), c_(*m.celle), ultima_(static_cast<int64_t>(c_.size()) - 1) {}

  void esegui() {
    const int64_t ultima_regola = ultima_ - 2;
    for (int64_t n = 1; n <= ultima_regola; ++n) {
      if (c_[n].tipo == 4)
        regola_avviso(n);
      else if (c_[n].tipo == 3)
        regola_inizio(n);
    }
  }

 private:
  bool libera(int64_t i) const { return i >= 0 && i <= ultima_ && c_[i].libera(); }
  void poni(int64_t i) {
    c_[i].tipo = 12;
    c_[i].valore_1 = kCodiceAbbattimento;
  }
  void errore(int codice) { m_.codice_errore = codice; }

  // The signals in the 20 cells behind a warning point get a point just
  // before them, or their existing point is cut down to 180.
  void regola_avviso(int64_t n) {
    for (int64_t k = 1; k <= 20 && n - k >= 3; ++k) {
      const int64_t s = n - k;
      if (c_[s].tipo != 1) continue;
      if (libera(s - 1))
        poni(s - 1);
      else if (libera(s - 2))
        poni(s - 2);
      else if (c_[s - 1].tipo == 12)
        c_[s - 1].valore_1 = minimo(kCodiceAbbattimento, c_[s - 1].valore_1);
      else if (c_[s - 2].tipo == 12)
        c_[s - 2].valore_1 = minimo(kCodiceAbbattimento, c_[s - 2].valore_1);
      else
        errore(kErroreCodiceSegnale);
    }
  }

  void regola_inizio(int64_t n) {
    finestre(n);
    int64_t k = n;
    bool fine_trovata = false;
    if (c_[n].valore_1 < 110) {
      k = lungo_rallentamento(n);
      fine_trovata = true;
    } else {
      // No run along the slowdown: look for its end from the start on.
      for (int64_t i = n + 1; i <= ultima_; ++i) {
        if (c_[i].tipo == 2) {
          k = i;
          fine_trovata = true;
          break;
        }
      }
    }
    if (fine_trovata) primo_segnale_dopo(k);
  }

  // B1: one point in each window before the start, 250-350, 550-650 and
  // 900-1000 m.
  void finestre(int64_t n) {
    static constexpr int kFinestre[3][3] = {{5, 6, 7}, {11, 12, 13}, {18, 19, 20}};
    for (const auto& f : kFinestre) {
      if (n <= f[2]) continue;
      bool posto = false;
      for (int d : f) {
        if (libera(n - d)) {
          poni(n - d);
          posto = true;
          break;
        }
      }
      if (!posto) errore(kErroreCodiceFinestra);
    }
  }

  // B2: a point every 8 cells along a slow slowdown; returns the end cell
  // (or the grid's last cell).
  int64_t lungo_rallentamento(int64_t n) {
    int64_t c = 0;
    int64_t k = n;
    for (;;) {
      ++k;
      ++c;
      if (c == 8) {
        if (libera(k)) {
          poni(k);
          c = 0;
        } else if (libera(k - 1)) {
          poni(k - 1);
          c = 1;
        } else if (libera(k + 1)) {
          poni(k + 1);
          c = -1;
        } else {
          errore(kErroreCodiceRallentamento);
        }
      }
      if (c_[k].tipo == 2 || k >= ultima_) return k;
    }
  }

  // B3: a point before the first signal within 13 cells of the end.
  void primo_segnale_dopo(int64_t k) {
    int64_t p = 0;
    for (int64_t i = k; i <= k + 12 && i <= ultima_; ++i) {
      if (c_[i].tipo == 1) {
        p = i - 1;
        break;
      }
    }
    if (p <= 0) return;
    if (libera(p))
      poni(p);
    else if (libera(p - 1))
      poni(p - 1);
    else
      errore(kErroreCodiceRallentamento);
  }

  Modello& m_;
  std::vector<Cella>& c_;
  const int64_t ultima_;
};

}  // namespace

void completa_codici(Modello& m) {
  if (!m.celle) return;
  PassoCodici(m).esegui();
}

}  // namespace scen
