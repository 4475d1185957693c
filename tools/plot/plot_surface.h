// The picture file: PNG, SVG or PDF by the file's ending, drawn by the
// system's drawing library (platform/picture.h) and written whole or not at
// all. An SVG keeps its texts as `<text>` elements (tools/plot/plot_svg_text.h).
#pragma once

#include <filesystem>
#include <functional>

#include "tools/plot/plot_canvas.h"
#include "tools/plot/plot_format.h"

namespace scenc::plot {

// Draws a page of `larghezza` x `altezza` page units with `disegna` and
// replaces `file` with it atomically. PNG pixels are page units; SVG and
// PDF pages are half as many points. Throws scen::ErroreFile when the
// file cannot be written or the drawing library fails.
void scrivi_immagine(const std::filesystem::path& file, FormatoImmagine formato, int larghezza,
                     int altezza, const std::function<void(const Tela&)>& disegna);

// Whether this system can draw `formato`: Windows draws PNG only.
bool formato_disponibile(FormatoImmagine formato);

}  // namespace scenc::plot
