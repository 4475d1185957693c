// How far apart two words are, in edits a typist makes: a letter inserted,
// deleted or replaced, or two neighbouring letters swapped (the optimal
// string alignment form of the Damerau-Levenshtein distance, in which no
// stretch of text is edited twice).
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace scen {

// The distance between `a` and `b`, bytes compared as they are; any
// distance above `limite` is given as `limite + 1`, which is all a caller
// that only wants near words needs, and found without the full table.
size_t distanza_modifica(std::string_view a, std::string_view b, size_t limite);

// How near a word must be to `candidata` to be taken for a misspelling of
// it: a quarter of its length in edits, at most 2; none below 4 letters.
constexpr size_t distanza_ammessa(std::string_view candidata) {
  return candidata.size() / 4 < 2 ? candidata.size() / 4 : 2;
}

// The index of the candidate nearest to `parola` within the distance it
// admits (the first of equals, an equal word first of all); none when no
// candidate is that near.
std::optional<size_t> piu_vicina(std::string_view parola, std::span<const std::string_view> candidate);

}  // namespace scen
