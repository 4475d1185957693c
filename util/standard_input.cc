#include "util/standard_input.h"

#include <algorithm>

#include "platform/standard_streams.h"

namespace scen {

bool read_standard_input(size_t largest, std::string& out, std::string& why) {
  out.clear();
  const auto troppo = [&](const std::string& quanti) {
    out.clear();
    why = quanti + " bytes, larger than the largest one can be (" + std::to_string(largest) + " bytes)";
    return false;
  };
  // A redirected file tells its size: one too large is not read at all.
  platform::FileKind kind;
  uint64_t size = 0;
  if (!platform::descriptor_kind_and_size(platform::kStandardInput, kind, size, why)) return false;
  if (kind == platform::FileKind::regular && size > largest) return troppo(std::to_string(size));
  if (kind == platform::FileKind::directory) {
    why = "Is a directory";
    return false;
  }
  // Anything else is read up to one byte past the limit.
  constexpr size_t kBlocco = size_t{1} << 16;
  size_t letti = 0;
  while (letti <= largest) {
    out.resize(letti + std::min(kBlocco, largest + 1 - letti));
    const int64_t n = platform::read_descriptor(platform::kStandardInput, out.data() + letti, out.size() - letti, why);
    if (n < 0) {
      out.clear();
      return false;
    }
    if (n == 0) break;
    letti += static_cast<size_t>(n);
  }
  out.resize(letti);
  if (letti > largest) return troppo("more than " + std::to_string(largest));
  return true;
}

}  // namespace scen
