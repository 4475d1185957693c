#include "util/edit_distance.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace scen {

size_t distanza_modifica(std::string_view a, std::string_view b, size_t limite) {
  const size_t oltre = limite + 1;
  // The distance is at least the difference in length.
  if ((a.size() > b.size() ? a.size() - b.size() : b.size() - a.size()) > limite) return oltre;
  // Three rows of the table: two back (for a swap), the one before, this one.
  std::vector<size_t> due_prima(b.size() + 1), prima(b.size() + 1), riga(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) prima[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    riga[0] = i;
    size_t minimo = riga[0];
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t costo = a[i - 1] == b[j - 1] ? 0 : 1;
      riga[j] = std::min({prima[j] + 1, riga[j - 1] + 1, prima[j - 1] + costo});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        riga[j] = std::min(riga[j], due_prima[j - 2] + 1);
      minimo = std::min(minimo, riga[j]);
    }
    // No cell of a row falls below the smallest of the row before it but
    // one (a swap reaches back two rows): once two rows in a row are all
    // above the limit, so is the distance.
    if (minimo > limite && i > 1 && *std::min_element(prima.begin(), prima.end()) > limite) return oltre;
    std::swap(due_prima, prima);
    std::swap(prima, riga);
  }
  return std::min(prima[b.size()], oltre);
}

std::optional<size_t> piu_vicina(std::string_view parola, std::span<const std::string_view> candidate) {
  std::optional<size_t> scelta;
  size_t migliore = 0;
  for (size_t i = 0; i < candidate.size(); ++i) {
    const size_t ammessa = distanza_ammessa(candidate[i]);
    const size_t d = distanza_modifica(parola, candidate[i], ammessa);
    if (d > ammessa || (scelta && d >= migliore)) continue;
    scelta = i;
    migliore = d;
  }
  return scelta;
}

}  // namespace scen
