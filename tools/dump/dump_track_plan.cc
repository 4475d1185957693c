#include "tools/dump/dump_track_plan.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace scenc::dump {

std::vector<TrattoSlot> tratti_slot(const scen::ColonnaLinea& colonna) {
  std::vector<TrattoSlot> t;
  for (size_t r = 0; r < colonna.tipo.size(); ++r) {
    if (t.empty() || t.back().tipo != colonna.tipo[r])
      t.push_back({r, r, colonna.tipo[r]});
    else
      t.back().a = r;
  }
  return t;
}

const char* nome_slot(scen::TipoSlot tipo) {
  switch (tipo) {
    case scen::TipoSlot::vuoto: return "empty";
    case scen::TipoSlot::intero: return "int16";
    case scen::TipoSlot::reale: return "double";
  }
  return "?";
}

SintesiLinea sintesi_linea(const scen::TabellaLinea& t) {
  SintesiLinea s;
  s.righe = t.righe();
  auto vuota = [&](size_t r) {
    return t.x.tipo[r] == scen::TipoSlot::vuoto && t.y.tipo[r] == scen::TipoSlot::vuoto;
  };
  for (size_t r = s.righe; r-- > 0;)
    if (!vuota(r)) {
      s.ultima_calcolata = r;
      break;
    }
  s.vuote_in_fondo = s.ultima_calcolata ? s.righe - 1 - *s.ultima_calcolata : s.righe;

  std::optional<size_t> precedente;
  for (size_t r = 0; r < s.righe; ++r) {
    if (t.x.tipo[r] == scen::TipoSlot::vuoto || t.y.tipo[r] == scen::TipoSlot::vuoto) continue;
    const double x = t.x.valore[r];
    const double y = t.y.valore[r];
    if (s.righe_con_valore++ == 0) {
      s.x_min = s.x_max = x;
      s.y_min = s.y_max = y;
    }
    s.x_min = std::min(s.x_min, x);
    s.x_max = std::max(s.x_max, x);
    s.y_min = std::min(s.y_min, y);
    s.y_max = std::max(s.y_max, y);
    if (precedente && *precedente + 1 == r) {
      const double dx = x - t.x.valore[*precedente];
      const double dy = y - t.y.valore[*precedente];
      s.lunghezza += std::hypot(dx, dy);
      s.direzione_gradi = std::atan2(dx, dy) * 180.0 / std::numbers::pi + 0.0;
    } else {
      s.direzione_gradi.reset();
    }
    precedente = r;
    s.riga_finale = r;
    s.x_finale = x;
    s.y_finale = y;
  }
  return s;
}

}  // namespace scenc::dump
