#include "tools/plot/plot_plan.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <vector>

#include "tools/plot/plot_axis.h"
#include "tools/plot/plot_text.h"

namespace scenc::plot {

namespace {

constexpr size_t kPuntiMassimi = 6000;  // of the drawn line
constexpr double kMarginePianta = 40;
constexpr double kTestata = 70;         // panel title and note
constexpr double kPiede = 60;           // scale bar
constexpr double kDistanzaMarche = 110; // between labelled kilometre marks
constexpr double kDistanzaTacche = 5;   // between unlabelled ones
constexpr int64_t kMetriTangente = 25;

struct Punto {
  double x = 0, y = 0;
};

// The track plan drawn onto the panel, one scale for both axes.
class Proiezione {
 public:
  Proiezione(const scen::TabellaLinea& t, const Estensione& tratto) : tabella_(t), prima_(tratto.da) {
    ultima_ = std::min<int64_t>(tratto.a, static_cast<int64_t>(t.righe()) - 1);
  }

  // The metre rows that hold both coordinates, as finite numbers.
  bool riga_valida(int64_t r) const {
    if (r < prima_ || r > ultima_) return false;
    const auto i = static_cast<size_t>(r);
    return tabella_.x.tipo[i] != scen::TipoSlot::vuoto && tabella_.y.tipo[i] != scen::TipoSlot::vuoto &&
           std::isfinite(tabella_.x.valore[i]) && std::isfinite(tabella_.y.valore[i]);
  }
  Punto metri(int64_t r) const {
    return {tabella_.x.valore[static_cast<size_t>(r)], tabella_.y.valore[static_cast<size_t>(r)]};
  }
  int64_t prima() const { return prima_; }
  int64_t ultima() const { return ultima_; }

  // The nearest valid row to r, if any lies within 1000 m.
  std::optional<int64_t> riga_vicina(int64_t r) const {
    for (int64_t d = 0; d <= 1000; ++d) {
      if (riga_valida(r - d)) return r - d;
      if (riga_valida(r + d)) return r + d;
    }
    return std::nullopt;
  }

  // Fits the valid rows into `area`; false when fewer than two exist.
  bool adatta(const Rettangolo& area) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    double x0 = kInf, x1 = -kInf, y0 = kInf, y1 = -kInf;
    size_t n = 0;
    for (int64_t r = prima_; r <= ultima_; ++r) {
      if (!riga_valida(r)) continue;
      const Punto p = metri(r);
      x0 = std::min(x0, p.x);
      x1 = std::max(x1, p.x);
      y0 = std::min(y0, p.y);
      y1 = std::max(y1, p.y);
      ++n;
    }
    if (n < 2) return false;
    const double w = std::max(x1 - x0, 1.0);
    const double h = std::max(y1 - y0, 1.0);
    scala_ = std::min(area.w / w, area.h / h);
    cx_ = (x0 + x1) / 2;
    cy_ = (y0 + y1) / 2;
    px_ = area.x + area.w / 2;
    py_ = area.y + area.h / 2;
    return true;
  }
  double scala() const { return scala_; }
  Punto pagina(Punto m) const { return {px_ + (m.x - cx_) * scala_, py_ - (m.y - cy_) * scala_}; }
  Punto pagina(int64_t r) const { return pagina(metri(r)); }

  // Unit vector along the track at row r, on the page.
  Punto tangente(int64_t r) const {
    const auto a = riga_vicina(std::max<int64_t>(r - kMetriTangente, prima_));
    const auto b = riga_vicina(std::min(r + kMetriTangente, ultima_));
    if (!a || !b || *a == *b) return {0, -1};
    const Punto pa = pagina(*a), pb = pagina(*b);
    const double l = std::hypot(pb.x - pa.x, pb.y - pa.y);
    if (l <= 0) return {0, -1};
    return {(pb.x - pa.x) / l, (pb.y - pa.y) / l};
  }

 private:
  const scen::TabellaLinea& tabella_;
  int64_t prima_ = 0;
  int64_t ultima_ = -1;
  double scala_ = 1, cx_ = 0, cy_ = 0, px_ = 0, py_ = 0;
};

// Puts labels next to points, trying sixteen directions at growing distances,
// perpendicular to the track first. Beyond the first distance a leader line
// joins label and point; it may cross neither the track nor another label.
class Etichettatore {
 public:
  Etichettatore(const Tela& tela, MappaOccupata& mappa) : tela_(tela), mappa_(mappa) {
    for (size_t k = 0; k < direzioni_.size(); ++k) {
      const double a = static_cast<double>(k) * std::numbers::pi / 8;
      direzioni_[k] = {std::cos(a), std::sin(a)};
    }
  }

