// Reads a source file as a stream of fields. A field ends at a comma or a
// line end (CR LF, LF or CR); blanks (space, tab) before it are skipped; a
// number also ends at a blank.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "parse/parsed_source.h"

namespace scen {


class LettoreCampi {
 public:
  // The longest field, leading blanks included: a longer one is a read
  // failure. No stored text can exceed 65 535 bytes anyway; the limit keeps
  // a hostile file from taking memory without bound.
  static constexpr int64_t kCampoMassimo = int64_t{1} << 20;

  // Opens the file; throws ErroreLettura when it cannot be opened.
  explicit LettoreCampi(const std::filesystem::path& percorso);
  ~LettoreCampi();
  LettoreCampi(const LettoreCampi&) = delete;
  LettoreCampi& operator=(const LettoreCampi&) = delete;

  // True when nothing follows the field just read.
  bool fine_file();

  // A text field, from its first non-blank character to the delimiter,
  // trailing blanks dropped.
  std::string leggi_testo();

  // A decimal number with an optional sign; an empty field reads 0.
  // Throws ErroreLettura for anything else or a value outside 32 bits.
  int32_t leggi_numero();

  // Where the last field read started.
  PosizioneCampo ultimo_campo() const { return ultimo_; }

  void chiudi();

 private:
  int peek();
  int get();
  void salta_blank();
  void consuma_fine_riga(int c);
  void inizia_campo();
  void conta();  // one more byte of the current field

  std::FILE* file_ = nullptr;
  std::string percorso_;
  char buffer_[1 << 16];
  size_t pos_ = 0;
  size_t len_ = 0;
  PosizioneCampo qui_{1, 1};
  PosizioneCampo ultimo_{};
  int64_t lunghezza_campo_ = 0;
};

}  // namespace scen
