// The text of an editor's buffer, Unicode in UTF-8, as the compile reads
// it: code page 1252, one byte per character, so that a compile's column
// counts the buffer's characters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace scenc::lsp {

// A character the code page lacks, written as '?' for the compile.
struct CarattereMancante {
  int64_t riga = 0;       // 0-based
  int64_t carattere = 0;  // characters before it on its line
  uint32_t codice = 0;    // its code point; 0 for a byte that is not UTF-8
};

struct TestoPerCompilare {
  std::string cp1252;
  std::vector<CarattereMancante> mancanti;
};

TestoPerCompilare per_compilare(std::string_view utf8);

}  // namespace scenc::lsp
