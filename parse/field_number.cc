#include "parse/field_number.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace scen {

std::optional<int64_t> field_number(std::string_view text) {
  if (text.empty()) return std::nullopt;
  // Plain digits, as nearly every field holds, read in place; 18 of them
  // cannot overflow. strtoll needs a copy that ends in NUL.
  if (text.size() <= 18 && std::all_of(text.begin(), text.end(), [](char d) { return d >= '0' && d <= '9'; })) {
    int64_t v = 0;
    for (const char d : text) v = 10 * v + (d - '0');
    return v;
  }
  const std::string copy(text);
  char* end = nullptr;
  const long long v = std::strtoll(copy.c_str(), &end, 10);
  if (*end != '\0' && *end != ' ') return std::nullopt;
  return v;
}

}  // namespace scen
