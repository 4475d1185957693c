#include "util/standard_output.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "util/file_replace.h"

namespace scen {

namespace {

void scrivi_tutto(std::string_view blocco) {
  while (!blocco.empty()) {
    const ssize_t n = ::write(STDOUT_FILENO, blocco.data(), blocco.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw ErroreFile("standard output", std::strerror(errno));
    blocco.remove_prefix(static_cast<size_t>(n));
  }
}

}  // namespace

void scrivi_file_o_uscita(const std::filesystem::path& destinazione,
                          const std::function<void(ByteSink&)>& contenuto) {
  if (destinazione != "-") {
    sostituisci_file(destinazione, contenuto);
    return;
  }
  ByteSink uscita(scrivi_tutto);
  contenuto(uscita);
  uscita.flush();
}

}  // namespace scen
