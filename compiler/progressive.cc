#include "compiler/progressive.h"

#include <array>
#include <cstdint>

#include "compiler/checked_access.h"

namespace scen {

namespace {

struct Progressiva {
  int32_t posizione_m = 0;  // `inizio`
  int32_t progressiva = 0;  // `fine`
  int32_t flag = 0;         // `posizione`
};

Progressiva da_record(const RecordSim& r) { return {r.inizio, r.fine, r.posizione}; }

}  // namespace

bool progressive_ordina(Modello& m, FailureSink& guasti) {
  const Progressiva t = da_record(m.dati_sim[81]);
  const Progressiva d = da_record(m.dati_sim[82]);
  const Progressiva u = da_record(m.dati_sim[83]);
  std::array<Progressiva, 3> slot{};

  if (int64_t{t.posizione_m} + d.posizione_m + u.posizione_m == 0) {
    if (t.progressiva > 0) slot = {t, d, u};
    if (d.progressiva > 0) slot = {d, t, u};
    if (u.progressiva > 0) slot = {u, d, t};
  } else if (t.posizione_m > d.posizione_m && t.posizione_m > u.posizione_m) {
    slot = d.posizione_m > u.posizione_m ? std::array{t, d, u} : std::array{t, u, d};
  } else if (d.posizione_m > t.posizione_m && d.posizione_m > u.posizione_m) {
    slot = t.posizione_m > u.posizione_m ? std::array{d, t, u} : std::array{d, u, t};
  } else if (u.posizione_m > t.posizione_m && u.posizione_m > d.posizione_m) {
    slot = t.posizione_m > d.posizione_m ? std::array{u, t, d} : std::array{u, d, t};
  }

  for (int i = 0; i < 3; ++i) {
    Progressiva p = slot[i];
    if (p.flag == 1 && !in_32(int64_t{p.progressiva} + 100, p.progressiva, guasti)) return false;
    RecordSim& r = m.dati_sim[81 + i];
    r.inizio = p.posizione_m;
    r.fine = p.progressiva;
    r.posizione = p.flag;
  }
  return true;
}

}  // namespace scen
