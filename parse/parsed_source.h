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

class ParsedSource {
 public:
  explicit ParsedSource(SourceText text);
  // A text shared with whoever else reads it, not copied.
  ParsedSource(std::string name, std::shared_ptr<const std::string> bytes);

  const std::string& name() const { return name_; }
  std::string_view bytes() const { return *bytes_; }

  // Lines 1..line_count(); a last line without a line end counts, an
  // empty file has none.
  int64_t line_count() const { return static_cast<int64_t>(starts_.size()); }
  // Line `n` without its line end; empty outside 1..line_count().
  std::string_view line(int64_t n) const;
  // The line and column of a byte offset (the end of the text included).
  PosizioneCampo position(size_t offset) const;
  // The byte offset of a line and column (clamped to the line).
  size_t offset(PosizioneCampo p) const;
  // Line `n`'s fields, separated by commas.
  std::vector<FieldSpan> fields(int64_t n) const;

 private:
  std::string name_;
  std::shared_ptr<const std::string> bytes_;
  std::vector<size_t> starts_;  // each line's first byte
  std::vector<size_t> ends_;    // each line's end, before its line end
};

}  // namespace scen
