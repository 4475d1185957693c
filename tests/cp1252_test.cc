// Code page 1252 to and from UTF-8, checked against the C library's iconv
// (the conversion this table replaced) on every UTF-8 text of up to three
// bytes that can start a multi-byte character, and every byte back: the
// same bytes out, the same failure at the same byte.
#include "util/cp1252.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <string>

namespace scen {
namespace {

struct IconvResult {
  bool ok;
  std::string out;
  std::string error;  // as in_cp1252 words it
};

IconvResult by_iconv(iconv_t cd, const std::string& utf8) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::string out(utf8.size() + 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  size_t in_left = utf8.size();
  char* dst = out.data();
  size_t out_left = out.size();
  if (iconv(cd, &in, &in_left, &dst, &out_left) == static_cast<size_t>(-1)) {
    return {false, {},
            "\"" + utf8 + "\" has " +
                (errno == EILSEQ ? "a character that code page 1252 lacks" : "an incomplete UTF-8 character") +
                " at byte " + std::to_string(utf8.size() - in_left)};
  }
  out.resize(out.size() - out_left);
  return {true, out, {}};
}

void expect_same(iconv_t cd, const std::string& utf8) {
  const IconvResult want = by_iconv(cd, utf8);
  std::string got, error;
  const bool ok = in_cp1252(utf8, got, error);
  ASSERT_EQ(ok, want.ok) << testing::PrintToString(utf8) << " " << error << " / " << want.error;
  if (ok)
    ASSERT_EQ(got, want.out) << testing::PrintToString(utf8);
  else
    ASSERT_EQ(error, want.error);
}

TEST(Cp1252, FromUtf8AsIconvDoes) {
  const iconv_t cd = iconv_open("WINDOWS-1252", "UTF-8");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
  for (int a = 0; a < 256; ++a) {
    expect_same(cd, std::string(1, static_cast<char>(a)));
    for (int b = 0; b < 256; ++b) {
      const std::string two{static_cast<char>(a), static_cast<char>(b)};
      expect_same(cd, two);
      expect_same(cd, "x" + two);
      if (a < 0xC2 || a > 0xF4) continue;
      for (int c = 0; c < 256; ++c) expect_same(cd, two + static_cast<char>(c));
    }
  }
  for (const char* four : {"\xF0\x9F\x98\x80", "\xF0\x9F\x98", "\xF4\x8F\xBF\xBF", "\xF4\x90\x80\x80",
                           "\xF0\x8F\xBF\xBF", "\xF0\x9F\x98\x80z"})
    expect_same(cd, four);
  iconv_close(cd);
}

TEST(Cp1252, ToUtf8AsIconvDoesWithTheUndefinedBytesReplaced) {
  const iconv_t cd = iconv_open("UTF-8", "WINDOWS-1252");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
  for (int b = 0; b < 256; ++b) {
    std::string in(1, static_cast<char>(b)), out(8, '\0');
    char* p = in.data();
    size_t in_left = 1, out_left = out.size();
    char* dst = out.data();
    const bool defined = iconv(cd, &p, &in_left, &dst, &out_left) != static_cast<size_t>(-1);
    out.resize(out.size() - out_left);
    EXPECT_EQ(da_cp1252(in), defined ? out : "\xEF\xBF\xBD") << b;
  }
  iconv_close(cd);
}

}  // namespace
}  // namespace scen
