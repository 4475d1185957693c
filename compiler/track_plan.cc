#include "compiler/track_plan.h"

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
}

// Continues the direction of the last metre, turned by k; each bracket is
// computed before it is added to the previous coordinate.
void GeometriaLinea::passo(double k) {
  TabellaLinea& t = tabella();
  const auto c = static_cast<size_t>(cursore_);
  if (c >= t.righe())
    throw ErroreLettura("track plan row " + std::to_string(c) + " is outside the plan 0.." +
                        std::to_string(t.righe() - 1));
  const double x1 = t.x.valore[c - 1];
  const double y1 = t.y.valore[c - 1];
  const double dx = x1 - t.x.valore[c - 2];
  const double dy = y1 - t.y.valore[c - 2];
  t.x.metti_reale(c, x1 + (dx + k * dy));
  t.y.metti_reale(c, y1 + (dy - k * dx));
  ++cursore_;
}

bool GeometriaLinea::rettilineo_fino_a(int64_t s) {
  while (cursore_ <= s) {
    passo(0.0);
    if (cursore_ > kLimiteMetri) return false;
  }
  return true;
}

bool GeometriaLinea::curva_fino_a(int64_t fine, double curvatura) {
  while (cursore_ <= fine) {
    passo(curvatura);
    if (cursore_ > kLimiteMetri) return false;
  }
  return true;
}

void GeometriaLinea::completa(int64_t lunghezza_totale) {
  while (cursore_ <= lunghezza_totale - 2) passo(0.0);
}

}  // namespace scen
