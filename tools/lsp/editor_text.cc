#include "tools/lsp/editor_text.h"

#include "parse/utf8_scan.h"
#include "util/cp1252.h"

namespace scenc::lsp {

namespace {

uint32_t codice_di(std::string_view s) {
  const auto b = [&s](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(s[i])); };
  switch (s.size()) {
    case 2: return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    case 3: return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    case 4: return ((b(0) & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F);
    default: return b(0);
  }
}

}  // namespace

TestoPerCompilare per_compilare(std::string_view utf8) {
  TestoPerCompilare t;
  t.cp1252.reserve(utf8.size());
  int64_t riga = 0;
  int64_t carattere = 0;
  std::string uno;
  std::string errore;
  for (size_t i = 0; i < utf8.size();) {
    const char c = utf8[i];
    if (static_cast<unsigned char>(c) < 0x80) {
      t.cp1252.push_back(c);
      ++i;
      if (c == '\n' || (c == '\r' && (i == utf8.size() || utf8[i] != '\n'))) {
        ++riga;
        carattere = 0;
      } else if (c != '\r') {
        ++carattere;
      }
      continue;
    }
    const size_t n = scen::utf8_sequence_length(utf8, i);
    const std::string_view seq = utf8.substr(i, n == 0 ? 1 : n);
    if (n != 0 && scen::in_cp1252(seq, uno, errore) && uno.size() == 1) {
      t.cp1252 += uno;
    } else {
      t.cp1252.push_back('?');
      t.mancanti.push_back({riga, carattere, n == 0 ? 0 : codice_di(seq)});
    }
    i += seq.size();
    ++carattere;
  }
  return t;
}

}  // namespace scenc::lsp
