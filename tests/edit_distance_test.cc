// The edit distance between words, and the nearest of a list.
#include "util/edit_distance.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>

namespace scen {
namespace {

TEST(EditDistance, CountsInsertionsDeletionsReplacementsAndSwaps) {
  const struct {
    std::string_view a, b;
    size_t limite, distanza;
  } casi[] = {
      {"", "", 5, 0},
      {"", "abc", 5, 3},
      {"abc", "", 5, 3},
      {"segnale", "segnale", 5, 0},
      {"pendnza", "pendenza", 5, 1},     // an insertion
      {"stazionee", "stazione", 5, 1},   // a deletion
      {"velocitx", "velocita", 5, 1},    // a replacement
      {"sgenale", "segnale", 5, 1},      // a swap of neighbours
      {"ab", "ba", 5, 1},
      {"ca", "abc", 5, 3},  // no stretch edited twice: not 2
      {"kitten", "sitting", 5, 3},
      {"orologio", "aderenza", 5, 6},
      // Beyond the limit: the limit and one.
      {"kitten", "sitting", 2, 3},
      {"x", "stazione", 2, 3},           // by the lengths alone
      {"abcdefgh", "stuvwxyz", 0, 1},
  };
  for (const auto& c : casi)
    EXPECT_EQ(distanza_modifica(c.a, c.b, c.limite), c.distanza) << c.a << " / " << c.b << " within " << c.limite;
}

TEST(EditDistance, TheNearestWithinAQuarterOfItsLengthAtMostTwo) {
  constexpr std::array<std::string_view, 5> parole = {"fine", "curve", "pendenze", "velocita", "segnale"};
  const struct {
    std::string_view parola;
    std::optional<size_t> vicina;
  } casi[] = {
      {"fine", 0},  // the word itself
      {"fin", 0},
      {"fien", 0},
      {"dati", std::nullopt},      // 4 letters: one edit at most
      {"cruve", 1},
      {"cruv", std::nullopt},
      {"pendnze", 2},               // 8 letters: two edits
      {"pndnze", 2},
      {"pndnz", std::nullopt},
      {"velocitaa", 3},
      {"segnali", 4},               // ties go to the first, nearer ones first of all
      {"", std::nullopt},
  };
  for (const auto& c : casi) EXPECT_EQ(piu_vicina(c.parola, parole), c.vicina) << c.parola;
  EXPECT_EQ(piu_vicina("x", {}), std::nullopt);
}

}  // namespace
}  // namespace scen
