#include "tools/plot/plot_canvas.h"

#include <cmath>
#include <numbers>

namespace scenc::plot {

namespace {

constexpr double kAscesa = 0.76;    // of the type size, above the baseline
constexpr double kDiscesa = 0.24;   // below it

double sinistra_di(double x, double w, Allinea a) {
  switch (a) {
    case Allinea::sinistra: return x;
    case Allinea::centro: return x - w / 2;
    case Allinea::destra: return x - w;
  }
  return x;
}

}  // namespace

void Tela::linea(double x0, double y0, double x1, double y1, Colore c, double spessore) const {
  colore(c);
  painter_->set_line_width(spessore);
  painter_->move_to(x0, y0);
  painter_->line_to(x1, y1);
  painter_->stroke();
}

void Tela::tratteggio(double x0, double y0, double x1, double y1, Colore c, double spessore,
                      double pieno, double vuoto) const {
  painter_->set_dash(pieno, vuoto);
  linea(x0, y0, x1, y1, c, spessore);
  painter_->clear_dash();
}

void Tela::rettangolo(const Rettangolo& r, Colore bordo, double spessore) const {
  colore(bordo);
  painter_->set_line_width(spessore);
  painter_->rectangle(r.x, r.y, r.w, r.h);
  painter_->stroke();
}

void Tela::riempi(const Rettangolo& r, Colore c) const {
  colore(c);
  painter_->rectangle(r.x, r.y, r.w, r.h);
  painter_->fill();
}

void Tela::marcatore(Marcatore m, double x, double y, double raggio, Colore c) const {
  colore(c);
  painter_->new_path();
  const double r = raggio;
  switch (m) {
    case Marcatore::cerchio: painter_->circle(x, y, r); break;
    case Marcatore::quadrato: painter_->rectangle(x - r, y - r, 2 * r, 2 * r); break;
    case Marcatore::triangolo_giu:
      painter_->move_to(x - r, y - r);
      painter_->line_to(x + r, y - r);
      painter_->line_to(x, y + r);
      painter_->close_path();
      break;
    case Marcatore::triangolo_su:
      painter_->move_to(x - r, y + r);
      painter_->line_to(x + r, y + r);
      painter_->line_to(x, y - r);
      painter_->close_path();
      break;
    case Marcatore::rombo:
      painter_->move_to(x, y - r);
      painter_->line_to(x + r, y);
      painter_->line_to(x, y + r);
      painter_->line_to(x - r, y);
      painter_->close_path();
      break;
    case Marcatore::segnale:
      linea(x, y + 3, x, y + 10, stile::kTesto, 1.2);
      colore(c);
      painter_->circle(x, y - 1, r);
      break;
    case Marcatore::anello:
      painter_->set_line_width(2);
      painter_->circle(x, y, r - 1);
      painter_->stroke();
      return;
    case Marcatore::croce:
      painter_->set_line_width(2.2);
      painter_->move_to(x - r, y - r);
      painter_->line_to(x + r, y + r);
      painter_->move_to(x + r, y - r);
      painter_->line_to(x - r, y + r);
      painter_->stroke();
      return;
  }
  painter_->fill();
}

void Tela::marcatore(Marcatore m, double x, double y, Colore c) const {
  double raggio = 4.5;
  switch (m) {
    case Marcatore::cerchio:
    case Marcatore::segnale: raggio = 4; break;
    case Marcatore::anello: raggio = 5; break;
    case Marcatore::rombo: raggio = 5.5; break;
    case Marcatore::triangolo_giu:
    case Marcatore::triangolo_su: raggio = 5; break;
    case Marcatore::quadrato:
    case Marcatore::croce: break;
  }
  marcatore(m, x, y, raggio, c);
}

void Tela::carattere(double corpo, bool grassetto) const {
  painter_->set_font(stile::kCarattere, corpo, grassetto);
}

double Tela::larghezza(const std::string& testo, double corpo, bool grassetto) const {
  carattere(corpo, grassetto);
  return painter_->text_advance(testo);
}

void Tela::testo(const std::string& testo, double x, double y, double corpo, Colore c, Allinea allinea,
                 bool grassetto) const {
  const double w = larghezza(testo, corpo, grassetto);
  if (testi_) {
    testi_->push_back({testo, sinistra_di(x, w, allinea), y, corpo, w, c, grassetto, false});
    return;
  }
  colore(c);
  painter_->move_to(sinistra_di(x, w, allinea), y);
  painter_->show_text(testo);
}

void Tela::testo_su_fondo(const std::string& testo, double x, double y, double corpo, Colore c,
                          Allinea allinea) const {
  riempi(riquadro(testo, x, y, corpo, allinea).allargato(1.5), stile::kSfondo);
  this->testo(testo, x, y, corpo, c, allinea);
}

void Tela::testo_verticale(const std::string& testo, double x, double y, double corpo, Colore c) const {
  // Reading upwards, the letters stand to the left of the baseline.
  const double xb = x + corpo * (kAscesa - kDiscesa) / 2;
  if (testi_) {
    testi_->push_back({testo, xb, y, corpo, larghezza(testo, corpo), c, false, true});
    return;
  }
  carattere(corpo, false);
  colore(c);
  painter_->save();
  painter_->translate(xb, y);
  painter_->rotate(-std::numbers::pi / 2);
  painter_->move_to(0, 0);
  painter_->show_text(testo);
  painter_->restore();
}

void Tela::titolo(const std::string& titolo, const std::string& nota, double x, double y) const {
  testo(titolo, x, y, stile::kEtichetta, stile::kTesto, Allinea::sinistra, true);
  if (!nota.empty()) testo(nota, x, y + 16, stile::kEtichettaPiccola, stile::kTestoTenue);
}

Rettangolo Tela::riquadro(const std::string& testo, double x, double y, double corpo, Allinea allinea) const {
  const double w = larghezza(testo, corpo);
  return {sinistra_di(x, w, allinea), y - corpo * kAscesa, w, corpo * (kAscesa + kDiscesa)};
}

}  // namespace scenc::plot
