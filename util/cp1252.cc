#include "util/cp1252.h"

#include <array>
#include <cstdint>

namespace scen {

namespace {

constexpr std::string_view kSostituto = "\xEF\xBF\xBD";  // U+FFFD
constexpr char32_t kUndefined = 0;

// The characters of bytes 80 to 9F hex; the rest of the code page is
// Latin-1, a byte being its own code point. Five bytes are undefined.
constexpr std::array<char32_t, 32> kFrom80 = {
    0x20AC, kUndefined, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030,      0x0160, 0x2039, 0x0152, kUndefined, 0x017D, kUndefined,
    kUndefined, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122,      0x0161, 0x203A, 0x0153, kUndefined, 0x017E, 0x0178};

// The byte of a character, or -1 when the code page lacks it.
int byte_of(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (size_t i = 0; i < kFrom80.size(); ++i)
    if (kFrom80[i] == c && c != kUndefined) return static_cast<int>(0x80 + i);
  return -1;
}

void append_utf8(std::string& out, char32_t c) {
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

enum class DecodeResult { character, invalid, incomplete };

// One UTF-8 character from `s` at `i`: its code point and length. A
// sequence cut short by the end of the text, whose bytes so far are
// continuation bytes, is incomplete, whatever it would have been (leads of
// the old five- and six-byte forms included); a whole one is invalid when
// overlong, a surrogate, past U+10FFFF or longer than four bytes.
DecodeResult decode_utf8(std::string_view s, size_t i, char32_t& c, size_t& lunghezza) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) {
    c = b0;
    lunghezza = 1;
    return DecodeResult::character;
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
    return DecodeResult::invalid;
  c = b0 & (0x7F >> n);
  for (size_t k = 1; k < n; ++k) {
    if (i + k >= s.size()) return DecodeResult::incomplete;
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return DecodeResult::invalid;
    c = (c << 6) | (b & 0x3F);
  }
  constexpr char32_t kMinimo[] = {0, 0, 0x80, 0x800, 0x10000};
  if (n > 4 || c < kMinimo[n] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return DecodeResult::invalid;
  lunghezza = n;
  return DecodeResult::character;
}

}  // namespace

bool in_cp1252(std::string_view utf8, std::string& cp1252, std::string& errore) {
  std::string out;
  out.reserve(utf8.size());  // never longer than the UTF-8 text
  for (size_t i = 0; i < utf8.size();) {
    char32_t c = 0;
    size_t lunghezza = 0;
    const DecodeResult result = decode_utf8(utf8, i, c, lunghezza);
    const int byte = result == DecodeResult::character ? byte_of(c) : -1;
    if (byte < 0) {
      errore = "\"" + std::string(utf8) + "\" has " +
               (result == DecodeResult::incomplete ? "an incomplete UTF-8 character" : "a character that code page 1252 lacks") +
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
    const char32_t c = b >= 0x80 && b < 0xA0 ? kFrom80[b - 0x80] : b;
    if (b != 0 && c == kUndefined)
      out += kSostituto;
    else
      append_utf8(out, c);
  }
  return out;
}

}  // namespace scen
