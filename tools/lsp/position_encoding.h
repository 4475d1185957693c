// Positions as the editor counts them. A line's character offset is in
// UTF-8 bytes or UTF-16 code units, as agreed at `initialize`; the compile
// counts bytes of code page 1252, one per character, so a compile's column
// is a count of characters from the line's start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace scenc::lsp {

enum class Codifica { utf8, utf16 };

// Where each line of a text starts; a line ends at CR LF, LF or CR, as
// both the editor and the compile count them.
class LineIndex {
 public:
  explicit LineIndex(std::string_view testo);
  size_t righe() const { return inizi_.size(); }
  // Line `n` (0-based) without its line end; empty past the last.
  std::string_view riga(std::string_view testo, size_t n) const;
  // The byte offset of an editor position, clamped to the text.
  size_t offset(std::string_view testo, int64_t riga, int64_t carattere, Codifica c) const;

 private:
  std::vector<size_t> inizi_;
};

// The editor's offset of the character that comes `caratteri` characters
// into a UTF-8 line (clamped to its end).
int64_t unita_da_caratteri(std::string_view riga, int64_t caratteri, Codifica c);
// The characters before the editor's offset `unita` in a UTF-8 line
// (clamped to its end; an offset inside a character counts it whole).
int64_t caratteri_da_unita(std::string_view riga, int64_t unita, Codifica c);
// The byte offset in a UTF-8 line of the editor's offset `unita`.
size_t byte_da_unita(std::string_view riga, int64_t unita, Codifica c);

}  // namespace scenc::lsp
