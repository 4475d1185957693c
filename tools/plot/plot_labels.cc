#include "tools/plot/plot_labels.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace scenc::plot {

std::vector<Posto> disponi_in_righe(const std::vector<Intervallo>& etichette, int righe, double distanza,
                                    double scarto, double limite) {
  std::vector<size_t> ordine(etichette.size());
  std::iota(ordine.begin(), ordine.end(), size_t{0});
  std::stable_sort(ordine.begin(), ordine.end(),
                   [&](size_t a, size_t b) { return etichette[a].inizio < etichette[b].inizio; });
  std::vector<double> fine_riga(static_cast<size_t>(std::max(righe, 0)),
                                -std::numeric_limits<double>::infinity());
  std::vector<Posto> posti(etichette.size());
  for (size_t i : ordine) {
    const Intervallo& e = etichette[i];
    for (size_t r = 0; r < fine_riga.size(); ++r) {
      const double inizio = std::max(e.inizio, fine_riga[r] + distanza);
      const double spostamento = inizio - e.inizio;
      if (spostamento > scarto || inizio + (e.fine - e.inizio) > limite) continue;
      if (posti[i].riga < 0 || spostamento < posti[i].inizio - e.inizio) posti[i] = {static_cast<int>(r), inizio};
      if (spostamento == 0) break;
    }
    if (posti[i].riga >= 0)
      fine_riga[static_cast<size_t>(posti[i].riga)] = posti[i].inizio + (e.fine - e.inizio);
  }
  return posti;
}

std::vector<double> distribuisci(const std::vector<double>& ancore, double passo, double minimo,
                                 double massimo) {
  // Runs of labels that touch: a run of n starting at `inizio` puts its
  // labels at inizio, inizio + passo, ...; its best start is the mean of
  // (anchor - k * passo), held within the bounds.
  struct Gruppo {
    size_t primo;
    size_t n;
    double somma;  // of anchor - k * passo over the run
    double inizio;
  };
  const auto colloca = [&](Gruppo& g) {
    const double ultimo = massimo - passo * static_cast<double>(g.n - 1);
    g.inizio = std::max(minimo, std::min(g.somma / static_cast<double>(g.n), ultimo));
  };
  std::vector<Gruppo> gruppi;
  for (size_t i = 0; i < ancore.size(); ++i) {
    Gruppo g{i, 1, ancore[i], 0};
    colloca(g);
    while (!gruppi.empty()) {
      Gruppo& prima = gruppi.back();
      if (prima.inizio + passo * static_cast<double>(prima.n) <= g.inizio) break;
      // Merge: the labels of g now sit after those of `prima`.
      for (size_t k = 0; k < g.n; ++k) g.somma -= passo * static_cast<double>(prima.n);
      prima.somma += g.somma;
      prima.n += g.n;
      colloca(prima);
      g = prima;
      gruppi.pop_back();
    }
    gruppi.push_back(g);
  }
  std::vector<double> centri(ancore.size());
  for (const Gruppo& g : gruppi)
    for (size_t k = 0; k < g.n; ++k) centri[g.primo + k] = g.inizio + passo * static_cast<double>(k);
  return centri;
}

namespace {

constexpr double kPassoTratto = 2;  // between the samples of a leader line

template <typename Campione>
void lungo_tratto(double x0, double y0, double x1, double y1, double salta, Campione campione) {
  const double l = std::hypot(x1 - x0, y1 - y0);
  for (double d = salta; d <= l; d += kPassoTratto) {
    const double t = l > 0 ? d / l : 0;
    if (!campione(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t)) return;
  }
}

Rettangolo campione_tratto(double x, double y) { return {x - 1, y - 1, 2, 2}; }

}  // namespace

bool MappaOccupata::libero_tratto(double x0, double y0, double x1, double y1, double salta) const {
  bool libero = true;
  lungo_tratto(x0, y0, x1, y1, salta, [&](double x, double y) {
    const Rettangolo c = campione_tratto(x, y);
    libero = std::none_of(presi_.begin(), presi_.end(), [&](const Rettangolo& p) { return p.interseca(c); });
    return libero;
  });
  return libero;
}

void MappaOccupata::occupa_tratto(double x0, double y0, double x1, double y1, double salta) {
  lungo_tratto(x0, y0, x1, y1, salta, [&](double x, double y) {
    presi_.push_back(campione_tratto(x, y));
    return true;
  });
}

bool MappaOccupata::libero(const Rettangolo& r) const {
  if (!area_.contiene(r)) return false;
  return std::none_of(presi_.begin(), presi_.end(), [&](const Rettangolo& p) { return p.interseca(r); });
}

}  // namespace scenc::plot
