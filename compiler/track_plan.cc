#include "compiler/track_plan.h"

#include <limits>
#include <string>

#include "compiler/read_failure.h"

namespace scen {

double curvatura_di_classe(int classe) {
  static constexpr double kCurvature[] = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};
  return kCurvature[classe - 1];
}

TabellaLinea& GeometriaLinea::tabella() {
  if (!tabella_) throw ErroreLettura("the line file has no \"lunghezza percorso\" line before its data: the track plan is not sized");
  return *tabella_;
}

void GeometriaLinea::avvia() {
  TabellaLinea& t = tabella();
  if (t.righe() < 2) throw ErroreLettura("the track plan has fewer than two rows");
  t.x.metti_intero(0, 0);
  t.y.metti_intero(0, 0);
  t.x.metti_intero(1, 0);
  t.y.metti_intero(1, 1);
  cursore_ = 2;
  prossimo_avviso_ = kRighePerAvviso;
}

void GeometriaLinea::avvisa(const TabellaLinea& t, size_t righe) {
  if (osservatore_) osservatore_->righe_definitive(t, righe);
}

// Rows from the cursor on, while it is not greater than `fine`: each step
// continues the direction of the last metre, turned by k; each bracket is
// computed before it is added to the previous coordinate. The two rows
// before the cursor are read once and then carried from step to step.
// Returns false as soon as a step leaves the cursor above `limite`.
bool GeometriaLinea::corsa(int64_t fine, double k, int64_t limite) {
  if (cursore_ > fine) return true;
  TabellaLinea& t = tabella();
  verifica_riga(t);
  // Rows c - 2 (x0, y0) and c - 1 (x1, y1).
  auto c = static_cast<size_t>(cursore_);
  double x0 = t.x.valore[c - 2];
  double y0 = t.y.valore[c - 2];
  double x1 = t.x.valore[c - 1];
  double y1 = t.y.valore[c - 1];
  for (;;) {
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double x = x1 + (dx + k * dy);
    const double y = y1 + (dy - k * dx);
    t.x.metti_reale(c, x);
    t.y.metti_reale(c, y);
    x0 = x1;
    y0 = y1;
    x1 = x;
    y1 = y;
    cursore_ = static_cast<int64_t>(++c);
    if (cursore_ == prossimo_avviso_) {
      avvisa(t, c);
      prossimo_avviso_ += kRighePerAvviso;
    }
    if (cursore_ > limite) return false;
    if (cursore_ > fine) return true;
    verifica_riga(t);
  }
}

void GeometriaLinea::verifica_riga(const TabellaLinea& t) const {
  if (static_cast<uint64_t>(cursore_) >= t.righe())
    throw ErroreLettura("track plan row " + std::to_string(cursore_) + " is outside the plan 0.." +
                        std::to_string(t.righe() - 1));
}

bool GeometriaLinea::rettilineo_fino_a(int64_t s) { return corsa(s, 0.0, kLimiteMetri); }

bool GeometriaLinea::curva_fino_a(int64_t fine, double curvatura) {
  return corsa(fine, curvatura, kLimiteMetri);
}

// No metre limit here. The rows after the last one computed stay empty:
// the whole plan is final.
void GeometriaLinea::completa(int64_t lunghezza_totale) {
  corsa(lunghezza_totale - 2, 0.0, std::numeric_limits<int64_t>::max());
  if (tabella_) avvisa(*tabella_, tabella_->righe());
}

}  // namespace scen
