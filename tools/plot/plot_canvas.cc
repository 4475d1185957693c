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
  cairo_set_line_width(cr_, spessore);
  cairo_move_to(cr_, x0, y0);
  cairo_line_to(cr_, x1, y1);
  cairo_stroke(cr_);
}

void Tela::tratteggio(double x0, double y0, double x1, double y1, Colore c, double spessore,
                      double pieno, double vuoto) const {
  const double trattini[2] = {pieno, vuoto};
  cairo_set_dash(cr_, trattini, 2, 0);
  linea(x0, y0, x1, y1, c, spessore);
  cairo_set_dash(cr_, nullptr, 0, 0);
}

void Tela::rettangolo(const Rettangolo& r, Colore bordo, double spessore) const {
  colore(bordo);
  cairo_set_line_width(cr_, spessore);
  cairo_rectangle(cr_, r.x, r.y, r.w, r.h);
  cairo_stroke(cr_);
}

void Tela::riempi(const Rettangolo& r, Colore c) const {
  colore(c);
  cairo_rectangle(cr_, r.x, r.y, r.w, r.h);
  cairo_fill(cr_);
}

void Tela::marcatore(Marcatore m, double x, double y, double raggio, Colore c) const {
  colore(c);
  cairo_new_path(cr_);
  const double r = raggio;
  switch (m) {
    case Marcatore::cerchio: cairo_arc(cr_, x, y, r, 0, 2 * std::numbers::pi); break;
    case Marcatore::quadrato: cairo_rectangle(cr_, x - r, y - r, 2 * r, 2 * r); break;
    case Marcatore::triangolo_giu:
      cairo_move_to(cr_, x - r, y - r);
      cairo_line_to(cr_, x + r, y - r);
      cairo_line_to(cr_, x, y + r);
      cairo_close_path(cr_);
      break;
    case Marcatore::triangolo_su:
      cairo_move_to(cr_, x - r, y + r);
      cairo_line_to(cr_, x + r, y + r);
      cairo_line_to(cr_, x, y - r);
      cairo_close_path(cr_);
      break;
    case Marcatore::rombo:
      cairo_move_to(cr_, x, y - r);
      cairo_line_to(cr_, x + r, y);
      cairo_line_to(cr_, x, y + r);
      cairo_line_to(cr_, x - r, y);
      cairo_close_path(cr_);
      break;
    case Marcatore::segnale:
      linea(x, y + 3, x, y + 10, stile::kTesto, 1.2);
      colore(c);
      cairo_arc(cr_, x, y - 1, r, 0, 2 * std::numbers::pi);
      break;
    case Marcatore::anello:
      cairo_set_line_width(cr_, 2);
      cairo_arc(cr_, x, y, r - 1, 0, 2 * std::numbers::pi);
      cairo_stroke(cr_);
      return;
    case Marcatore::croce:
      cairo_set_line_width(cr_, 2.2);
      cairo_move_to(cr_, x - r, y - r);
      cairo_line_to(cr_, x + r, y + r);
      cairo_move_to(cr_, x + r, y - r);
      cairo_line_to(cr_, x - r, y + r);
      cairo_stroke(cr_);
      return;
  }
  cairo_fill(cr_);
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
  cairo_select_font_face(cr_, stile::kCarattere, CAIRO_FONT_SLANT_NORMAL,
                         grassetto ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr_, corpo);
}

double Tela::larghezza(const std::string& testo, double corpo, bool grassetto) const {
  carattere(corpo, grassetto);
  cairo_text_extents_t e;
  cairo_text_extents(cr_, testo.c_str(), &e);
  return e.x_advance;
}

void Tela::testo(const std::string& testo, double x, double y, double corpo, Colore c, Allinea allinea,
                 bool grassetto) const {
  const double w = larghezza(testo, corpo, grassetto);
  if (testi_) {
    testi_->push_back({testo, sinistra_di(x, w, allinea), y, corpo, w, c, grassetto, false});
    return;
  }
  colore(c);
  cairo_move_to(cr_, sinistra_di(x, w, allinea), y);
  cairo_show_text(cr_, testo.c_str());
  cairo_new_path(cr_);
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
  cairo_save(cr_);
  cairo_translate(cr_, xb, y);
  cairo_rotate(cr_, -std::numbers::pi / 2);
  cairo_move_to(cr_, 0, 0);
  cairo_show_text(cr_, testo.c_str());
  cairo_new_path(cr_);
  cairo_restore(cr_);
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
