#include "tools/plot/plot_progressive.h"

#include <algorithm>
#include <limits>

#include "format/records.h"

namespace scenc::plot {

namespace {

int64_t multiplo_sotto(int64_t v, int64_t passo) {
  const int64_t q = v / passo;
  return (v % passo != 0 && v < 0 ? q - 1 : q) * passo;
}

}  // namespace

std::vector<Progressiva::Tratto> Progressiva::tratti() const {
  const auto& r = chilometrica_.riferimenti();
  std::vector<Tratto> out;
  for (size_t i = 0; i < r.size(); ++i)
    out.push_back({r[i], i == 0 ? std::numeric_limits<int64_t>::min() : r[i].posizione,
                   i + 1 < r.size() ? r[i + 1].posizione : std::numeric_limits<int64_t>::max()});
  return out;
}

double Progressiva::metri(double posizione) const { return chilometrica_.progressiva(posizione); }

std::vector<Progressiva::Marca> Progressiva::marche(int64_t da, int64_t a, int64_t passo) const {
  std::vector<Marca> out;
  if (passo <= 0 || a < da) return out;
  if (!presente()) {
    for (int64_t p = -multiplo_sotto(-da, passo); p <= a; p += passo) out.push_back({p, p});
    return out;
  }
  // Along each reference's stretch, positions grow as the progressive
  // falls: from its value at the stretch's start downwards.
  for (const Tratto& t : tratti()) {
    const int64_t inizio = std::max(da, t.da);
    const int64_t fine = t.a == std::numeric_limits<int64_t>::max() ? a : std::min(a, t.a - 1);
    if (fine < inizio) continue;
    const int64_t zero = t.riferimento.progressiva + t.riferimento.posizione;  // progressive at position 0
    for (int64_t k = multiplo_sotto(zero - inizio, passo); zero - k <= fine; k -= passo) out.push_back({zero - k, k});
  }
  return out;
}

int64_t Progressiva::posizione(int64_t metri) const {
  if (!presente()) return metri;
  const std::vector<Tratto> t = tratti();
  for (const Tratto& c : t) {
    const int64_t p = c.riferimento.progressiva + c.riferimento.posizione - metri;
    if (p >= c.da && p < c.a) return p;
  }
  // On no stretch: counted from the first reference, outside the line.
  return t.front().riferimento.progressiva + t.front().riferimento.posizione - metri;
}

Progressiva progressiva_da(const std::array<scen::RecordSim, scen::kNumeroRecord>& dati_sim) {
  return Progressiva(scen::chilometrica_da(dati_sim));
}

}  // namespace scenc::plot
