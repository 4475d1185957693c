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
  // both halves compile from memory.
  std::string linea(std::string_view input);
  // The input as the train file, with the embedded scenario's line file
  // (compiled without its track plan, which the train file never reaches).
  std::string treno(std::string_view input);
  // Both files from one input (kSeparatore): the program's whole run, the
  // compiled files written (also after an error) and read back.
  std::string compilazione(std::string_view input);
  // The input through the three decoders of the compiled images.
  std::string immagini(std::string_view input);

 private:
  // One half: `testo` as the file that half reads, the other file fixed.
  std::string mezza_compilazione(std::string_view testo, bool linea_fissa);

  std::filesystem::path cartella_;
  std::filesystem::path linea_fissa_;  // the embedded scenario's line file
  std::filesystem::path treno_fisso_;  // flat profiles only
  // Their texts, read once, for the halves, which compile from memory.
  std::shared_ptr<const std::string> testo_linea_fissa_;
  std::shared_ptr<const std::string> testo_treno_fisso_;
};

}  // namespace scen::prova
