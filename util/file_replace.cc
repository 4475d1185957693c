#include "util/file_replace.h"

#include <cstdlib>

#include "platform/file_system.h"
#include "platform/path_text.h"

namespace scen {

namespace {

// A file of that name must be one we may replace: a link (which the new
// file replaces, whatever it points at, or nothing), or a regular file, not
// a directory, a pipe or a device, and writable (a read-only compiled file
// is refused, not silently replaced). The probe never waits: a pipe
// without a reader would block an open for writing.
void verifica_sostituibile(const std::filesystem::path& p) {
  platform::FileKind kind;
  std::string why;
  if (!platform::kind_of_name(p, kind, why)) throw ErroreFile(p, why);
  switch (kind) {
    case platform::FileKind::missing:
    case platform::FileKind::link:
      return;
    case platform::FileKind::directory:
      throw ErroreFile(p, "Is a directory");
    case platform::FileKind::regular:
      if (!platform::wait_until_replaceable(p, why) || !platform::can_write_existing(p, why)) throw ErroreFile(p, why);
      return;
    default:
      throw ErroreFile(p, "not a regular file");
  }
}

}  // namespace

int rimuovi_temporanei_orfani(const std::filesystem::path& destinazione) {
  const std::filesystem::path cartella = destinazione.has_parent_path() ? destinazione.parent_path() : ".";
  const std::string prefisso = utf8_of(destinazione.filename()) + ".tmp.";
  int rimossi = 0;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(cartella, ec), fine; !ec && it != fine; it.increment(ec)) {
    const std::string nome = utf8_of(it->path().filename());
    if (!nome.starts_with(prefisso)) continue;
    // PID.N, both decimal.
    const std::string resto = nome.substr(prefisso.size());
    const size_t punto = resto.find('.');
    if (punto == 0 || punto == std::string::npos || punto + 1 == resto.size() ||
        resto.find_first_not_of("0123456789.") != std::string::npos || resto.find('.', punto + 1) != std::string::npos)
      continue;
    const long pid = std::strtol(resto.substr(0, punto).c_str(), nullptr, 10);
    if (pid <= 0 || pid == platform::current_process_id() || platform::process_may_be_alive(pid)) continue;
    if (platform::remove_file(it->path())) ++rimossi;
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
      out_([this](std::string_view blocco) {
        std::string why;
        if (!file_.write_all(blocco, why)) throw ErroreFile(destinazione_, why);
        scritti_ += blocco.size();
      }) {
  verifica_sostituibile(destinazione);
  // An ending signal waits until the temporary is listed and open, so that
  // its removal cannot come between the two.
  std::unique_lock<std::mutex> intera;
  if (temporanei_) intera = temporanei_->hold_off_removal();
  for (int tentativo = 0; !file_.is_open(); ++tentativo) {
    temporaneo_ = destinazione;
    temporaneo_ += ".tmp." + std::to_string(platform::current_process_id()) + "." + std::to_string(tentativo);
    // Listed before it exists, so that no moment has it on disk unlisted.
    // A name taken already is one of an earlier process with this PID,
    // dead since: removing it would be no loss.
    if (temporanei_) temporanei_->add(temporaneo_);
    bool taken = false;
    std::string why;
    file_ = platform::File::create_new(temporaneo_, taken, why);
    if (file_.is_open()) break;
    if (temporanei_) temporanei_->forget(temporaneo_);
    if (!taken || tentativo > 100) {
      temporaneo_.clear();
      throw ErroreFile(destinazione, why);
    }
  }
}

SostituzionePreparata::SostituzionePreparata(const std::filesystem::path& destinazione,
                                             const std::function<void(ByteSink&)>& contenuto,
                                             TemporaryFiles* temporanei)
    : SostituzionePreparata(destinazione, temporanei) {
  contenuto(out_);
  chiudi();
}

void SostituzionePreparata::riserva(uint64_t byte) {
  out_.expect(byte);
  if (file_.reserve(byte)) riservati_ = byte;
}

void SostituzionePreparata::chiudi() {
  out_.flush();
  std::string why;
  if (riservati_ > scritti_ && !file_.truncate(scritti_, why)) throw ErroreFile(destinazione_, why);
  if (!file_.close(why)) throw ErroreFile(destinazione_, why);
}

// Best effort: the replacement is already failing or was abandoned.
SostituzionePreparata::~SostituzionePreparata() {
  if (file_.is_open()) {
    std::string why;
    file_.close(why);
  }
  if (temporaneo_.empty()) return;
  platform::remove_file(temporaneo_);
  if (temporanei_) temporanei_->forget(temporaneo_);
}

void SostituzionePreparata::attendi_destinazione() const {
  std::string why;
  if (!platform::wait_until_replaceable(destinazione_, why)) throw ErroreFile(destinazione_, why);
}

void SostituzionePreparata::completa() {
  std::string why;
  if (!platform::replace_file(temporaneo_, destinazione_, why)) throw ErroreFile(destinazione_, why);
  if (temporanei_) temporanei_->forget(temporaneo_);
  temporaneo_.clear();
}

}  // namespace scen
