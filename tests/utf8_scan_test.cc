// Where a text holds UTF-8 and where it does not, byte by byte.
#include "parse/utf8_scan.h"

#include <gtest/gtest.h>

#include <string>

namespace scen {
namespace {

constexpr size_t kNone = std::string::npos;

TEST(Utf8Scan, FindsTheFirstMultiByteSequenceAndTheFirstByteThatIsNotUtf8) {
  const struct {
    const char* caso;
    std::string testo;
    size_t multibyte;  // first_utf8_multibyte
    size_t non_utf8;   // first_non_utf8
  } casi[] = {
      {"empty", "", kNone, kNone},
      {"plain ASCII", "stazione, 1000, Lavis\r\n", kNone, kNone},
      {"code page 1252 letter before ASCII", "Magr\xe8, 1", kNone, 4},
      {"code page 1252 letter at the end", "Magr\xe8", kNone, 4},
      {"code page 1252 letter before a continuation-range byte", "\xe8\xa8", kNone, 0},
      {"two bytes", "Magr\xc3\xa8", 4, kNone},
      {"three bytes, the euro sign", "\xe2\x82\xac", 0, kNone},
      {"four bytes", "x\xf0\x9f\x9a\x86", 1, kNone},
      {"highest code point", "\xf4\x8f\xbf\xbf", 0, kNone},
      {"just below the surrogates", "\xed\x9f\xbf", 0, kNone},
      {"past the first eight ASCII bytes", "0123456789\xc3\xa8", 10, kNone},
      {"a code page 1252 letter, then UTF-8", "Citt\xe0 e Magr\xc3\xa8", 12, 4},
      {"overlong of two bytes", "\xc0\xaf", kNone, 0},
      {"overlong of three bytes", "\xe0\x80\xaf", kNone, 0},
      {"overlong of four bytes", "\xf0\x8f\xbf\xbf", kNone, 0},
      {"a surrogate", "\xed\xa0\x80", kNone, 0},
      {"past U+10FFFF", "\xf4\x90\x80\x80", kNone, 0},
      {"a lead byte no sequence has", "\xf5\x80\x80\x80", kNone, 0},
      {"a continuation byte alone", "ab\x80", kNone, 2},
      {"cut off at the end", "ab\xe2\x82", kNone, 2},
      {"cut off by ASCII", "\xc3 \xa8", kNone, 0},
      {"a valid sequence after a cut-off one", "\xe2\x82\xc3\xa8", 2, 0},
  };
  for (const auto& c : casi) {
    EXPECT_EQ(first_utf8_multibyte(c.testo), c.multibyte) << c.caso;
    EXPECT_EQ(first_non_utf8(c.testo), c.non_utf8) << c.caso;
  }
}

TEST(Utf8Scan, SequenceLengths) {
  EXPECT_EQ(utf8_sequence_length("a", 0), 1u);
  EXPECT_EQ(utf8_sequence_length("\xc3\xa8", 0), 2u);
  EXPECT_EQ(utf8_sequence_length("\xc3\xa8", 1), 0u);  // inside a sequence
  EXPECT_EQ(utf8_sequence_length("\xe2\x82\xac", 0), 3u);
  EXPECT_EQ(utf8_sequence_length("\xf0\x9f\x9a\x86", 0), 4u);
  EXPECT_EQ(utf8_sequence_length("a", 1), 0u);  // past the end
}

}  // namespace
}  // namespace scen