  bool metti(const std::string& testo, Punto p, Punto tangente, double corpo, Colore colore,
             const std::vector<double>& distanze) {
    const double w = tela_.larghezza(testo, corpo);
    const double h = corpo;
    auto direzioni = direzioni_;
    std::stable_sort(direzioni.begin(), direzioni.end(), [&](Punto a, Punto b) {
      return std::abs(a.x * tangente.x + a.y * tangente.y) < std::abs(b.x * tangente.x + b.y * tangente.y) - 1e-9;
    });
    for (double d : distanze) {
      const bool richiamo = d > distanze.front();
      for (const Punto u : direzioni) {
        const double cx = p.x + u.x * (d + w / 2 * std::abs(u.x));
        const double cy = p.y + u.y * (d + h / 2 * std::abs(u.y));
        const Rettangolo r{cx - w / 2, cy - h / 2, w, h};
        const double ax = std::clamp(p.x, r.x, r.destra());
        const double ay = std::clamp(p.y, r.y, r.basso());
        if (!mappa_.libero(r.allargato(2))) continue;
        if (richiamo && !mappa_.libero_tratto(p.x, p.y, ax, ay, kInizioRichiamo)) continue;
        mappa_.occupa(r.allargato(2));
        if (richiamo) {
          mappa_.occupa_tratto(p.x, p.y, ax, ay, kInizioRichiamo);
          tela_.linea(p.x, p.y, ax, ay, stile::kTestoTenue, 0.8);
        }
        tela_.testo(testo, r.x, r.y + h * 0.8, corpo, colore);
        return true;
      }
    }
    return false;
  }

 private:
  static constexpr double kInizioRichiamo = 8;  // past the dot and the track at it
  const Tela& tela_;
  MappaOccupata& mappa_;
  std::array<Punto, 16> direzioni_;
};

void barra_di_scala(const Tela& tela, const Rettangolo& pannello, double scala) {
  const int64_t metri = lunghezza_tonda(scala, pannello.w / 3);
  const double l = static_cast<double>(metri) * scala;
  const double x = pannello.x + 24, y = pannello.basso() - 28;
  tela.linea(x, y, x + l, y, stile::kTesto, 2);
  tela.linea(x, y - 6, x, y + 6, stile::kTesto, 2);
  tela.linea(x + l, y - 6, x + l, y + 6, stile::kTesto, 2);
  const std::string testo =
      metri >= 1000 ? numero_testo(static_cast<double>(metri) / 1000, 0) + " km" : std::to_string(metri) + " m";
  tela.testo(testo, x + l + 10, y + 5, stile::kEtichetta, stile::kTesto);
}

std::string etichetta_km(int64_t progressiva) {
  return "km " + numero_testo(static_cast<double>(progressiva) / 1000, progressiva % 1000 == 0 ? 0 : 1);
}

}  // namespace

