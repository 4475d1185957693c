// Reads a source text in memory as a stream of fields, the way the compile
// reads its sources. A field ends at a comma or a line end (CR LF, LF or CR);
// blanks (space, tab) before it are skipped; a number also ends at a blank,
// after which a comma or line end still belongs to it. A number's field may
// thus end on a later line than it started (a line short of values reads on
// into the next). A read that fails says why and reads nothing more.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "parse/parsed_source.h"

namespace scen {

class FieldReader {
 public:
  // The longest field, leading blanks included: a longer one is a read
  // failure. No stored text can exceed 65 535 bytes anyway; the limit keeps
  // a hostile file from taking memory without bound.
  static constexpr int64_t kLongestField = int64_t{1} << 20;

  explicit FieldReader(std::string_view text) : text_(text) {}

  // True when nothing follows the field just read.
  bool at_end() const { return pos_ >= text_.size(); }

  // A text field, from its first non-blank byte to the delimiter, trailing
  // blanks dropped. False when the read fails.
  bool read_text(std::string& out);

  // A decimal number with an optional sign; an empty field reads 0.
  // False for anything else or a value outside 32 bits.
  bool read_number(int32_t& out);

  // Reading starts again at the first byte of line `line`, which starts at
  // byte `offset`: for a reader that leaves out a line it could not read.
  void restart_at(size_t offset, int64_t line) {
    pos_ = offset;
    here_ = {line, 1};
    failure_.clear();
  }

  // Where the last field read started.
  PosizioneCampo last_field() const { return last_; }
  // Where the reading stands: the next byte's line and column.
  PosizioneCampo here() const { return here_; }
  // Why the last read failed.
  const std::string& failure() const { return failure_; }

 private:
  int peek() const { return pos_ < text_.size() ? static_cast<unsigned char>(text_[pos_]) : -1; }
  int get();
  bool fail(std::string why);
  bool count();  // one more byte of the current field
  bool skip_blanks();
  void end_line(int c);
  bool start_field();

  std::string_view text_;
  size_t pos_ = 0;
  PosizioneCampo here_{1, 1};
  PosizioneCampo last_{};
  int64_t field_length_ = 0;
  std::string failure_;
};

}  // namespace scen
