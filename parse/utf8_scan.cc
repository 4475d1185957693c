#include "parse/utf8_scan.h"

#include <cstdint>
#include <cstring>

namespace scen {

namespace {

bool continuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The first offset from `at` whose byte is not ASCII: eight bytes at a time
// while they are all ASCII, as almost every byte of a source is.
size_t next_non_ascii(std::string_view text, size_t at) {
  for (; at + 8 <= text.size(); at += 8) {
    uint64_t word;
    std::memcpy(&word, text.data() + at, sizeof word);
    if (word & 0x8080808080808080u) break;
  }
  while (at < text.size() && static_cast<unsigned char>(text[at]) < 0x80) ++at;
  return at;
}

}  // namespace

size_t utf8_sequence_length(std::string_view text, size_t at) {
  if (at >= text.size()) return 0;
  const auto byte = [&](size_t i) { return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0; };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  // The second byte's range depends on the lead byte: it rules out overlong
  // forms (E0, F0), surrogates (ED) and code points past U+10FFFF (F4).
  unsigned char low = 0x80, high = 0xBF;
  size_t length = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;  // a continuation byte, C0, C1 (overlong by themselves) or F5..FF
  }
  if (byte(1) < low || byte(1) > high) return 0;
  for (size_t i = 2; i < length; ++i)
    if (!continuation(byte(i))) return 0;
  return length;
}

size_t first_utf8_multibyte(std::string_view text) {
  for (size_t at = next_non_ascii(text, 0); at < text.size(); at = next_non_ascii(text, at + 1))
    if (utf8_sequence_length(text, at) > 1) return at;
  return std::string_view::npos;
}

size_t first_non_utf8(std::string_view text) {
  for (size_t at = next_non_ascii(text, 0); at < text.size(); at = next_non_ascii(text, at)) {
    const size_t length = utf8_sequence_length(text, at);
    if (length == 0) return at;
    at += length;
  }
  return std::string_view::npos;
}

}  // namespace scen
