// The warnings, on texts handed over in memory.
#include "tools/lint/lint.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scenc {
namespace {

const std::vector<Avviso> kTutti(kTuttiAvvisi.begin(), kTuttiAvvisi.end());

std::vector<AvvisoLint> avvisi(std::optional<std::string_view> linea, std::optional<std::string_view> treno) {
  const auto testo = [](std::optional<std::string_view> t) {
    return t ? std::make_shared<const std::string>(*t) : nullptr;
  };
  return controlla_sorgenti({{"L", testo(linea)}, {"T", testo(treno)}, "R", "T"}, kTutti);
}

// Where each warning points: "FILE:LINE:COLUMN".
std::vector<std::string> dove(std::optional<std::string_view> linea, std::optional<std::string_view> treno) {
  std::vector<std::string> d;
  for (const AvvisoLint& w : avvisi(linea, treno))
    d.push_back(w.file.string() + ":" + std::to_string(w.linea) + ":" + std::to_string(w.colonna));
  return d;
}

TEST(Lint, WarningsPointAtTheirFieldWhereverItStands) {
  const struct {
    const char* caso;
    std::string linea, treno;
    std::vector<std::string> dove;
  } casi[] = {
      {"blanks and tabs around the fields", "", "\tsegnale,\t1000\r\n segnale , 1200\r\n", {"T:2:12"}},
      {"CR alone ends a line; the last line has no end", "pendenza,\t100\rx\rpendenza, 50", "",
       {"L:1:11", "L:2:1", "L:3:11"}},
      {"LF alone, and an empty line", "x\n\n\tx\n", "", {"L:1:1", "L:3:2"}},
      {"a board text", "cartello_indicatore, 1150, (a)(b)(c)(d)\r\n", "", {"L:1:28"}},
      {"a field read no further than 4096 bytes from its start",
       "cartello_indicatore, 1150," + std::string(4096, ' ') + "(a)(b)(c)(d)\r\n", "", {}},
  };
  for (const auto& c : casi) EXPECT_EQ(dove(c.linea, c.treno), c.dove) << c.caso;
}

TEST(Lint, ASourceNotReadGivesNoWarnings) {
  EXPECT_EQ(dove(std::nullopt, "segnale, 1000\r\nsegnale, 1200\r\n"), std::vector<std::string>{"T:2:10"});
  EXPECT_EQ(dove("x\r\n", std::nullopt), std::vector<std::string>{"L:1:1"});
}

TEST(Lint, LooksAtTheFirst512KiCharacters) {
  // One unknown word a line, each worth a warning. A line is looked at when
  // its line end starts within the first 512 Ki characters of the text, a
  // CR LF counting as one, or when the text itself ends there.
  constexpr int kRighe = 1 << 18;  // "x" and its line end: 2 characters, 512 Ki in all
  const struct {
    std::string fine_riga;
    int righe;
    std::string coda;
    size_t guardate;
  } casi[] = {
      {"\r\n", kRighe, "", kRighe},  // 768 KiB of bytes, all looked at
      {"\n", kRighe, "y", kRighe},    // a line cut off at the limit is left out
      {"\r\n", kRighe - 1, "xx", kRighe},
      {"\r\n", kRighe - 1, "xx\r\n", kRighe - 1},  // its line end is past the limit
  };
  for (const auto& c : casi) {
    std::string linea;
    for (int i = 0; i < c.righe; ++i) linea += "x" + c.fine_riga;
    linea += c.coda;
    EXPECT_EQ(avvisi(linea, "").size(), c.guardate) << c.righe << " lines, then \"" << c.coda << "\"";
  }
}

}  // namespace
}  // namespace scenc
