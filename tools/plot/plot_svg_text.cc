#include "tools/plot/plot_svg_text.h"

#include <cmath>

#include "tools/plot/plot_text.h"

namespace scenc::plot {

namespace {

void aggiungi_escapato(std::string& out, const std::string& testo) {
  for (char c : testo) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        // Control characters are not allowed in XML 1.0.
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') out += c;
        break;
    }
  }
}

std::string esadecimale(Colore c) {
  static constexpr char kCifre[] = "0123456789abcdef";
  std::string s = "#";
  for (double v : {c.r, c.g, c.b}) {
    const int n = static_cast<int>(std::lround(std::fmin(std::fmax(v, 0.0), 1.0) * 255));
    s += kCifre[n / 16];
    s += kCifre[n % 16];
  }
  return s;
}

std::string n(double v) { return numero_testo(v, 2); }

}  // namespace

std::string svg_con_testi(std::string svg, const std::vector<TestoPagina>& testi, double scala) {
  const size_t chiusura = svg.rfind("</svg>");
  if (chiusura == std::string::npos) return svg;
  std::string g = "<g transform=\"scale(" + n(scala) + ")\" font-family=\"" + stile::kCarattere +
                  ", sans-serif\" xml:space=\"preserve\">\n";
  for (const TestoPagina& t : testi) {
    g += "<text x=\"" + n(t.x) + "\" y=\"" + n(t.y) + "\" font-size=\"" + n(t.corpo) + "\" fill=\"" +
         esadecimale(t.colore) + "\"";
    if (t.grassetto) g += " font-weight=\"bold\"";
    if (t.verticale) g += " transform=\"rotate(-90 " + n(t.x) + " " + n(t.y) + ")\"";
    if (t.larghezza > 0) g += " textLength=\"" + n(t.larghezza) + "\" lengthAdjust=\"spacingAndGlyphs\"";
    g += ">";
    aggiungi_escapato(g, t.testo);
    g += "</text>\n";
  }
  g += "</g>\n";
  svg.insert(chiusura, g);
  return svg;
}

}  // namespace scenc::plot
