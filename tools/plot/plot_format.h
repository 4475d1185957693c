// The picture's format, chosen by the ending of its file's name.
#pragma once

#include <optional>
#include <string>

namespace scenc::plot {

enum class FormatoImmagine { png, svg, pdf };

// By the ending ".png", ".svg" or ".pdf", in any letter case.
std::optional<FormatoImmagine> formato_da_nome(const std::string& file);

}  // namespace scenc::plot
