#include "util/regular_file.h"

#include "platform/file_system.h"

namespace scen {

bool read_regular_file(const std::filesystem::path& p, size_t largest, std::string& out, std::string& why) {
  out.clear();
  platform::File file = platform::File::open_for_reading(p, /*never_wait=*/true, why);
  if (!file.is_open()) return false;
  const auto fallisci = [&](std::string perche) {
    out.clear();
    why = std::move(perche);
    return false;
  };
  platform::FileKind kind;
  uint64_t size64 = 0;
  if (!file.kind_and_size(kind, size64, why)) return fallisci(why);
  if (kind == platform::FileKind::directory) return fallisci("Is a directory");
  if (kind != platform::FileKind::regular) return fallisci("not a regular file");
  if (size64 > largest)
    return fallisci(std::to_string(size64) + " bytes, larger than the largest one can be (" + std::to_string(largest) +
                    " bytes)");
  const auto size = static_cast<size_t>(size64);
  // One byte more than its size, to see a file that grew meanwhile.
  out.resize(size + 1);
  size_t letti = 0;
  while (letti < out.size()) {
    const int64_t n = file.read(out.data() + letti, out.size() - letti, why);
    if (n < 0) return fallisci(why);
    if (n == 0) break;
    letti += static_cast<size_t>(n);
  }
  if (letti > size) return fallisci("it grew while it was read");
  out.resize(letti);
  if (!file.close(why)) {
    out.clear();
    return false;
  }
  return true;
}

}  // namespace scen
