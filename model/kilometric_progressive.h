// The line's kilometric progressive: the kilometre count of its boards and
// of the driver's timetable, as opposed to a position, which is metres
// along the line from its start. The line file gives up to three
// references (a position and the progressive there); from a reference on,
// up to the next, the progressive falls one metre for each metre of
// position, as on the embedded route; before the first reference it is
// counted back from it. Past kilometre 0 it goes on below zero.
//
// Everything that shows a position shows it the same way: "38700 m", and
// beside it, when the line has a reference, "km 111.600" (always three
// decimals, "km -4.700" past kilometre 0). "km" never stands for a
// position divided by 1000.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "format/records.h"
#include "model/model.h"

namespace scen {

// A reference as the line file writes it (metres).
struct RiferimentoKm {
  int64_t posizione = 0;
  int64_t progressiva = 0;
};

class Chilometrica {
 public:
  Chilometrica() = default;  // no reference: no kilometres
  explicit Chilometrica(std::vector<RiferimentoKm> riferimenti) : riferimenti_(std::move(riferimenti)) {
    std::stable_sort(riferimenti_.begin(), riferimenti_.end(),
                     [](const RiferimentoKm& a, const RiferimentoKm& b) { return a.posizione < b.posizione; });
  }

  bool presente() const { return !riferimenti_.empty(); }
  const std::vector<RiferimentoKm>& riferimenti() const { return riferimenti_; }

  // The progressive at a position, both in metres (the position itself
  // without a reference).
  double progressiva(double posizione) const {
    if (riferimenti_.empty()) return posizione;
    const RiferimentoKm* r = &riferimenti_.front();
    for (const RiferimentoKm& c : riferimenti_)
      if (static_cast<double>(c.posizione) <= posizione) r = &c;
    return static_cast<double>(r->progressiva) - (posizione - static_cast<double>(r->posizione));
  }

 private:
  std::vector<RiferimentoKm> riferimenti_;
};

// The references in use in records 81 to 83 as the line file wrote them:
// one stored with the flag 1 holds its progressive + 100 m. A record whose
// position and progressive are both 0 is not in use.
inline Chilometrica chilometrica_da(const std::array<RecordSim, kNumeroRecord>& dati_sim) {
  std::vector<RiferimentoKm> r;
  for (int i = kRecordProgressivaTre; i <= kRecordProgressivaUno; ++i) {
    const RecordSim& s = dati_sim[static_cast<size_t>(i)];
    if (s.inizio == 0 && s.fine == 0) continue;
    r.push_back({s.inizio, int64_t{s.fine} - (s.posizione == 1 ? 100 : 0)});
  }
  return Chilometrica(std::move(r));
}

// "km 111.600", "km -4.700": a progressive in metres.
inline std::string testo_km(double progressiva) {
  char testo[48];
  std::snprintf(testo, sizeof testo, "km %.3f", progressiva / 1000.0);
  if (std::string_view(testo) == "km -0.000") return "km 0.000";  // a hair below 0
  return testo;
}

// "38700 m (km 111.600)", or "38700 m" without a reference.
inline std::string testo_posizione(const Chilometrica& k, int64_t metri) {
  std::string t = std::to_string(metri) + " m";
  if (k.presente()) t += " (" + testo_km(k.progressiva(static_cast<double>(metri))) + ")";
  return t;
}

}  // namespace scen
