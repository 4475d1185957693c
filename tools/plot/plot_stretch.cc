#include "tools/plot/plot_stretch.h"

#include <algorithm>
#include <cmath>

#include "model/kilometric_progressive.h"
#include "tools/plot/plot_text.h"

namespace scenc::plot {

namespace {

std::string estremi_linea(const Progressiva& p, int32_t lunghezza) {
  if (p.presente()) return scen::testo_km(p.metri(0)) + " to " + scen::testo_km(p.metri(lunghezza));
  return "0 to " + numero_testo(lunghezza / 1000.0, 3) + " km from its start";
}

template <typename T>
std::vector<T> dentro(const std::vector<T>& v, const Estensione& t) {
  std::vector<T> out;
  for (const T& x : v)
    if (x.posizione >= t.da && x.posizione <= t.a) out.push_back(x);
  return out;
}

template <typename T>
std::vector<T> tagliati(const std::vector<T>& v, const Estensione& t) {
  std::vector<T> out;
  for (T x : v) {
    if (x.fine <= t.da || x.inizio >= t.a) continue;
    x.inizio = std::max(x.inizio, t.da);
    x.fine = std::min(x.fine, t.a);
    out.push_back(x);
  }
  return out;
}

}  // namespace

std::optional<Estensione> estensione_da_km(double km_1, double km_2, const Progressiva& p, int32_t lunghezza,
                                           std::string& errore) {
  const std::string chiesta = p.presente() ? "the stretch km " + numero_testo(km_1, 3) + " to km " + numero_testo(km_2, 3)
                                            : "the stretch " + numero_testo(km_1, 3) + " to " + numero_testo(km_2, 3) +
                                                  " km from the line's start";
  if (!std::isfinite(km_1) || !std::isfinite(km_2) || std::abs(km_1) > 1e7 || std::abs(km_2) > 1e7) {
    errore = chiesta + " is not a pair of kilometres; the line runs from " + estremi_linea(p, lunghezza);
    return std::nullopt;
  }
  const int64_t p1 = p.posizione(std::llround(km_1 * 1000));
  const int64_t p2 = p.posizione(std::llround(km_2 * 1000));
  const int64_t da = std::min(p1, p2), a = std::max(p1, p2);
  if (da == a) {
    errore = chiesta + " is empty; the line runs from " + estremi_linea(p, lunghezza);
    return std::nullopt;
  }
  if (da < 0 || a > lunghezza) {
    errore = chiesta + " is not within the line, which runs from " + estremi_linea(p, lunghezza);
    return std::nullopt;
  }
  return Estensione{static_cast<int32_t>(da), static_cast<int32_t>(a)};
}

ElementiLinea ritaglia(const ElementiLinea& e, const Estensione& t) {
  ElementiLinea r;
  r.lunghezza = e.lunghezza;
  r.velocita = tagliati(e.velocita, t);
  r.pendenza = tagliati(e.pendenza, t);
  r.tratti_rallentamento = tagliati(e.tratti_rallentamento, t);
  r.stazioni = dentro(e.stazioni, t);
  r.segnali = dentro(e.segnali, t);
  r.indicatori = dentro(e.indicatori, t);
  r.cartelli = dentro(e.cartelli, t);
  r.rallentamenti = dentro(e.rallentamenti, t);
  r.abbattimenti = dentro(e.abbattimenti, t);
  return r;
}

}  // namespace scenc::plot
