#include "compiler/code_track.h"

#include <vector>

#include "format/cell_kinds.h"
#include "format/errors.h"

namespace scen {

namespace {

class PassoCodici {
 public:
  PassoCodici(Modello& m, std::vector<ConflittoCodici>& conflitti)
      : c_(*m.celle), ultima_(static_cast<int64_t>(c_.size()) - 1), conflitti_(conflitti) {}

  void esegui() {
    const int64_t ultima_regola = ultima_ - 2;
    for (int64_t n = 1; n <= ultima_regola; ++n) {
      if (TipoCella{c_[n].tipo} == TipoCella::avviso_rallentamento)
        regola_avviso(n);
      else if (TipoCella{c_[n].tipo} == TipoCella::inizio_rallentamento)
        regola_inizio(n);
    }
  }

 private:
  bool libera(int64_t i) const { return i >= 0 && i <= ultima_ && c_[i].libera(); }
  void poni(int64_t i) {
    c_[i].tipo = numero(TipoCella::abbattimento);
    c_[i].valore_1 = kCodiceAbbattimento;
  }
  void errore(Errore e, int64_t regola, int64_t cella, std::string dove) {
    conflitti_.push_back({numero(e), regola, cella, std::move(dove)});
  }

  // The signals in the 20 cells behind a warning point get a point just
  // before them, or their existing point is cut down to 180.
  void regola_avviso(int64_t n) {
    for (int64_t k = 1; k <= 20 && n - k >= 3; ++k) {
      const int64_t s = n - k;
      if (TipoCella{c_[s].tipo} != TipoCella::segnale) continue;
      if (libera(s - 1))
        poni(s - 1);
      else if (libera(s - 2))
        poni(s - 2);
      else if (TipoCella{c_[s - 1].tipo} == TipoCella::abbattimento)
        c_[s - 1].valore_1 = minimo(kCodiceAbbattimento, c_[s - 1].valore_1);
      else if (TipoCella{c_[s - 2].tipo} == TipoCella::abbattimento)
        c_[s - 2].valore_1 = minimo(kCodiceAbbattimento, c_[s - 2].valore_1);
      else
        errore(Errore::codice_segnale, n, s - 1,
               "before the signal in cell " + std::to_string(s) +
                   ", which leads up to the slowdown warning point in cell " + std::to_string(n) +
                   ": cells " + std::to_string(s - 1) + " and " + std::to_string(s - 2) +
                   " are neither free nor a code cut-down point");
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
        if (TipoCella{c_[i].tipo} == TipoCella::fine_rallentamento) {
          k = i;
          fine_trovata = true;
          break;
        }
      }
    }
    if (fine_trovata) primo_segnale_dopo(n, k);
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
      if (!posto)
        errore(Errore::codice_finestra, n, n - f[0],
               "in the window " + std::to_string(f[0] * 50) + " to " + std::to_string(f[2] * 50) +
                   " m before the slowdown starting in cell " + std::to_string(n) + ": cells " +
                   std::to_string(n - f[0]) + ", " + std::to_string(n - f[1]) + " and " + std::to_string(n - f[2]) +
                   " are all taken");
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
          errore(Errore::codice_rallentamento, n, k,
                 "along the slowdown starting in cell " + std::to_string(n) + ": cells " + std::to_string(k) +
                     ", " + std::to_string(k - 1) + " and " + std::to_string(k + 1) +
                     " are all taken; no further point is placed along it");
        }
      }
      if (TipoCella{c_[k].tipo} == TipoCella::fine_rallentamento || k >= ultima_) return k;
    }
  }

  // B3: a point before the first signal within 13 cells of the end.
  void primo_segnale_dopo(int64_t n, int64_t k) {
    int64_t p = 0;
    for (int64_t i = k; i <= k + 12 && i <= ultima_; ++i) {
      if (TipoCella{c_[i].tipo} == TipoCella::segnale) {
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
      errore(Errore::codice_rallentamento, n, p,
             "before the first signal after the slowdown starting in cell " + std::to_string(n) + ": cells " +
                 std::to_string(p) + " and " + std::to_string(p - 1) + " are taken");
  }

  std::vector<Cella>& c_;
  const int64_t ultima_;
  std::vector<ConflittoCodici>& conflitti_;
};

}  // namespace

std::vector<ConflittoCodici> completa_codici(Modello& m) {
  std::vector<ConflittoCodici> conflitti;
  if (m.celle) PassoCodici(m, conflitti).esegui();
  return conflitti;
}

}  // namespace scen
