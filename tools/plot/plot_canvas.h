// Drawing helpers over the system's painter (platform/picture.h): colours,
// lines, markers and text in the plot's typeface. The drawing library keeps
// the first error; the caller checks it once the page is drawn. Given a list
// of texts (an SVG page), the canvas measures texts with the painter but
// lists them there instead of drawing them (tools/plot/plot_svg_text.h).
#pragma once

#include <string>
#include <vector>

#include "platform/picture.h"
#include "tools/plot/plot_labels.h"
#include "tools/plot/plot_style.h"
#include "tools/plot/plot_svg_text.h"

namespace scenc::plot {

enum class Allinea { sinistra, centro, destra };

// `segnale` is a dot on a short mast; `anello` a hollow circle.
enum class Marcatore { cerchio, quadrato, triangolo_giu, triangolo_su, rombo, croce, segnale, anello };

class Tela {
 public:
  explicit Tela(scen::platform::Painter& painter, std::vector<TestoPagina>* testi = nullptr)
      : painter_(&painter), testi_(testi) {}
  // For paths of the charts' own.
  scen::platform::Painter& painter() const { return *painter_; }

  void colore(Colore c) const { painter_->set_colour(c.r, c.g, c.b); }
  void colore(Colore c, double opacita) const { painter_->set_colour(c.r, c.g, c.b, opacita); }
  void linea(double x0, double y0, double x1, double y1, Colore c, double spessore) const;
  void tratteggio(double x0, double y0, double x1, double y1, Colore c, double spessore,
                  double pieno, double vuoto) const;
  void rettangolo(const Rettangolo& r, Colore bordo, double spessore) const;
  void riempi(const Rettangolo& r, Colore c) const;
  void marcatore(Marcatore m, double x, double y, double raggio, Colore c) const;
  // At the size the profile and its legend use for each kind.
  void marcatore(Marcatore m, double x, double y, Colore c) const;

  // Width and height of a line of text.
  double larghezza(const std::string& testo, double corpo, bool grassetto = false) const;
  // Text with its baseline at y; x is its left end, centre or right end.
  void testo(const std::string& testo, double x, double y, double corpo, Colore c,
             Allinea allinea = Allinea::sinistra, bool grassetto = false) const;
  // The same on a patch of background, so that no line runs through it.
  void testo_su_fondo(const std::string& testo, double x, double y, double corpo, Colore c,
                      Allinea allinea = Allinea::sinistra) const;
  // Text reading upwards with its first letter at the foot (x, y), centred
  // on x.
  void testo_verticale(const std::string& testo, double x, double y, double corpo, Colore c) const;
  // A band's title in bold, with an optional note in small type below it.
  void titolo(const std::string& titolo, const std::string& nota, double x, double y) const;
  // The box a line of text takes with its baseline at y.
  Rettangolo riquadro(const std::string& testo, double x, double y, double corpo,
                      Allinea allinea = Allinea::sinistra) const;

 private:
  void carattere(double corpo, bool grassetto) const;
  scen::platform::Painter* painter_;
  std::vector<TestoPagina>* testi_;
};

}  // namespace scenc::plot
