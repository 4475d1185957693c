// The warnings of a check as they are found, of which only the first so
// many in file order are kept and the rest counted: a file of junk, with a
// warning on each of its millions of lines, costs a count, not a list.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <tuple>
#include <utility>
#include <vector>

#include "tools/lint/lint.h"

namespace scenc {

class ElencoAvvisi {
 public:
  // Where a warning stands in the order they are told: its file (by rank),
  // line and column, then the order in which it was found.
  struct Luogo {
    int rango_file = 0;
    int64_t linea = 0;
    int64_t colonna = 0;
  };

  explicit ElencoAvvisi(size_t tenuti) : tenuti_(tenuti) {}

  // One more warning at `luogo`; `crea()` makes it (its words included)
  // only when it is among those kept.
  template <class Crea>
  void aggiungi(const Luogo& luogo, Crea&& crea) {
    const Chiave k{luogo.rango_file, luogo.linea, luogo.colonna, totale_++};
    if (avvisi_.size() < tenuti_) {
      avvisi_.push_back({k, crea()});
      std::push_heap(avvisi_.begin(), avvisi_.end(), prima);
    } else if (tenuti_ > 0 && k < avvisi_.front().first) {
      std::pop_heap(avvisi_.begin(), avvisi_.end(), prima);
      avvisi_.back() = {k, crea()};
      std::push_heap(avvisi_.begin(), avvisi_.end(), prima);
    }
  }

  // The warnings kept, in order, and how many were found in all.
  EsitoLint esito() &&;

 private:
  using Chiave = std::tuple<int, int64_t, int64_t, size_t>;
  using Voce = std::pair<Chiave, AvvisoLint>;
  static bool prima(const Voce& a, const Voce& b) { return a.first < b.first; }

  size_t tenuti_;
  size_t totale_ = 0;
  std::vector<Voce> avvisi_;  // a heap, the last in order on top
};

}  // namespace scenc
