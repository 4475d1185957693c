// Semantic tokens: every field of a source by kind, so that an editor
// colours keywords, section headers, numbers (by what they measure), texts
// and comments without a grammar of its own.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "format/sections.h"

namespace scenc::lsp {

// The legend: token types and modifiers, in the order their indices name.
inline constexpr std::array<std::string_view, 5> kTipiToken = {"keyword", "namespace", "number", "string", "comment"};
inline constexpr std::array<std::string_view, 3> kModificatoriToken = {"position", "speed", "time"};

struct Token {
  int64_t riga = 0;
  int64_t colonna = 0;  // characters
  int64_t lunghezza = 0;  // characters
  uint32_t tipo = 0;
  uint32_t modificatori = 0;  // bits
};

// The tokens of a whole text (code page 1252), in order.
std::vector<Token> token_semantici(scen::FileFormato f, std::string_view testo);

}  // namespace scenc::lsp
