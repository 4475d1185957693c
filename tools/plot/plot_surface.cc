#include "tools/plot/plot_surface.h"

#include <string>
#include <vector>

#include "platform/picture.h"
#include "util/file_replace.h"
#include "util/standard_output.h"

namespace scenc::plot {

namespace {

constexpr double kPuntiPerUnita = 0.5;  // SVG and PDF pages

scen::platform::PictureFormat formato_sistema(FormatoImmagine formato) {
  switch (formato) {
    case FormatoImmagine::png: return scen::platform::PictureFormat::png;
    case FormatoImmagine::svg: return scen::platform::PictureFormat::svg;
    case FormatoImmagine::pdf: return scen::platform::PictureFormat::pdf;
  }
  return scen::platform::PictureFormat::png;
}

}  // namespace

bool formato_disponibile(FormatoImmagine formato) {
  return scen::platform::picture_format_available(formato_sistema(formato));
}

void scrivi_immagine(const std::filesystem::path& file, FormatoImmagine formato, int larghezza,
                     int altezza, const std::function<void(const Tela&)>& disegna) {
  scen::scrivi_file_o_uscita(file, [&](scen::ByteSink& uscita) {
    // An SVG is finished in memory, where its texts join it, before it is written.
    const bool in_memoria = formato == FormatoImmagine::svg;
    std::string svg;
    std::vector<TestoPagina> testi;
    const std::string errore = scen::platform::draw_picture(
        {formato_sistema(formato), larghezza, altezza, kPuntiPerUnita},
        [&](scen::platform::Painter& painter) { disegna(Tela(painter, in_memoria ? &testi : nullptr)); },
        [&](std::string_view blocco) {
          if (in_memoria)
            svg.append(blocco);
          else
            uscita.bytes(blocco);
        });
    if (!errore.empty()) throw scen::ErroreFile(file, errore);
    if (in_memoria) uscita.bytes(svg_con_testi(std::move(svg), testi, kPuntiPerUnita));
  });
}

}  // namespace scenc::plot