void disegna_pianta(const Tela& tela, const Rettangolo& pannello, const scen::TabellaLinea& tabella,
                    const ElementiLinea& elementi, const Progressiva& progressiva, const Estensione& tratto) {
  tela.rettangolo(pannello, stile::kCornice, 1);
  tela.testo("Track plan", pannello.x + 16, pannello.y + 30, stile::kTitoloPannello, stile::kTesto,
             Allinea::sinistra, true);
  tela.testo(progressiva.presente() ? "x to the right, y upwards; marks: kilometric progressive"
                                    : "x to the right, y upwards; marks: km from the start",
             pannello.x + 16, pannello.y + 52, stile::kEtichettaPiccola, stile::kTestoTenue);

  const Rettangolo spazio{pannello.x + 8, pannello.y + kTestata, pannello.w - 16,
                          pannello.h - kTestata - kPiede};
  const Rettangolo area = spazio.allargato(-kMarginePianta);
  Proiezione pr(tabella, tratto);
  if (!pr.adatta(area)) {
    tela.testo("the track plan has no rows to draw", area.x + area.w / 2, area.y + area.h / 2,
               stile::kEtichetta, stile::kTestoTenue, Allinea::centro);
    return;
  }

  MappaOccupata mappa(spazio);
  // The track, and its samples as obstacles to the labels.
  const int64_t passo = std::max<int64_t>(1, (pr.ultima() - pr.prima() + 1) / static_cast<int64_t>(kPuntiMassimi));
  scen::platform::Painter& pen = tela.painter();
  pen.new_path();
  std::optional<Punto> ultimo_ostacolo;
  for (int64_t r = pr.prima(); r <= pr.ultima(); r = r == pr.ultima() ? r + 1 : std::min(r + passo, pr.ultima())) {
    if (!pr.riga_valida(r)) {
      pen.new_sub_path();
      continue;
    }
    const Punto p = pr.pagina(r);
    pen.line_to(p.x, p.y);
    if (!ultimo_ostacolo || std::hypot(p.x - ultimo_ostacolo->x, p.y - ultimo_ostacolo->y) >= 3) {
      mappa.occupa({p.x - 2.5, p.y - 2.5, 5, 5});
      ultimo_ostacolo = p;
    }
  }
  tela.colore(stile::kBinario);
  pen.set_line_width(2.5);
  pen.set_line_join(scen::platform::LineJoin::round);
  pen.stroke();

  // Start and end of the line: a bar across the track.
  for (int64_t r : {pr.prima(), pr.ultima()}) {
    const auto v = pr.riga_vicina(r);
    if (!v) continue;
    const Punto p = pr.pagina(*v), t = pr.tangente(*v);
    tela.linea(p.x - t.y * 9, p.y + t.x * 9, p.x + t.y * 9, p.y - t.x * 9, stile::kBinario, 4);
    mappa.occupa_tratto(p.x - t.y * 9, p.y + t.x * 9, p.x + t.y * 9, p.y - t.x * 9, 0);
  }

  // Kilometre marks: a short tick every km where there is room, a longer
  // labelled one at a round step.
  const double scala = pr.scala();
  const int64_t passo_etichette = passo_tondo(scala, kDistanzaMarche, 1000);
  const int64_t passo_tacche = passo_tondo(scala, kDistanzaTacche, 1000);
  std::vector<Progressiva::Marca> etichettate;
  for (const auto& m : progressiva.marche(tratto.da, tratto.a, passo_tacche)) {
    const auto v = pr.riga_vicina(m.posizione);
    if (!v) continue;
    const bool grande = m.progressiva % passo_etichette == 0;
    const Punto p = pr.pagina(*v), t = pr.tangente(*v);
    const double l = grande ? 8 : 4;
    tela.linea(p.x - t.y * l, p.y + t.x * l, p.x + t.y * l, p.y - t.x * l,
               grande ? stile::kTesto : stile::kTestoTenue, grande ? 1.6 : 1);
    if (grande) {
      etichettate.push_back(m);
      mappa.occupa_tratto(p.x - t.y * l, p.y + t.x * l, p.x + t.y * l, p.y - t.x * l, 0);
    }
  }

  // Stations: dots first, so that no label covers one.
  struct Fermata {
    const Stazione* stazione;
    Punto punto, tangente;
  };
  std::vector<Fermata> fermate;
  for (const Stazione& s : elementi.stazioni) {
    const auto v = pr.riga_vicina(s.posizione);
    if (!v) continue;
    const Punto p = pr.pagina(*v);
    fermate.push_back({&s, p, pr.tangente(*v)});
    mappa.occupa({p.x - 5, p.y - 5, 10, 10});  // the dot; a label keeps 1 unit off
  }
  Etichettatore etichette(tela, mappa);
  int nascoste = 0;
  for (const Fermata& f : fermate) {
    tela.marcatore(Marcatore::cerchio, f.punto.x, f.punto.y, 5.5, stile::kBinario);
    tela.marcatore(Marcatore::cerchio, f.punto.x, f.punto.y, 3.5, stile::kSfondo);
    if (!etichette.metti(f.stazione->nome, f.punto, f.tangente, stile::kEtichetta, stile::kTesto, {8, 16, 26, 40, 60, 90}))
      ++nascoste;
  }
  for (const auto& m : etichettate) {
    const auto v = pr.riga_vicina(m.posizione);
    etichette.metti(etichetta_km(m.progressiva), pr.pagina(*v), pr.tangente(*v), stile::kEtichettaPiccola,
                    stile::kTestoTenue, {12, 26});
  }

  barra_di_scala(tela, pannello, scala);
  if (nascoste > 0)
    tela.testo(std::to_string(nascoste) + (nascoste == 1 ? " station name" : " station names") +
                   " left out for lack of room",
               pannello.destra() - 16, pannello.basso() - 22, stile::kEtichettaPiccola, stile::kTestoTenue,
               Allinea::destra);
}

}  // namespace scenc::plot
