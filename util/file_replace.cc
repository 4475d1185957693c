#include "util/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace scen {

namespace {

std::string motivo_di(int err) { return std::strerror(err); }

// A file of that name must be one we may replace: a link (which the new
// file replaces, whatever it points at, or nothing), or a regular file, not
// a directory, a pipe or a device, and writable (a read-only compiled file
// is refused, not silently replaced). The probe never waits: a pipe
// without a reader would block an open for writing.
void verifica_sostituibile(const std::filesystem::path& p) {
  struct stat st;
  if (::lstat(p.c_str(), &st) != 0) {
    if (errno == ENOENT) return;
    throw ErroreFile(p, motivo_di(errno));
  }
  if (S_ISLNK(st.st_mode)) return;
  if (S_ISDIR(st.st_mode)) throw ErroreFile(p, motivo_di(EISDIR));
  if (!S_ISREG(st.st_mode)) throw ErroreFile(p, "not a regular file");
  const int fd = ::open(p.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) throw ErroreFile(p, motivo_di(errno));
  if (::close(fd) != 0) throw ErroreFile(p, motivo_di(errno));
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

int rimuovi_temporanei_orfani(const std::filesystem::path& destinazione) {
  const std::filesystem::path cartella = destinazione.has_parent_path() ? destinazione.parent_path() : ".";
  const std::string prefisso = destinazione.filename().string() + ".tmp.";
  int rimossi = 0;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(cartella, ec), fine; !ec && it != fine; it.increment(ec)) {
    const std::string nome = it->path().filename().string();
    if (!nome.starts_with(prefisso)) continue;
    // PID.N, both decimal.
    const std::string resto = nome.substr(prefisso.size());
    const size_t punto = resto.find('.');
    if (punto == 0 || punto == std::string::npos || punto + 1 == resto.size() ||
        resto.find_first_not_of("0123456789.") != std::string::npos || resto.find('.', punto + 1) != std::string::npos)
      continue;
    const long pid = std::strtol(resto.substr(0, punto).c_str(), nullptr, 10);
    if (pid <= 0 || pid == ::getpid()) continue;
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    if (::unlink(it->path().c_str()) == 0) ++rimossi;
  }
  return rimossi;
}

void sostituisci_file(const std::filesystem::path& destinazione,
                      const std::function<void(ByteSink&)>& contenuto, TemporaryFiles* temporanei) {
  SostituzionePreparata(destinazione, contenuto, temporanei).completa();
}

SostituzionePreparata::SostituzionePreparata(const std::filesystem::path& destinazione, TemporaryFiles* temporanei)
    : destinazione_(destinazione),
      temporanei_(temporanei),
      out_([this](std::string_view blocco) { scrivi_tutto(fd_, blocco, destinazione_); }) {
  verifica_sostituibile(destinazione);
  // An ending signal waits until the temporary is listed and open, so that
  // its removal cannot come between the two.
  std::unique_lock<std::mutex> intera;
  if (temporanei_) intera = temporanei_->hold_off_removal();
  for (int tentativo = 0; fd_ < 0; ++tentativo) {
    temporaneo_ = destinazione;
    temporaneo_ += ".tmp." + std::to_string(::getpid()) + "." + std::to_string(tentativo);
    // Listed before it exists, so that no moment has it on disk unlisted.
    // A name taken already is one of an earlier process with this PID,
    // dead since: removing it would be no loss.
    if (temporanei_) temporanei_->add(temporaneo_);
    fd_ = ::open(temporaneo_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0) break;
    const int err = errno;
    if (temporanei_) temporanei_->forget(temporaneo_);
    if (err != EEXIST || tentativo > 100) throw ErroreFile(destinazione, motivo_di(err));
  }
}

SostituzionePreparata::SostituzionePreparata(const std::filesystem::path& destinazione,
                                             const std::function<void(ByteSink&)>& contenuto,
                                             TemporaryFiles* temporanei)
    : SostituzionePreparata(destinazione, temporanei) {
  contenuto(out_);
  chiudi();
}

void SostituzionePreparata::chiudi() {
  out_.flush();
  const int chiuso = ::close(fd_);
  fd_ = -1;
  if (chiuso != 0) throw ErroreFile(destinazione_, motivo_di(errno));
}

// Best effort: the replacement is already failing or was abandoned.
SostituzionePreparata::~SostituzionePreparata() {
  if (fd_ >= 0) ::close(fd_);
  if (temporaneo_.empty()) return;
  ::unlink(temporaneo_.c_str());
  if (temporanei_) temporanei_->forget(temporaneo_);
}

void SostituzionePreparata::completa() {
  if (::rename(temporaneo_.c_str(), destinazione_.c_str()) != 0) throw ErroreFile(destinazione_, motivo_di(errno));
  if (temporanei_) temporanei_->forget(temporaneo_);
  temporaneo_.clear();
}

}  // namespace scen
