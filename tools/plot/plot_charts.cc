#include "tools/plot/plot_charts.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>

namespace scenc::plot {

namespace {

// Grid lines with their values at the left, from v0 at y1 up to v1 at y0.
void griglia(const Tela& tela, const AsseLinea& a, double y0, double y1, double v0, double v1, double passo,
             const std::function<std::string(double)>& etichetta) {
  for (double v = std::ceil(v0 / passo) * passo; v <= v1 + 1e-9; v += passo) {
    const double y = y1 - (v - v0) / (v1 - v0) * (y1 - y0);
    tela.linea(a.x0, y, a.x1, y, stile::kGriglia, 1);
    tela.testo(etichetta(v), a.x0 - 8, y + 4.5, stile::kEtichettaPiccola, stile::kTestoTenue, Allinea::destra);
  }
}

// A speed limit's value would sit on a slowdown's: it is left to the line.
bool sotto_un_rallentamento(const std::vector<TrattoRallentamento>& r, const Tratto& t) {
  const double mezzo = (t.inizio + t.fine) / 2.0;
  return std::any_of(r.begin(), r.end(), [&](const TrattoRallentamento& x) { return x.inizio <= mezzo && mezzo <= x.fine; });
}

// Each slowdown as a hatched stretch under its speed, from its start to its
// end, with the speed above it.
void rallentamenti_su_velocita(const Tela& tela, const AsseLinea& a, double y1,
                               const std::function<double(double)>& y, const std::vector<TrattoRallentamento>& r) {
  scen::platform::Painter& p = tela.painter();
  const Colore c = stile::kInizioRallentamento;
  double fine_etichetta = -1e9;  // of the last speed written: none covers another
  for (const TrattoRallentamento& t : r) {
    const double xa = a.x(t.inizio), xb = std::max(a.x(t.fine), xa + 1.5), yv = y(t.velocita);
    p.save();
    p.rectangle(xa, yv, xb - xa, y1 - yv);
    tela.colore(c, 0.12);
    p.fill_preserve();
    p.clip();
    tela.colore(c, 0.45);
    p.set_line_width(1);
    for (double x = xa - (y1 - yv); x < xb; x += 8) {
      p.move_to(x, y1);
      p.line_to(x + (y1 - yv), yv);
    }
    p.stroke();
    p.restore();
    tela.linea(xa, yv, xb, yv, c, 2.4);
    const std::string v = std::to_string(t.velocita);
    const double w = tela.larghezza(v, stile::kEtichettaPiccola);
    if (xa + 2 < fine_etichetta + 6 || xa + 2 + w > a.x1) continue;
    tela.testo_su_fondo(v, xa + 2, yv - 6, stile::kEtichettaPiccola, c);
    fine_etichetta = xa + 2 + w;
  }
}

}  // namespace

void grafico_velocita(const Tela& tela, const AsseLinea& a, double y0, double y1, const ElementiLinea& e) {
  int massimo = 0;
  for (const Tratto& t : e.velocita) massimo = std::max(massimo, t.valore);
  const double vmax = std::max(40.0, std::ceil((massimo + 10) / 20.0) * 20);
  griglia(tela, a, y0, y1, 0, vmax, 20, [](double v) { return numero_testo(v, 0); });
  if (e.velocita.empty()) return;
  const auto y = [&](double v) { return y1 - v / vmax * (y1 - y0); };
  scen::platform::Painter& p = tela.painter();
  p.new_path();
  p.move_to(a.x(e.velocita.front().inizio), y1);
  for (const Tratto& t : e.velocita) {
    p.line_to(a.x(t.inizio), y(t.valore));
    p.line_to(a.x(t.fine), y(t.valore));
  }
  p.line_to(a.x(e.velocita.back().fine), y1);
  p.close_path();
  tela.colore(stile::kVelocita, 0.08);
  p.fill();
  for (size_t i = 0; i < e.velocita.size(); ++i) {
    const Tratto& t = e.velocita[i];
    if (i == 0)
      p.move_to(a.x(t.inizio), y(t.valore));
    else
      p.line_to(a.x(t.inizio), y(t.valore));
    p.line_to(a.x(t.fine), y(t.valore));
  }
  tela.colore(stile::kVelocita);
  p.set_line_width(2.6);
  p.stroke();
  rallentamenti_su_velocita(tela, a, y1, y, e.tratti_rallentamento);
  for (const Tratto& t : e.velocita) {
    const std::string s = std::to_string(t.valore);
    if (a.x(t.fine) - a.x(t.inizio) < tela.larghezza(s, stile::kEtichettaPiccola) + 6) continue;
    if (sotto_un_rallentamento(e.tratti_rallentamento, t)) continue;
    tela.testo_su_fondo(s, (a.x(t.inizio) + a.x(t.fine)) / 2, y(t.valore) - 6, stile::kEtichettaPiccola,
                        stile::kVelocita, Allinea::centro);
  }
}

void grafico_pendenza(const Tela& tela, const AsseLinea& a, double y0, double y1, const ElementiLinea& e) {
  int massimo = 0;
  for (const Tratto& t : e.pendenza) massimo = std::max(massimo, std::abs(t.valore));
  // Room beyond the steepest bar for its value.
  const double g = std::max(5.0, std::ceil((massimo + 1) / 5.0) * 5);
  const double passo = g <= 10 ? 5 : g <= 30 ? 10 : g <= 60 ? 20 : 50;
  const auto segno = [](double v) { return v > 0 ? "+" + numero_testo(v, 0) : numero_testo(v, 0); };
  griglia(tela, a, y0, y1, -g, g, passo, segno);
  const auto y = [&](double v) { return y1 - (v + g) / (2 * g) * (y1 - y0); };
  for (const Tratto& t : e.pendenza) {
    if (t.valore == 0) continue;
    const double ya = y(0), yb = y(t.valore);
    const double xa = a.x(t.inizio), xb = a.x(t.fine);
    const Colore colore = t.valore < 0 ? stile::kDiscesa : stile::kSalita;
    tela.riempi({xa, std::min(ya, yb), xb - xa, std::abs(yb - ya)}, colore);
    const std::string v = segno(t.valore);
    if (xb - xa < tela.larghezza(v, stile::kEtichettaPiccola) + 4) continue;
    const double base = t.valore < 0 ? std::min(yb + 13, y1 - 2) : std::max(yb - 4, y0 + 12);
    tela.testo(v, (xa + xb) / 2, base, stile::kEtichettaPiccola, colore, Allinea::centro);
  }
  tela.linea(a.x0, y(0), a.x1, y(0), stile::kTestoTenue, 1);
}

}  // namespace scenc::plot
