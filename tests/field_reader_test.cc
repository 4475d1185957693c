#include "parse/field_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "parse/read_failure.h"
#include "test_support.h"

namespace scen {
namespace {

// Reads `input` with a script of reads: 'n' a number, 't' a text; the
// expected values are joined with '|' and a failed read shows as "!".
std::string leggi_script(const std::string& input, const std::string& script) {
  test::TempDir dir;
  test::scrivi(dir / "f.txt", input);
  LettoreCampi r(dir / "f.txt");
  std::string out;
  for (char op : script) {
    if (!out.empty()) out += '|';
    try {
      out += op == 'n' ? std::to_string(r.leggi_numero()) : "<" + r.leggi_testo() + ">";
    } catch (const ErroreLettura&) {
      out += "!";
      break;
    }
  }
  out += r.fine_file() ? "|EOF" : "";
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
  test::TempDir dir;
  test::scrivi(dir / "f.txt", "uno,  2\r\n  tre\nquattro");
  LettoreCampi r(dir / "f.txt");
  r.leggi_testo();
  EXPECT_EQ(r.ultimo_campo().linea, 1);
  EXPECT_EQ(r.ultimo_campo().colonna, 1);
  r.leggi_numero();
  EXPECT_EQ(r.ultimo_campo().colonna, 7);
  r.leggi_testo();
  EXPECT_EQ(r.ultimo_campo().linea, 2);
  EXPECT_EQ(r.ultimo_campo().colonna, 3);
  r.leggi_testo();
  EXPECT_EQ(r.ultimo_campo().linea, 3);
}

TEST(FieldReader, MissingFileIsAReadFailure) {
  test::TempDir dir;
  EXPECT_THROW(LettoreCampi(dir / "nessuno.txt"), ErroreLettura);
}

}  // namespace
}  // namespace scen
