#include "util/standard_input.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace scen {

bool read_standard_input(size_t largest, std::string& out, std::string& why) {
  out.clear();
  const auto troppo = [&](const std::string& quanti) {
    out.clear();
    why = quanti + " bytes, larger than the largest one can be (" + std::to_string(largest) + " bytes)";
    return false;
  };
  // A redirected file tells its size: one too large is not read at all.
  struct stat st {};
  if (::fstat(STDIN_FILENO, &st) != 0) {
    why = std::strerror(errno);
    return false;
  }
  if (S_ISREG(st.st_mode) && static_cast<size_t>(st.st_size) > largest) return troppo(std::to_string(st.st_size));
  if (S_ISDIR(st.st_mode)) {
    why = std::strerror(EISDIR);
    return false;
  }
  // Anything else is read up to one byte past the limit.
  constexpr size_t kBlocco = size_t{1} << 16;
  size_t letti = 0;
  while (letti <= largest) {
    out.resize(letti + std::min(kBlocco, largest + 1 - letti));
    const ssize_t n = ::read(STDIN_FILENO, out.data() + letti, out.size() - letti);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      why = std::strerror(errno);
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
