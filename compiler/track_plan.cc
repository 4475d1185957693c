#include "compiler/track_plan.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace scen {

double curvatura_di_classe(int classe) {
  static constexpr double kCurvature[] = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};
  return kCurvature[classe - 1];
}

TabellaLinea* GeometriaLinea::tabella() {
  if (!tabella_) {
    guasti_.guasto("the line file has no \"lunghezza percorso\" line before its data: the track plan is not sized");
    return nullptr;
  }
  return &*tabella_;
}

bool GeometriaLinea::avvia() {
  if (!tabella()) return false;
  TabellaLinea& t = *tabella_;
  if (t.righe() < 2) {
    guasti_.guasto("the track plan has fewer than two rows");
    return false;
  }
  t.x.metti_intero(0, 0);
  t.y.metti_intero(0, 0);
  t.x.metti_intero(1, 0);
  t.y.metti_intero(1, 1);
  cursore_ = 2;
  prossimo_avviso_ = kRighePerAvviso;
  // The first two rows are final: told at once, the plan's file is made
  // and reserved at its length while the rest of the line is read.
  avvisa(t, 2);
  return true;
}

void GeometriaLinea::avvisa(const TabellaLinea& t, size_t righe) {
  if (osservatore_) osservatore_->righe_definitive(t, righe);
}

namespace {

// Whether a straight may be run without its zero products (see `passi`)
// from these rows. A difference is -0 only when its first term is, and a
// sum only when both terms are: with x1 and y1 not -0, no row of the
// straight is. Starting below 1e290, a straight cannot reach infinity
// within 2^31 rows.
bool rettilineo_esatto(double x0, double y0, double x1, double y1) {
  constexpr double kMassimo = 1e290;
  for (const double v : {x0, y0, x1, y1})
    if (!(std::fabs(v) < kMassimo)) return false;
  return !(x1 == 0.0 && std::signbit(x1)) && !(y1 == 0.0 && std::signbit(y1));
}

}  // namespace

// Rows from the cursor on, while it is not greater than `fine`. The two
// rows before the cursor are read once and then carried from step to step.
// Returns false as soon as a step leaves the cursor above `limite`.
bool GeometriaLinea::corsa(int64_t fine, double k, int64_t limite) {
  if (cursore_ > fine) return true;
  if (!tabella()) return false;
  TabellaLinea& t = *tabella_;
  if (!verifica_riga(t)) return false;
  const auto c = static_cast<size_t>(cursore_);
  const double x0 = t.x.valore[c - 2];
  const double y0 = t.y.valore[c - 2];
  const double x1 = t.x.valore[c - 1];
  const double y1 = t.y.valore[c - 1];
  if (k == 0.0 && rettilineo_esatto(x0, y0, x1, y1)) return passi<true>(t, x0, y0, x1, y1, k, fine, limite);
  return passi<false>(t, x0, y0, x1, y1, k, fine, limite);
}

// Each step continues the direction of the last metre, turned by k; each
// bracket is computed before it is added to the previous coordinate.
//
// On a straight, k = 0: k * dy and k * dx are zeros, and adding a zero to
// dx or taking one from dy gives it back unchanged, bit for bit, as long as
// neither is -0 and both are finite (`rettilineo_esatto`). Left out, the
// products no longer hold up the next row, which then waits only for a
// subtraction and an addition.
//
// The steps go in stretches that end before the first row after which the
// cursor reaches an announcement, passes `limite` or `fine`, or leaves the
// plan: within a stretch nothing is tested, and the row that ends it is
// stepped and tested as every row would be.
template <bool kRettilineo>
bool GeometriaLinea::passi(TabellaLinea& t, double x0, double y0, double x1, double y1, double k,
                           int64_t fine, int64_t limite) {
  // The next row, which becomes the last one carried.
  const auto passo = [&] {
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    x0 = x1;
    y0 = y1;
    if constexpr (kRettilineo) {
      x1 += dx;
      y1 += dy;
    } else {
      x1 += dx + k * dy;
      y1 += dy - k * dx;
    }
  };
  for (;;) {
    auto c = static_cast<size_t>(cursore_);
    const int64_t ultima =
        std::min({prossimo_avviso_ - 1, limite, fine, static_cast<int64_t>(t.righe()) - 1});
    if (ultima > cursore_) {
      const auto fino = static_cast<size_t>(ultima);
      double* const vx = t.x.valore.data();
      double* const vy = t.y.valore.data();
      for (size_t r = c; r < fino; ++r) {
        passo();
        vx[r] = x1;
        vy[r] = y1;
      }
      std::fill(t.x.tipo.begin() + static_cast<ptrdiff_t>(c), t.x.tipo.begin() + static_cast<ptrdiff_t>(fino),
                TipoSlot::reale);
      std::fill(t.y.tipo.begin() + static_cast<ptrdiff_t>(c), t.y.tipo.begin() + static_cast<ptrdiff_t>(fino),
                TipoSlot::reale);
      c = fino;
      cursore_ = ultima;
    }
    passo();
    t.x.metti_reale(c, x1);
    t.y.metti_reale(c, y1);
    cursore_ = static_cast<int64_t>(++c);
    if (cursore_ == prossimo_avviso_) {
      avvisa(t, c);
      prossimo_avviso_ += kRighePerAvviso;
    }
    if (cursore_ > limite) return false;
    if (cursore_ > fine) return true;
    if (!verifica_riga(t)) return false;
  }
}

bool GeometriaLinea::verifica_riga(const TabellaLinea& t) const {
  if (static_cast<uint64_t>(cursore_) < t.righe()) return true;
  guasti_.guasto("track plan row " + std::to_string(cursore_) + " is outside the plan 0.." +
                 std::to_string(t.righe() - 1));
  return false;
}

bool GeometriaLinea::rettilineo_fino_a(int64_t s) { return corsa(s, 0.0, kLimiteMetri); }

bool GeometriaLinea::curva_fino_a(int64_t fine, double curvatura) {
  return corsa(fine, curvatura, kLimiteMetri);
}

// No metre limit here. The rows after the last one computed stay empty:
// the whole plan is final.
bool GeometriaLinea::completa(int64_t lunghezza_totale) {
  if (!corsa(lunghezza_totale - 2, 0.0, std::numeric_limits<int64_t>::max())) return false;
  if (tabella_) avvisa(*tabella_, tabella_->righe());
  return true;
}

}  // namespace scen
