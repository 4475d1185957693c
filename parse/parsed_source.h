// A source text split into lines and fields, each with its byte range, as
// the compile counts them: a line ends at CR LF, LF or CR alone; a field
// ends at a comma or the line's end, its blanks (space, tab) on either
// side not counted. Columns are 1-based and count bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "parse/source_text.h"

namespace scen {

// A place in a source: 1-based line and column (in bytes).
struct PosizioneCampo {
  int64_t linea = 0;
  int64_t colonna = 0;
  bool operator==(const PosizioneCampo&) const = default;
};

// A field of a line: its text (blanks around it left out) and where it
// stands. An empty field has `prima == dopo`, at the place it would start.
struct FieldSpan {
  std::string_view testo;
  int64_t colonna = 0;       // first byte's column
  int64_t colonna_fine = 0;  // column just past the last byte
};

// A line of a source: its number, where it starts and its text without
// its line end.
struct SourceLine {
  int64_t number = 0;
  size_t offset = 0;
  std::string_view text;
};

// The fields of one line's text, separated by commas; columns count from
// the line's first byte.
std::vector<FieldSpan> split_fields(std::string_view line);

// The index of lines keeps where every kLineStride-th line starts, and no
// more: a text of blank lines costs a small fraction of its own size, not
// several times it. A line is found from the nearest such start.
class ParsedSource {
 public:
  static constexpr int64_t kLineStride = 32;

  explicit ParsedSource(SourceText text);
  // A text shared with whoever else reads it, not copied.
  ParsedSource(std::string name, std::shared_ptr<const std::string> bytes);

  const std::string& name() const { return name_; }
  std::string_view bytes() const { return *bytes_; }

  // Lines 1..line_count(); a last line without a line end counts, an
  // empty file has none.
  int64_t line_count() const { return line_count_; }
  // Line `n` without its line end; empty outside 1..line_count().
  std::string_view line(int64_t n) const;
  // The line and column of a byte offset (the end of the text included).
  PosizioneCampo position(size_t offset) const;
  // The byte offset of a line and column (clamped to the line).
  size_t offset(PosizioneCampo p) const;
  // Line `n`'s fields, separated by commas.
  std::vector<FieldSpan> fields(int64_t n) const;

  // Every line in order, handed to `f` (a SourceLine): for readers that
  // go through a whole text, without looking lines up one by one.
  template <class F>
  void for_each_line(F&& f) const {
    int64_t n = 1;
    for (size_t start = 0; start < bytes_->size(); ++n) {
      const LineEnd e = line_end(start);
      f(SourceLine{n, start, std::string_view(*bytes_).substr(start, e.end - start)});
      start = e.next;
    }
  }

 private:
  struct LineEnd {
    size_t end;   // before the line end
    size_t next;  // the next line's first byte
  };
  // The end of the line that starts at `start`.
  LineEnd line_end(size_t start) const;
  // Where line `n` (1..line_count()) starts.
  size_t start_of(int64_t n) const;

  std::string name_;
  std::shared_ptr<const std::string> bytes_;
  int64_t line_count_ = 0;
  std::vector<size_t> every_stride_;  // where lines 1, 1 + kLineStride, ... start
};

}  // namespace scen
