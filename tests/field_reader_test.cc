#include "parse/field_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace scen {
namespace {

// Reads `input` with a script of reads: 'n' a number, 't' a text; the
// expected values are joined with '|' and a failed read shows as "!".
std::string leggi_script(const std::string& input, const std::string& script) {
  FieldReader r(input);
  std::string out;
  for (char op : script) {
    if (!out.empty()) out += '|';
    int32_t n = 0;
    std::string t;
    if (op == 'n' ? !r.read_number(n) : !r.read_text(t)) {
      EXPECT_FALSE(r.failure().empty());
      out += "!";
      break;
    }
    out += op == 'n' ? std::to_string(n) : "<" + t + ">";
  }
  out += r.at_end() ? "|EOF" : "";
  return out;
}

struct Caso {
  const char* input;
  const char* script;
  const char* atteso;
};

TEST(FieldReader, ReadsFieldsAsTheSourceFilesWriteThem) {
  const Caso casi[] = {
      {"segnale,   15500,   2\r\n", "tnn", "<segnale>|15500|2|EOF"},
      // Blanks before the comma that ends a number: still that number's field.
      {"segnale,   1360 , 2\t,3  ,4\r\n", "tnnnn", "<segnale>|1360|2|3|4|EOF"},
      {"7 ,\r\n8\r\n", "nnn", "7|0|8|EOF"},
      // Numbers separated by blanks alone; trailing blank before the line end.
      {"orologio,    9               56            20 \r\nx\r\n", "tnnnt", "<orologio>|9|56|20|<x>|EOF"},
      {"  abc  ,def\r\n", "tt", "<abc>|<def>|EOF"},
      {"a\nb\rc\r\n", "ttt", "<a>|<b>|<c>|EOF"},
      {"\t-12,+7,\r\n", "nnn", "-12|7|0|EOF"},  // tab blank, signs, empty field reads 0
      {"a \"quoted\" text, 5", "tn", "<a \"quoted\" text>|5|EOF"},
      {"5", "n", "5|EOF"},
      {"-2147483648,2147483647\r\n", "nn", "-2147483648|2147483647|EOF"},
  };
  for (const Caso& c : casi) EXPECT_EQ(leggi_script(c.input, c.script), c.atteso) << c.input;
}

TEST(FieldReader, ReadFailures) {
  const Caso casi[] = {
      {"12abc,\r\n", "n", "!"},
      {"[fine]\r\n", "n", "!"},
      {"1.5\r\n", "n", "!"},
      {"-\r\n", "n", "!|EOF"},
      {"+,1\r\n", "n", "!"},
      {"2147483648\r\n", "n", "!|EOF"},
      {"-2147483649\r\n", "n", "!|EOF"},
      {"99999999999999999999999999999999999999999999\r\n", "n", "!|EOF"},
      {"a\r\n", "tt", "<a>|!|EOF"},  // reading at the end of the file
      {"", "t", "!|EOF"},
  };
  for (const Caso& c : casi) EXPECT_EQ(leggi_script(c.input, c.script), c.atteso) << c.input;
}

TEST(FieldReader, EndOfFileIsReachedByTheLastField) {
  // A trailing empty line is one more (empty) field.
  EXPECT_EQ(leggi_script("[fine]\r\n\r\n", "t"), "<[fine]>");
  EXPECT_EQ(leggi_script("[fine]\r\n\r\n", "tt"), "<[fine]>|<>|EOF");
  EXPECT_EQ(leggi_script("[fine]", "t"), "<[fine]>|EOF");
}

TEST(FieldReader, ReportsWhereEachFieldStarts) {
  FieldReader r("uno,  2\r\n  tre\nquattro");
  std::string t;
  int32_t n = 0;
  ASSERT_TRUE(r.read_text(t));
  EXPECT_EQ(r.last_field(), (PosizioneCampo{1, 1}));
  ASSERT_TRUE(r.read_number(n));
  EXPECT_EQ(r.last_field(), (PosizioneCampo{1, 7}));
  ASSERT_TRUE(r.read_text(t));
  EXPECT_EQ(r.last_field(), (PosizioneCampo{2, 3}));
  ASSERT_TRUE(r.read_text(t));
  EXPECT_EQ(r.last_field(), (PosizioneCampo{3, 1}));
}

TEST(FieldReader, AFailedReadKeepsThePlaceOfTheLastFieldAndSaysWhy) {
  struct {
    const char* input;
    PosizioneCampo dove;
    const char* perche;
  } casi[] = {
      {"segnale, 12x\r\n", {1, 10}, "not a number: unexpected character 'x'"},
      {"segnale, \xe8\r\n", {1, 10}, "not a number: unexpected byte 0xE8"},
      {"segnale\r\n", {1, 1}, "read past the end of the file"},
      {"segnale, +\r\n", {1, 10}, "not a number: a sign without digits"},
      {"segnale, 3000000000\r\n", {1, 10}, "number does not fit 32 bits"},
  };
  for (const auto& c : casi) {
    FieldReader r(c.input);
    std::string t;
    int32_t n = 0;
    ASSERT_TRUE(r.read_text(t));
    EXPECT_FALSE(r.read_number(n));
    EXPECT_EQ(r.last_field(), c.dove) << c.input;
    EXPECT_EQ(r.failure(), c.perche) << c.input;
  }
}

TEST(FieldReader, AFieldLongerThanOneMebibyteFailsEvenInBlanks) {
  const std::string blanks(FieldReader::kLongestField + 1, ' ');
  for (const std::string& input : {blanks + "5", "x" + blanks + "y", std::string(FieldReader::kLongestField + 1, '7')}) {
    FieldReader r(input);
    std::string t;
    int32_t n = 0;
    EXPECT_FALSE(input[0] == 'x' ? r.read_text(t) : r.read_number(n));
    EXPECT_EQ(r.failure(), "field longer than 1 MiB");
  }
}

}  // namespace
}  // namespace scen
