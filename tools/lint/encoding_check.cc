#include "tools/lint/encoding_check.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "parse/utf8_scan.h"
#include "util/cp1252.h"

namespace scenc {

namespace {

// The 1-based line and byte column of a byte offset; a line ends at CR LF,
// LF or CR alone.
std::pair<int64_t, int64_t> riga_e_colonna(std::string_view t, size_t offset) {
  int64_t riga = 1;
  size_t inizio = 0;
  for (size_t i = 0; i < offset; ++i) {
    if (t[i] != '\n' && t[i] != '\r') continue;
    if (t[i] == '\r' && i + 1 < offset && t[i + 1] == '\n') ++i;
    ++riga;
    inizio = i + 1;
  }
  return {riga, static_cast<int64_t>(offset - inizio) + 1};
}

std::string in_esadecimale(std::string_view byte) {
  constexpr char kCifre[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : byte) {
    const auto b = static_cast<unsigned char>(c);
    if (!out.empty()) out += ' ';
    out += kCifre[b >> 4];
    out += kCifre[b & 0xF];
  }
  return out;
}

}  // namespace

std::optional<AvvisoLint> avviso_utf8(const SorgenteLint& s) {
  if (!s.testo) return std::nullopt;
  const std::string_view t = *s.testo;
  const size_t at = scen::first_utf8_multibyte(t);
  if (at == std::string_view::npos) return std::nullopt;
  // The message is in code page 1252, as the source's own text: the bytes
  // show as they are read, and the character they make in UTF-8 as the code
  // page writes it, when it has it.
  const std::string_view sequenza = t.substr(at, scen::utf8_sequence_length(t, at));
  std::string carattere, errore;
  const std::string quale = scen::in_cp1252(sequenza, carattere, errore) ? "\"" + carattere + "\"" : "a character";
  const auto [riga, colonna] = riga_e_colonna(t, at);
  return AvvisoLint{Avviso::sembra_utf8, s.file, riga, colonna,
                    "\"" + std::string(sequenza) + "\" (bytes " + in_esadecimale(sequenza) + ") is " + quale +
                        " written in UTF-8: if the file is UTF-8, compile it with --input-encoding utf-8"};
}

}  // namespace scenc
