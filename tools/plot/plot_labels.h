// Placing labels so that none covers another: in rows along an axis, spread
// along an axis, or among obstacles on a plane.
#pragma once

#include <vector>

namespace scenc::plot {

struct Rettangolo {
  double x = 0, y = 0, w = 0, h = 0;

  double destra() const { return x + w; }
  double basso() const { return y + h; }
  bool interseca(const Rettangolo& r) const {
    return x < r.destra() && r.x < destra() && y < r.basso() && r.y < basso();
  }
  bool contiene(const Rettangolo& r) const {
    return r.x >= x && r.y >= y && r.destra() <= destra() && r.basso() <= basso();
  }
  Rettangolo allargato(double m) const { return {x - m, y - m, w + 2 * m, h + 2 * m}; }
};

// One label along an axis: the span it takes.
struct Intervallo {
  double inizio = 0, fine = 0;
};

// Where a label went: its row (-1 when it was left out) and its start.
struct Posto {
  int riga = -1;
  double inizio = 0;
};

// Gives each label, taken in the order of its wished start, the row where
// it keeps `distanza` from the label before it with the least shift to the
// right, the first such row on a tie. A label that would shift by more than
// `scarto` in every row, or end beyond `limite`, is left out.
std::vector<Posto> disponi_in_righe(const std::vector<Intervallo>& etichette, int righe, double distanza,
                                    double scarto, double limite);

// Centres for labels `passo` wide whose wished centres are `ancore` (in
// increasing order): no two overlap, each stays as near its anchor as the
// others allow, and all lie within [minimo, massimo] while they fit.
std::vector<double> distribuisci(const std::vector<double>& ancore, double passo, double minimo,
                                 double massimo);

// A plane with an area to fill and the rectangles already taken in it.
class MappaOccupata {
 public:
  explicit MappaOccupata(Rettangolo area) : area_(area) {}
  void occupa(const Rettangolo& r) { presi_.push_back(r); }
  // Free: inside the area and touching nothing taken.
  bool libero(const Rettangolo& r) const;
  // A leader line from (x0, y0) to (x1, y1): free when it crosses nothing
  // taken past its first `salta` units; taking it marks its course.
  bool libero_tratto(double x0, double y0, double x1, double y1, double salta) const;
  void occupa_tratto(double x0, double y0, double x1, double y1, double salta);

 private:
  Rettangolo area_;
  std::vector<Rettangolo> presi_;
};

}  // namespace scenc::plot
