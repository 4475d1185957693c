#include "tools/plot/plot_signal_marks.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace scenc::plot {

namespace {

struct Aspetto {
  Marcatore marcatore;
  Colore colore;
};

// Shapes and colours both differ, so that kinds stay apart in grey too.
constexpr std::array<Aspetto, 6> kAspetti = {{
    {Marcatore::cerchio, {0.80, 0.10, 0.10}},
    {Marcatore::quadrato, {0.10, 0.35, 0.75}},
    {Marcatore::triangolo_su, {0.10, 0.55, 0.25}},
    {Marcatore::rombo, {0.85, 0.50, 0.00}},
    {Marcatore::triangolo_giu, {0.45, 0.20, 0.65}},
    {Marcatore::anello, {0.30, 0.30, 0.30}},
}};

}  // namespace

std::vector<MarcaSegnale> marche_segnali(const std::vector<Segnale>& segnali) {
  std::vector<MarcaSegnale> out;
  for (const Segnale& s : segnali) {
    if (std::any_of(out.begin(), out.end(), [&](const MarcaSegnale& m) { return m.sx == s.sx && m.dx == s.dx; }))
      continue;
    const Aspetto& a = kAspetti[out.size() % kAspetti.size()];
    out.push_back({s.sx, s.dx, a.marcatore, a.colore,
                   "sx " + std::to_string(s.sx) + " \u00b7 dx " + std::to_string(s.dx)});
  }
  return out;
}

const MarcaSegnale& marca_di(const std::vector<MarcaSegnale>& marche, const Segnale& s) {
  for (const MarcaSegnale& m : marche)
    if (m.sx == s.sx && m.dx == s.dx) return m;
  throw std::logic_error("a signal kind without a mark");
}

}  // namespace scenc::plot
