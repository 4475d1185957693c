// The runs that the fuzz targets and the regression test share: one input
// through the line-file half of the compile, the train-file half, the whole
// run of the program, or the decoders of the compiled images.
//
// Each run returns what went against the rules of the compile, empty when
// the run ended as it must: a clean compile or one of the compile's error
// numbers, the tables of the sizes the line length gave them, the source
// files deleted as the compile deletes them, every compiled file decoding
// back to the model it was written from, and every image that decodes
// encoding back to the same bytes. A crash, a sanitizer report or an
// exception other than a decoder's ErroreDecodifica is a fault too; the
// runs do not catch them.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "model/model.h"

namespace scen {
struct StatoDopoLinea;
}

namespace scen::prova {

// In the input of the whole run, the line file comes before the first
// separator and the train file after it; without one, the train file is
// empty.
inline constexpr std::string_view kSeparatore = "\n=====\n";

class BancoProva {
 public:
  // Works in `cartella`, an existing directory of its own, and writes the
  // fixed companion files there.
  explicit BancoProva(std::filesystem::path cartella);

  // The input as the line file, with a small train file of flat profiles;
  // both halves compile from memory. A line longer than
  // kLunghezzaBreve is error 3, so that every run is quick;
  // linea_lunga takes the full range.
  std::string linea(std::string_view input);
  std::string linea_lunga(std::string_view input);
  // The input as the train file, with the example's line file of 20 km
  // (examples/, compiled once, without its track plan, which the train
  // file never reaches: each run starts from a copy of what its half left).
  std::string treno(std::string_view input);
  // Both files from one input (kSeparatore): the program's whole run, the
  // compiled files written (also after an error) and read back; a line
  // longer than kLunghezzaBreve is error 3, and one input in eight has
  // its track plan built and written.
  std::string compilazione(std::string_view input);
  // The input through the three decoders of the compiled images.
  std::string immagini(std::string_view input);

 private:
  // The line-file half with `testo`, then the fixed train file.
  std::string mezza_compilazione(std::string_view testo, int32_t lunghezza_massima);
  // The fixed line file's half, compiled once.
  void compila_linea_fissa();

  std::filesystem::path cartella_;
  std::filesystem::path linea_fissa_;  // the example's line file, 20 km
  std::filesystem::path treno_fisso_;  // flat profiles only
  // Their texts, read once, for the halves, which compile from memory.
  std::shared_ptr<const std::string> testo_linea_fissa_;
  std::shared_ptr<const std::string> testo_treno_fisso_;
  // The model and state the fixed line file's half left.
  Modello dopo_linea_fissa_;
  std::shared_ptr<const StatoDopoLinea> stato_linea_fissa_;
};

// The longest line of the quick runs, in metres: a track plan of up to
// 16 001 rows, whose column of 8-byte values (128 008 bytes) stays within
// the blocks AddressSanitizer keeps for reuse (128 KiB), where a larger
// one is mapped and faulted in afresh on every run.
inline constexpr int32_t kLunghezzaBreve = 9000;

}  // namespace scen::prova
