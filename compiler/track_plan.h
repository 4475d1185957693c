// The per-metre plan of the track: the line runs straight except along the
// curves, which turn its direction by a constant amount per metre.
#pragma once

#include <cstdint>

#include "compiler/failure_sink.h"
#include "compiler/plan_progress.h"
#include "model/model.h"

namespace scen {

class GeometriaLinea {
 public:
  // The metre limit of a run: no row beyond it is computed by a curve line.
  static constexpr int64_t kLimiteMetri = 1000000;

  // The rows behind the cursor are final: the observer, when there is one,
  // hears of them every kRighePerAvviso rows, and of the whole plan once
  // it is complete.
  static constexpr int64_t kRighePerAvviso = int64_t{1} << 16;

  // `tabella` may be absent (no line length read yet): every step then is a
  // read failure. A read failure (that, or a row outside the plan) is told
  // to `guasti` and the step returns false.
  GeometriaLinea(std::optional<TabellaLinea>& tabella, FailureSink& guasti, OsservatorePiano* osservatore = nullptr)
      : tabella_(tabella), guasti_(guasti), osservatore_(osservatore) {}

  bool avvia();
  // Both return false when the metre limit has been passed, or on a read
  // failure.
  bool rettilineo_fino_a(int64_t s);
  bool curva_fino_a(int64_t fine, double curvatura);
  bool completa(int64_t lunghezza_totale);

  int64_t cursore() const { return cursore_; }

 private:
  TabellaLinea* tabella();
  bool corsa(int64_t fine, double k, int64_t limite);
  // The steps of `corsa` from the cursor on, given rows c - 2 (x0, y0) and
  // c - 1 (x1, y1); with kRettilineo, for k = 0 only.
  template <bool kRettilineo>
  bool passi(TabellaLinea& t, double x0, double y0, double x1, double y1, double k, int64_t fine,
             int64_t limite);
  // The row at the cursor must lie within the plan.
  bool verifica_riga(const TabellaLinea& t) const;

  void avvisa(const TabellaLinea& t, size_t righe);

  std::optional<TabellaLinea>& tabella_;
  FailureSink& guasti_;
  OsservatorePiano* osservatore_;
  int64_t cursore_ = 2;
  int64_t prossimo_avviso_ = kRighePerAvviso;
};

// The turn per metre of a curve class 1..6.
double curvatura_di_classe(int classe);

}  // namespace scen
