#include "tools/plot_profile.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <vector>

#include "tools/plot_axis.h"
#include "tools/plot_text.h"

namespace scenc::plot {

namespace {

// Horizontal layout.
constexpr double kGronda = 175;        // lane titles and the left axes
constexpr double kMargineDestro = 40;
// Vertical layout, top to bottom.
constexpr double kTestata = 62;
constexpr double kNomi = 200;          // station names, reading upwards
constexpr double kRichiami = 16;       // from a name to its station
constexpr double kAsseProgressiva = 30;
constexpr double kVelocita = 300;
constexpr double kPendenza = 130;
constexpr double kSpazio = 22;
constexpr double kRigaEtichette = 18;
constexpr double kRigaMarcatori = 20;
constexpr double kAssePosizione = 56;

constexpr double kDistanzaTacche = 80;  // between labelled ticks
constexpr double kPassoNomi = 16;       // between two station names
constexpr double kScartoEtichette = 60; // how far a lane label may move right of its object
constexpr double kDistanzaEtichette = 18;  // between two labels of a row

struct Asse {
  double x0, x1;
  double lunghezza;  // m
  double x(double metri) const { return x0 + (x1 - x0) * metri / lunghezza; }
  double scala() const { return (x1 - x0) / lunghezza; }
};

std::string km(int64_t metri) {
  return numero_testo(static_cast<double>(metri) / 1000, metri % 1000 == 0 ? 0 : 1);
}

// Cuts a UTF-8 text to `larghezza` with an ellipsis.
std::string accorciato(const Tela& tela, std::string testo, double corpo, double larghezza) {
  if (tela.larghezza(testo, corpo) <= larghezza) return testo;
  while (!testo.empty() && tela.larghezza(testo + "\u2026", corpo) > larghezza) {
    testo.pop_back();
    while (!testo.empty() && (static_cast<unsigned char>(testo.back()) & 0xC0) == 0x80) testo.pop_back();
    if (!testo.empty() && static_cast<unsigned char>(testo.back()) >= 0xC0) testo.pop_back();
  }
  return testo + "\u2026";
}

void titolo_gronda(const Tela& tela, double x, double y, const std::string& titolo,
                   const std::string& nota = "") {
  tela.testo(titolo, x, y, stile::kEtichetta, stile::kTesto, Allinea::sinistra, true);
  if (!nota.empty()) tela.testo(nota, x, y + 16, stile::kEtichettaPiccola, stile::kTestoTenue);
}

void assi_orizzontali(const Tela& tela, const Asse& a, double y0, double y1, double v0, double v1,
                      double passo, const std::function<std::string(double)>& etichetta) {
  for (double v = std::ceil(v0 / passo) * passo; v <= v1 + 1e-9; v += passo) {
    const double y = y1 - (v - v0) / (v1 - v0) * (y1 - y0);
    tela.linea(a.x0, y, a.x1, y, stile::kGriglia, 1);
    tela.testo(etichetta(v), a.x0 - 8, y + 4.5, stile::kEtichettaPiccola, stile::kTestoTenue, Allinea::destra);
  }
}

void grafico_velocita(const Tela& tela, const Asse& a, double y0, double y1, const ElementiLinea& e) {
  int massimo = 0;
  for (const Tratto& t : e.velocita) massimo = std::max(massimo, t.valore);
  const double vmax = std::max(40.0, std::ceil((massimo + 10) / 20.0) * 20);
  assi_orizzontali(tela, a, y0, y1, 0, vmax, 20, [](double v) { return numero_testo(v, 0); });
  const auto y = [&](double v) { return y1 - v / vmax * (y1 - y0); };
  cairo_t* cr = tela.cr();
  if (e.velocita.empty()) return;
  cairo_new_path(cr);
  cairo_move_to(cr, a.x(e.velocita.front().inizio), y1);
  for (const Tratto& t : e.velocita) {
    cairo_line_to(cr, a.x(t.inizio), y(t.valore));
    cairo_line_to(cr, a.x(t.fine), y(t.valore));
  }
  cairo_line_to(cr, a.x(e.velocita.back().fine), y1);
  cairo_close_path(cr);
  cairo_set_source_rgba(cr, stile::kVelocita.r, stile::kVelocita.g, stile::kVelocita.b, 0.08);
  cairo_fill(cr);
  for (size_t i = 0; i < e.velocita.size(); ++i) {
    const Tratto& t = e.velocita[i];
    if (i == 0)
      cairo_move_to(cr, a.x(t.inizio), y(t.valore));
    else
      cairo_line_to(cr, a.x(t.inizio), y(t.valore));
    cairo_line_to(cr, a.x(t.fine), y(t.valore));
  }
  tela.colore(stile::kVelocita);
  cairo_set_line_width(cr, 2.6);
  cairo_stroke(cr);
  // The value of each stretch long enough to carry it.
  for (const Tratto& t : e.velocita) {
    const std::string s = std::to_string(t.valore);
    if (a.x(t.fine) - a.x(t.inizio) < tela.larghezza(s, stile::kEtichettaPiccola) + 6) continue;
    tela.testo_su_fondo(s, (a.x(t.inizio) + a.x(t.fine)) / 2, y(t.valore) - 6, stile::kEtichettaPiccola,
                        stile::kVelocita, Allinea::centro);
  }
}

void grafico_pendenza(const Tela& tela, const Asse& a, double y0, double y1, const ElementiLinea& e) {
  int massimo = 0;
  for (const Tratto& t : e.pendenza) massimo = std::max(massimo, std::abs(t.valore));
  // Room beyond the steepest bar for its value.
  const double g = std::max(5.0, std::ceil((massimo + 1) / 5.0) * 5);
  const double passo = g <= 10 ? 5 : g <= 30 ? 10 : g <= 60 ? 20 : 50;
  const auto segno = [](double v) { return v > 0 ? "+" + numero_testo(v, 0) : numero_testo(v, 0); };
  assi_orizzontali(tela, a, y0, y1, -g, g, passo, segno);
  const auto y = [&](double v) { return y1 - (v + g) / (2 * g) * (y1 - y0); };
  for (const Tratto& t : e.pendenza) {
    if (t.valore == 0) continue;
    const double ya = y(0), yb = y(t.valore);
    const double xa = a.x(t.inizio), xb = a.x(t.fine);
    tela.riempi({xa, std::min(ya, yb), xb - xa, std::abs(yb - ya)}, t.valore < 0 ? stile::kDiscesa : stile::kSalita);
    const std::string v = segno(t.valore);
    if (xb - xa < tela.larghezza(v, stile::kEtichettaPiccola) + 4) continue;
    const double base = t.valore < 0 ? std::min(yb + 13, y1 - 2) : std::max(yb - 4, y0 + 12);
    tela.testo(v, (xa + xb) / 2, base, stile::kEtichettaPiccola, t.valore < 0 ? stile::kDiscesa : stile::kSalita,
               Allinea::centro);
  }
  tela.linea(a.x0, y(0), a.x1, y(0), stile::kTestoTenue, 1);
}

// A lane of point objects: markers in a row, their labels below in
// staggered rows; labels that find no room are left out and counted.
struct Corsia {
  double y;  // top
  int righe;
  double altezza() const { return kRigaMarcatori + kRigaEtichette * righe + 6; }
};

int etichette_corsia(const Tela& tela, const Asse& a, const Corsia& c,
                     const std::vector<std::pair<double, std::string>>& etichette, Colore colore) {
  std::vector<Intervallo> spazi;
  for (const auto& [x, testo] : etichette) {
    const double w = tela.larghezza(testo, stile::kEtichettaPiccola);
    const double inizio = std::clamp(x - 3, a.x0, a.x1 - w);
    spazi.push_back({inizio, inizio + w});
  }
  const std::vector<Posto> posti = disponi_in_righe(spazi, c.righe, kDistanzaEtichette, kScartoEtichette, a.x1);
  // Leaders first: a label drawn later hides the stretch behind it.
  int nascoste = 0;
  const double ym = c.y + kRigaMarcatori / 2;
  const auto base = [&](size_t i) { return c.y + kRigaMarcatori + kRigaEtichette * (posti[i].riga + 1) - 4; };
  for (size_t i = 0; i < etichette.size(); ++i) {
    if (posti[i].riga < 0) {
      ++nascoste;
      continue;
    }
    // Down to the label's top, slanting to it when it moved right.
    const double x = etichette[i].first;
    tela.linea(x, ym + 6, std::max(x, posti[i].inizio + 3), base(i) - 11, colore, 0.7);
  }
  for (size_t i = 0; i < etichette.size(); ++i)
    if (posti[i].riga >= 0)
      tela.testo_su_fondo(etichette[i].second, posti[i].inizio, base(i), stile::kEtichettaPiccola, colore);
  return nascoste;
}

std::string conteggio(size_t n) { return " \u00b7 " + std::to_string(n); }

std::string nota_nascoste(int n) {
  return n == 0 ? "" : std::to_string(n) + (n == 1 ? " label" : " labels") + " left out";
}

struct VoceLegenda {
  std::string testo;
  std::function<void(double x, double y)> simbolo;  // in a 24 x 14 box centred on (x, y)
};

void legenda(const Tela& tela, double x0, double x1, double y, const std::vector<VoceLegenda>& voci) {
  double x = x0;
  for (const VoceLegenda& v : voci) {
    const double w = 30 + tela.larghezza(v.testo, stile::kEtichettaPiccola) + 26;
    if (x + w > x1 && x > x0) {
      x = x0;
      y += 22;
    }
    v.simbolo(x + 12, y - 4);
    tela.testo(v.testo, x + 30, y, stile::kEtichettaPiccola, stile::kTesto);
    x += w;
  }
}

}  // namespace

void disegna_profilo(const Tela& tela, const Rettangolo& pannello, const ElementiLinea& e,
                     const Progressiva& progressiva) {
  tela.rettangolo(pannello, stile::kCornice, 1);
  tela.testo("Profile along the line", pannello.x + 16, pannello.y + 30, stile::kTitoloPannello, stile::kTesto,
             Allinea::sinistra, true);
  tela.testo("line " + numero_testo(e.lunghezza / 1000.0, 3) + " km long; speed limits and objects from the cell grid",
             pannello.x + 16, pannello.y + 52, stile::kEtichettaPiccola, stile::kTestoTenue);
  if (e.lunghezza <= 0) return;

  const Asse a{pannello.x + kGronda, pannello.destra() - kMargineDestro, static_cast<double>(e.lunghezza)};
  const double xg = pannello.x + 16;  // lane titles

  double y = pannello.y + kTestata;
  const double piedi_nomi = y + kNomi;
  y = piedi_nomi + kRichiami;
  const double y_progressiva = y + kAsseProgressiva;
  const double y_velocita = y_progressiva;
  const double y_pendenza = y_velocita + kVelocita + kSpazio;
  const Corsia segnali{y_pendenza + kPendenza + kSpazio, 0};
  const Corsia indicatori{segnali.y + segnali.altezza(), 4};
  const Corsia cartelli{indicatori.y + indicatori.altezza(), 10};
  const Corsia rallentamenti{cartelli.y + cartelli.altezza(), 2};
  const Corsia abbattimenti{rallentamenti.y + rallentamenti.altezza(), 2};
  const double y_asse = abbattimenti.y + abbattimenti.altezza();

  // Kilometre grid and the position axis at the foot.
  const int64_t passo = passo_tondo(a.scala(), kDistanzaTacche, 1000);
  const int64_t passo_minore = passo_tondo(a.scala(), 6, 1000);
  for (int64_t m = 0; m <= e.lunghezza; m += passo_minore) {
    const bool grande = m % passo == 0;
    if (grande) tela.linea(a.x(m), y_velocita, a.x(m), y_asse, stile::kGriglia, 1);
    tela.linea(a.x(m), y_asse, a.x(m), y_asse + (grande ? 8 : 4), stile::kTesto, 1);
    if (grande) tela.testo(km(m), a.x(m), y_asse + 24, stile::kEtichetta, stile::kTesto, Allinea::centro);
  }
  tela.linea(a.x0, y_asse, a.x1, y_asse, stile::kTesto, 1.2);
  tela.testo("position along the line (km)", (a.x0 + a.x1) / 2, y_asse + 46, stile::kEtichetta, stile::kTesto,
             Allinea::centro, true);

  // The kilometric progressive above the speed chart.
  if (progressiva.presente()) {
    titolo_gronda(tela, xg, y_progressiva - 12, "Km progressive");
    for (const auto& m : progressiva.marche(e.lunghezza, passo)) {
      const double x = a.x(static_cast<double>(m.posizione));
      tela.linea(x, y_progressiva, x, y_progressiva - 6, stile::kTestoTenue, 1);
      tela.testo_su_fondo(km(m.progressiva), x, y_progressiva - 10, stile::kEtichettaPiccola, stile::kTestoTenue,
                          Allinea::centro);
    }
  }

  // Stations: a dashed line down the charts and lanes, the name above.
  std::vector<double> ancore;
  for (const Stazione& s : e.stazioni) ancore.push_back(a.x(s.posizione));
  std::vector<size_t> ordine(e.stazioni.size());
  for (size_t i = 0; i < ordine.size(); ++i) ordine[i] = i;
  std::stable_sort(ordine.begin(), ordine.end(), [&](size_t p, size_t q) { return ancore[p] < ancore[q]; });
  std::vector<double> ordinate;
  for (size_t i : ordine) ordinate.push_back(ancore[i]);
  const std::vector<double> centri = distribuisci(ordinate, kPassoNomi, a.x0, a.x1);
  for (size_t k = 0; k < ordine.size(); ++k) {
    const Stazione& s = e.stazioni[ordine[k]];
    const double x = ordinate[k];
    tela.tratteggio(x, y_velocita - (progressiva.presente() ? 28 : 0) , x, y_asse, stile::kStazione, 0.9, 5, 4);
    tela.linea(centri[k], piedi_nomi + 2, x, y_velocita - (progressiva.presente() ? 28 : 0), stile::kStazione, 0.8);
    tela.testo_verticale(accorciato(tela, s.nome, stile::kEtichetta, kNomi - 6), centri[k], piedi_nomi,
                         stile::kEtichetta, stile::kTesto);
  }
  titolo_gronda(tela, xg, piedi_nomi - 4, "Stations" + conteggio(e.stazioni.size()));

  titolo_gronda(tela, xg, y_velocita + 18, "Speed limit", "km/h");
  grafico_velocita(tela, a, y_velocita, y_velocita + kVelocita, e);
  titolo_gronda(tela, xg, y_pendenza + 18, "Gradient", "\u2030, below 0 falling");
  grafico_pendenza(tela, a, y_pendenza, y_pendenza + kPendenza, e);

  // Lanes.
  const auto separa = [&](const Corsia& c) { tela.linea(xg, c.y, a.x1, c.y, stile::kGriglia, 1); };
  separa(segnali);
  titolo_gronda(tela, xg, segnali.y + 15, "Signals" + conteggio(e.segnali.size()));
  for (int32_t p : e.segnali) {
    const double x = a.x(p), ym = segnali.y + kRigaMarcatori / 2;
    tela.linea(x, ym + 2, x, ym + 9, stile::kTesto, 1.2);
    tela.marcatore(Marcatore::cerchio, x, ym - 1, 4, stile::kSegnale);
  }

  const auto corsia = [&](const Corsia& c, const std::string& titolo, const std::vector<Oggetto>& oggetti,
                          Marcatore m, Colore colore) {
    separa(c);
    std::vector<std::pair<double, std::string>> etichette;
    for (const Oggetto& o : oggetti) {
      tela.marcatore(m, a.x(o.posizione), c.y + kRigaMarcatori / 2, 4.5, colore);
      etichette.push_back({a.x(o.posizione), o.etichetta});
    }
    const int nascoste = etichette_corsia(tela, a, c, etichette, colore);
    titolo_gronda(tela, xg, c.y + 15, titolo + conteggio(oggetti.size()), nota_nascoste(nascoste));
  };
  corsia(indicatori, "Speed boards", e.indicatori, Marcatore::quadrato, stile::kIndicatore);
  corsia(cartelli, "Text boards", e.cartelli, Marcatore::quadrato, stile::kCartello);

  separa(rallentamenti);
  std::vector<std::pair<double, std::string>> velocita_rallentamenti;
  for (const Rallentamento& r : e.rallentamenti) {
    const double x = a.x(r.posizione), ym = rallentamenti.y + kRigaMarcatori / 2;
    switch (r.punto) {
      case PuntoRallentamento::avviso: tela.marcatore(Marcatore::rombo, x, ym, 5.5, stile::kAvvisoRallentamento); break;
      case PuntoRallentamento::inizio:
        tela.marcatore(Marcatore::triangolo_giu, x, ym, 5, stile::kInizioRallentamento);
        velocita_rallentamenti.push_back({x, std::to_string(r.velocita)});
        break;
      case PuntoRallentamento::fine: tela.marcatore(Marcatore::triangolo_su, x, ym, 5, stile::kFineRallentamento); break;
    }
  }
  const int senza_velocita = etichette_corsia(tela, a, rallentamenti, velocita_rallentamenti, stile::kInizioRallentamento);
  titolo_gronda(tela, xg, rallentamenti.y + 15, "Slowdowns" + conteggio(e.rallentamenti.size()),
                nota_nascoste(senza_velocita));

  corsia(abbattimenti, "Code points", e.abbattimenti, Marcatore::croce, stile::kAbbattimento);
  separa({y_asse, 0});

  // Legend.
  const auto simbolo = [&](Marcatore m, Colore c, double r) {
    return [&tela, m, c, r](double x, double y) { tela.marcatore(m, x, y, r, c); };
  };
  legenda(tela, a.x0, a.x1, y_asse + 78,
          {
              {"speed limit (km/h)", [&](double x, double y) { tela.linea(x - 12, y, x + 12, y, stile::kVelocita, 2.6); }},
              {"gradient falling (\u2030)", [&](double x, double y) { tela.riempi({x - 10, y - 6, 20, 12}, stile::kDiscesa); }},
              {"gradient rising (\u2030)", [&](double x, double y) { tela.riempi({x - 10, y - 6, 20, 12}, stile::kSalita); }},
              {"station", [&](double x, double y) { tela.tratteggio(x, y - 8, x, y + 8, stile::kStazione, 1, 4, 3); }},
              {"signal", simbolo(Marcatore::cerchio, stile::kSegnale, 4)},
              {"speed indicator board (speeds a/b/c, km/h)", simbolo(Marcatore::quadrato, stile::kIndicatore, 4.5)},
              {"text board (its lettering)", simbolo(Marcatore::quadrato, stile::kCartello, 4.5)},
              {"slowdown warning", simbolo(Marcatore::rombo, stile::kAvvisoRallentamento, 5.5)},
              {"slowdown start (km/h)", simbolo(Marcatore::triangolo_giu, stile::kInizioRallentamento, 5)},
              {"slowdown end", simbolo(Marcatore::triangolo_su, stile::kFineRallentamento, 5)},
              {"code cut-down point (code)", simbolo(Marcatore::croce, stile::kAbbattimento, 4.5)},
          });
}

}  // namespace scenc::plot
