#include "tools/plot/plot_progressive.h"

#include "format/records.h"

namespace scenc::plot {

namespace {

int64_t multiplo_sotto(int64_t v, int64_t passo) {
  const int64_t q = v / passo;
  return (v % passo != 0 && v < 0 ? q - 1 : q) * passo;
}

}  // namespace

double Progressiva::metri(double posizione) const {
  if (!presente_) return posizione;
  return static_cast<double>(progressiva_) - (posizione - static_cast<double>(posizione_));
}

std::vector<Progressiva::Marca> Progressiva::marche(int64_t da, int64_t a, int64_t passo) const {
  std::vector<Marca> out;
  if (passo <= 0 || a < da) return out;
  if (!presente_) {
    for (int64_t p = -multiplo_sotto(-da, passo); p <= a; p += passo) out.push_back({p, p});
    return out;
  }
  // Positions grow as the progressive falls: from its value at `da` downwards.
  const int64_t zero = progressiva_ + posizione_;  // progressive at position 0
  for (int64_t k = multiplo_sotto(zero - da, passo); zero - k <= a; k -= passo) out.push_back({zero - k, k});
  return out;
}

int64_t Progressiva::posizione(int64_t metri) const {
  return presente_ ? progressiva_ + posizione_ - metri : metri;
}

Progressiva progressiva_da(const std::array<scen::RecordSim, scen::kNumeroRecord>& dati_sim) {
  // After the compile's sorting, the reference of greatest position.
  const scen::RecordSim& r = dati_sim[scen::kRecordProgressivaTre];
  if (r.inizio == 0 && r.fine == 0) return {};
  // A reference flagged 1 was stored 100 m on; the kilometres shown are
  // those of the line file and the timetable.
  return Progressiva(r.inizio, r.posizione == 1 ? r.fine - 100 : r.fine);
}

}  // namespace scenc::plot
