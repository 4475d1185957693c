#include "driver/program_directory.h"

#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <vector>

namespace scen {

Programma dividi_percorso_eseguibile(const std::string& eseguibile) {
  const size_t barra = eseguibile.rfind('/');
  std::string cartella = barra == std::string::npos ? "." : eseguibile.substr(0, barra);
  if (cartella.empty()) cartella = "/";  // the root: the separator is still appended
  return {cartella + "/", eseguibile.substr(barra == std::string::npos ? 0 : barra + 1)};
}

Programma programma_in_esecuzione() {
  std::vector<char> buffer(4096);
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) throw std::system_error(errno, std::generic_category(), "/proc/self/exe");
    if (static_cast<size_t>(n) < buffer.size())
      return dividi_percorso_eseguibile(std::string(buffer.data(), static_cast<size_t>(n)));
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace scen
