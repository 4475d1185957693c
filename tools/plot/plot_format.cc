#include "tools/plot/plot_format.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "platform/path_text.h"

namespace scenc::plot {

std::optional<FormatoImmagine> formato_da_nome(const std::string& file) {
  std::string estensione = scen::utf8_of(scen::path_from_utf8(file).extension());
  std::transform(estensione.begin(), estensione.end(), estensione.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (estensione == ".png") return FormatoImmagine::png;
  if (estensione == ".svg") return FormatoImmagine::svg;
  if (estensione == ".pdf") return FormatoImmagine::pdf;
  return std::nullopt;
}

}  // namespace scenc::plot
