// The texts of an SVG page as `<text>` elements. Cairo's SVG surface draws
// every glyph as an outline, which neither a browser's find nor a program
// can read; so on an SVG page the canvas draws no text itself but lists it
// here, and the list joins the finished page on top of the drawing. Each
// text keeps the width cairo measured for it (textLength), so that the
// layout holds in a browser that lacks the plot's typeface.
#pragma once

#include <string>
#include <vector>

#include "tools/plot/plot_style.h"

namespace scenc::plot {

struct TestoPagina {
  std::string testo;  // UTF-8
  double x = 0, y = 0;  // the left end of the baseline, page units
  double corpo = 0;
  double larghezza = 0;  // as measured when drawn
  Colore colore{};
  bool grassetto = false;
  bool verticale = false;  // reading upwards from (x, y)
};

// `svg` with the texts added before its closing tag, scaled by `scala`
// from page units to the SVG's points. Unchanged when it has no closing tag.
std::string svg_con_testi(std::string svg, const std::vector<TestoPagina>& testi, double scala);

}  // namespace scenc::plot
