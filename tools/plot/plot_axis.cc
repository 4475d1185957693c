#include "tools/plot/plot_axis.h"

namespace scenc::plot {

namespace {

constexpr int64_t kFattori[] = {1, 2, 5};
constexpr int64_t kMassimo = int64_t{1} << 40;

}  // namespace

int64_t passo_tondo(double scala, double distanza, int64_t minimo) {
  for (int64_t dieci = 1; dieci < kMassimo; dieci *= 10)
    for (int64_t f : kFattori) {
      const int64_t passo = f * dieci;
      if (passo >= minimo && static_cast<double>(passo) * scala >= distanza) return passo;
    }
  return kMassimo;
}

int64_t lunghezza_tonda(double scala, double distanza) {
  int64_t migliore = 1;
  for (int64_t dieci = 1; dieci < kMassimo; dieci *= 10)
    for (int64_t f : kFattori) {
      const int64_t l = f * dieci;
      if (static_cast<double>(l) * scala > distanza) return migliore;
      migliore = l;
    }
  return migliore;
}

}  // namespace scenc::plot
