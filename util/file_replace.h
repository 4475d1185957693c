// Replaces a file whole and atomically: the new content goes to a temporary
// file in the same directory, which is then renamed over the old one. The
// old file stays as it was when anything fails, and no temporary is left.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

#include "platform/file_system.h"
#include "platform/path_text.h"
#include "util/byte_sink.h"
#include "util/temporary_files.h"

namespace scen {

// A file that could not be created, replaced or written.
class ErroreFile : public std::runtime_error {
 public:
  ErroreFile(const std::filesystem::path& file, const std::string& motivo)
      : std::runtime_error(utf8_of(file) + ": " + motivo), file_(file), motivo_(motivo) {}
  const std::filesystem::path& file() const { return file_; }
  const std::string& motivo() const { return motivo_; }

 private:
  std::filesystem::path file_;
  std::string motivo_;
};

// With `temporanei`, the temporary is listed there while it exists.
void sostituisci_file(const std::filesystem::path& destinazione,
                      const std::function<void(ByteSink&)>& contenuto, TemporaryFiles* temporanei = nullptr);

// Removes the temporaries that replacements of `destinazione` left behind
// in runs that died (DEST.tmp.PID.N, where no process PID lives any more).
// Those of a live process are its own business. Returns how many it
// removed.
int rimuovi_temporanei_orfani(const std::filesystem::path& destinazione);

// A replacement written in full to its temporary file and not yet renamed
// over the destination: several files can be written first and put in
// place only when all of them were. Dropped without `completa`, it removes
// its temporary and the destination stays as it was.
class SostituzionePreparata {
 public:
  // Opens the temporary; the content goes into `contenuto()` and is then
  // closed with `chiudi()`. Throws ErroreFile; nothing is then left behind.
  // With `temporanei`, the temporary is listed there while it exists.
  explicit SostituzionePreparata(const std::filesystem::path& destinazione, TemporaryFiles* temporanei = nullptr);
  // The whole content at once, closed. Throws ErroreFile.
  SostituzionePreparata(const std::filesystem::path& destinazione,
                        const std::function<void(ByteSink&)>& contenuto, TemporaryFiles* temporanei = nullptr);
  ~SostituzionePreparata();
  SostituzionePreparata(const SostituzionePreparata&) = delete;
  SostituzionePreparata& operator=(const SostituzionePreparata&) = delete;

  // Until `chiudi`: whatever goes in is written to the temporary in large
  // blocks. Throws ErroreFile when a block cannot be written.
  ByteSink& contenuto() { return out_; }
  // At most how long the content will be: the file system sets the space
  // aside in one piece rather than block by block as the writes come, and
  // the file that the rename replaces later is freed as one piece too. A
  // hint, ignored where it is refused; `chiudi` cuts what was not used.
  // The content's blocks are taken in huge pages when it runs to several.
  void riserva(uint64_t byte);
  // Writes what is left and closes the temporary. Throws ErroreFile.
  void chiudi();
  // Waits while another program holds the destination, as the rename
  // would; throws ErroreFile ("in use") when it is still held. Lets a set
  // of files be refused whole before any of them is put in place.
  void attendi_destinazione() const;
  // Renames the closed temporary over the destination. Throws ErroreFile.
  void completa();
  const std::filesystem::path& destinazione() const { return destinazione_; }

 private:
  std::filesystem::path destinazione_;
  std::filesystem::path temporaneo_;  // empty once renamed
  platform::File file_;               // the open temporary, until closed
  uint64_t scritti_ = 0;              // bytes written to it
  uint64_t riservati_ = 0;            // its length as reserved
  TemporaryFiles* temporanei_;
  ByteSink out_;
};

}  // namespace scen
