#include "output/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace scen {

namespace {

std::string motivo_di(int err) { return std::strerror(err); }

// A file of that name must be one we may replace: not a directory, and
// writable (a read-only compiled file is refused, not silently replaced).
void verifica_sostituibile(const std::filesystem::path& p) {
  struct stat st;
  if (::lstat(p.c_str(), &st) != 0) {
    if (errno == ENOENT) return;
    throw ErroreFile(p, motivo_di(errno));
  }
  if (S_ISDIR(st.st_mode)) throw ErroreFile(p, motivo_di(EISDIR));
  const int fd = ::open(p.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) throw ErroreFile(p, motivo_di(errno));
  ::close(fd);
}

void scrivi_tutto(int fd, std::string_view dati, const std::filesystem::path& p) {
  while (!dati.empty()) {
    const ssize_t n = ::write(fd, dati.data(), dati.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      throw ErroreFile(p, motivo_di(errno));
    }
    dati.remove_prefix(static_cast<size_t>(n));
  }
}

}  // namespace

void sostituisci_file(const std::filesystem::path& destinazione,
                      const std::function<void(ByteSink&)>& contenuto) {
  verifica_sostituibile(destinazione);

  std::filesystem::path temporaneo;
  int fd = -1;
  for (int tentativo = 0; fd < 0; ++tentativo) {
    temporaneo = destinazione;
    temporaneo += ".tmp." + std::to_string(::getpid()) + "." + std::to_string(tentativo);
    fd = ::open(temporaneo.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && (errno != EEXIST || tentativo > 100)) throw ErroreFile(destinazione, motivo_di(errno));
  }
  try {
    ByteSink out([&](std::string_view blocco) { scrivi_tutto(fd, blocco, destinazione); });
    contenuto(out);
    out.flush();
    const int chiuso = ::close(fd);
    fd = -1;
    if (chiuso != 0) throw ErroreFile(destinazione, motivo_di(errno));
    if (::rename(temporaneo.c_str(), destinazione.c_str()) != 0)
      throw ErroreFile(destinazione, motivo_di(errno));
  } catch (...) {
    if (fd >= 0) ::close(fd);
    ::unlink(temporaneo.c_str());
    throw;
  }
}

}  // namespace scen
