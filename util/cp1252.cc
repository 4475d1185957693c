#include "util/cp1252.h"

#include <array>
#include <cstdint>

namespace scen {

namespace {

constexpr std::string_view kSostituto = "\xEF\xBF\xBD";  // U+FFFD
constexpr char32_t kIndefinito = 0;

// The characters of bytes 80 to 9F hex; the rest of the code page is
// Latin-1, a byte being its own code point. Five bytes are undefined.
constexpr std::array<char32_t, 32> kDa80 = {
    0x20AC, kIndefinito, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030,      0x0160, 0x2039, 0x0152, kIndefinito, 0x017D, kIndefinito,
    kIndefinito, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122,      0x0161, 0x203A, 0x0153, kIndefinito, 0x017E, 0x0178};

// The byte of a character, or -1 when the code page lacks it.
int byte_di(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (size_t i = 0; i < kDa80.size(); ++i)
    if (kDa80[i] == c && c != kIndefinito) return static_cast<int>(0x80 + i);
  return -1;
}

void appendi_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

enum class Esito { carattere, invalido, incompleto };

// One UTF-8 character from `s` at `i`: its code point and length. A
// sequence cut short by the end of the text, whose bytes so far are
// continuation bytes, is incomplete, whatever it would have been (leads of
// the old five- and six-byte forms included); a whole one is invalid when
// overlong, a surrogate, past U+10FFFF or longer than four bytes.
Esito decodifica(std::string_view s, size_t i, char32_t& c, size_t& lunghezza) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) {
    c = b0;
    lunghezza = 1;
    return Esito::carattere;
  }
  size_t n;
  if (b0 >= 0xC2 && b0 <= 0xDF)
    n = 2;
  else if (b0 >= 0xE0 && b0 <= 0xEF)
    n = 3;
  else if (b0 >= 0xF0 && b0 <= 0xF7)
    n = 4;
  else if (b0 >= 0xF8 && b0 <= 0xFB)
    n = 5;
  else if (b0 >= 0xFC && b0 <= 0xFD)
    n = 6;
  else
    return Esito::invalido;
  c = b0 & (0x7F >> n);
  for (size_t k = 1; k < n; ++k) {
    if (i + k >= s.size()) return Esito::incompleto;
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return Esito::invalido;
    c = (c << 6) | (b & 0x3F);
  }
  constexpr char32_t kMinimo[] = {0, 0, 0x80, 0x800, 0x10000};
  if (n > 4 || c < kMinimo[n] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return Esito::invalido;
  lunghezza = n;
  return Esito::carattere;
}

}  // namespace

bool in_cp1252(std::string_view utf8, std::string& cp1252, std::string& errore) {
  std::string out;
  out.reserve(utf8.size());  // never longer than the UTF-8 text
  for (size_t i = 0; i < utf8.size();) {
    char32_t c = 0;
    size_t lunghezza = 0;
    const Esito esito = decodifica(utf8, i, c, lunghezza);
    const int byte = esito == Esito::carattere ? byte_di(c) : -1;
    if (byte < 0) {
      errore = "\"" + std::string(utf8) + "\" has " +
               (esito == Esito::incompleto ? "an incomplete UTF-8 character" : "a character that code page 1252 lacks") +
               " at byte " + std::to_string(i);
      return false;
    }
    out += static_cast<char>(byte);
    i += lunghezza;
  }
  cp1252 = std::move(out);
  return true;
}

std::string in_cp1252(std::string_view utf8) {
  std::string out, errore;
  if (!in_cp1252(utf8, out, errore)) throw ErroreCodifica(errore);
  return out;
}

std::string da_cp1252(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size());
  for (const char ch : cp1252) {
    const auto b = static_cast<unsigned char>(ch);
    const char32_t c = b >= 0x80 && b < 0xA0 ? kDa80[b - 0x80] : b;
    if (b != 0 && c == kIndefinito)
      out += kSostituto;
    else
      appendi_utf8(out, c);
  }
  return out;
}

}  // namespace scen
