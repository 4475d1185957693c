#include "parse/parsed_source.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <thread>
#include <string>
#include <vector>

#include "test_support.h"

namespace scen {
namespace {

ParsedSource da_testo(std::string testo) { return ParsedSource({"f.txt", std::move(testo)}); }

TEST(ParsedSource, LinesEndAsTheCompileCountsThem) {
  struct {
    std::string testo;
    std::vector<std::string> righe;
  } casi[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb\rc\r\n\r\nd", {"a", "b", "c", "", "d"}},
      {"\r\r\n", {"", ""}},
  };
  for (const auto& c : casi) {
    const ParsedSource s = da_testo(c.testo);
    std::vector<std::string> righe;
    for (int64_t n = 1; n <= s.line_count(); ++n) righe.emplace_back(s.line(n));
    EXPECT_EQ(righe, c.righe) << c.testo;
    EXPECT_EQ(s.line(0), "");
    EXPECT_EQ(s.line(s.line_count() + 1), "");
  }
}

TEST(ParsedSource, PositionsAndOffsetsGoBothWays) {
  const ParsedSource s = da_testo("uno,2\r\n  tre\nx");
  struct {
    size_t offset;
    PosizioneCampo dove;
  } casi[] = {{0, {1, 1}}, {4, {1, 5}}, {7, {2, 1}}, {9, {2, 3}}, {13, {3, 1}}, {14, {3, 2}}};
  for (const auto& c : casi) {
    EXPECT_EQ(s.position(c.offset), c.dove) << c.offset;
    EXPECT_EQ(s.offset(c.dove), c.offset) << c.offset;
  }
  EXPECT_EQ(da_testo("a\r\n").position(3), (PosizioneCampo{2, 1}));
}

// Far beyond the index's stride, every line and every offset against a
// plain reading of the text.
TEST(ParsedSource, LongTextsAgreeWithAPlainReading) {
  std::string testo;
  for (int i = 0; i < 200; ++i) testo += std::string(static_cast<size_t>(i % 7), 'x') + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
  testo += "ultima";
  std::vector<size_t> inizi{0};
  for (size_t i = 0; i < testo.size(); ++i) {
    if (testo[i] == '\r' && i + 1 < testo.size() && testo[i + 1] == '\n') ++i;
    if (testo[i] == '\n' || testo[i] == '\r') inizi.push_back(i + 1);
  }
  const ParsedSource s = da_testo(testo);
  ASSERT_EQ(s.line_count(), static_cast<int64_t>(inizi.size()));
  EXPECT_EQ(s.line(201), "ultima");
  int64_t visitate = 0;
  s.for_each_line([&](const SourceLine& r) {
    ++visitate;
    EXPECT_EQ(r.offset, inizi[static_cast<size_t>(r.number - 1)]);
    EXPECT_EQ(r.text, s.line(r.number));
  });
  EXPECT_EQ(visitate, s.line_count());
  for (size_t o = 0; o <= testo.size(); ++o) {
    const auto riga = static_cast<size_t>(std::upper_bound(inizi.begin(), inizi.end(), o) - inizi.begin());
    const PosizioneCampo p = s.position(o);
    const bool dopo_fine = o > inizi[riga - 1] + s.line(static_cast<int64_t>(riga)).size();
    const PosizioneCampo attesa = dopo_fine ? PosizioneCampo{static_cast<int64_t>(riga) + 1, 1}
                                            : PosizioneCampo{static_cast<int64_t>(riga), static_cast<int64_t>(o - inizi[riga - 1]) + 1};
    EXPECT_EQ(p, attesa) << o;
    if (!dopo_fine) {
      EXPECT_EQ(s.offset(p), o);
    }
  }
}

TEST(ParsedSource, FieldsWithTheirColumns) {
  const ParsedSource s = da_testo("segnale,   1360 , 2,,\tx y \r\nsolo");
  const std::vector<FieldSpan> campi = s.fields(1);
  ASSERT_EQ(campi.size(), 5u);
  const struct {
    const char* testo;
    int64_t da, a;
  } attesi[] = {{"segnale", 1, 8}, {"1360", 12, 16}, {"2", 19, 20}, {"", 21, 21}, {"x y", 23, 26}};
  for (size_t i = 0; i < campi.size(); ++i) {
    EXPECT_EQ(campi[i].testo, attesi[i].testo) << i;
    EXPECT_EQ(campi[i].colonna, attesi[i].da) << i;
    EXPECT_EQ(campi[i].colonna_fine, attesi[i].a) << i;
  }
  ASSERT_EQ(s.fields(2).size(), 1u);
  EXPECT_EQ(s.fields(2)[0].testo, "solo");
  EXPECT_TRUE(s.fields(3).empty());
}

TEST(SourceText, ReadsAFileWholeOrSaysWhyNot) {
  test::TempDir dir;
  const std::string bytes = std::string("a,\0b\r\n", 6) + std::string(200000, 'z');
  test::scrivi(dir / "f.txt", bytes);
  SourceText t;
  std::string errore;
  ASSERT_TRUE(read_source_file(dir / "f.txt", t, errore)) << errore;
  EXPECT_EQ(t.bytes, bytes);
  EXPECT_EQ(t.name, (dir / "f.txt").string());

  EXPECT_FALSE(read_source_file(dir / "nessuno.txt", t, errore));
  EXPECT_EQ(errore, "cannot open " + (dir / "nessuno.txt").string() + ": No such file or directory");
  // A directory or a device is refused before a byte is read.
  for (const std::filesystem::path& p : {dir.path(), std::filesystem::path("/dev/zero")}) {
    EXPECT_FALSE(read_source_file(p, t, errore));
    EXPECT_EQ(errore, p.string() + " is not a regular file");
  }
}

TEST(SourceText, AnEndlessSourceStopsAtTheLimit) {
  SourceText t;
  std::string errore;
  // A pipe that gives more than the limit.
  int fd[2];
  ASSERT_EQ(::pipe(fd), 0);
  std::thread scrittore([w = fd[1]] {
    const std::string blocco(65536, 'x');
    for (int i = 0; i < 64; ++i)
      if (::write(w, blocco.data(), blocco.size()) < 0) break;  // the reader has gone
    ::close(w);
  });
  const std::string tubo = "/dev/fd/" + std::to_string(fd[0]);
  EXPECT_FALSE(read_source_file(tubo, t, errore, size_t{3} << 20));
  EXPECT_EQ(errore, tubo + " is larger than 3 MiB");
  EXPECT_TRUE(t.bytes.empty());
  // What the writer still has, drained so that it ends.
  char resto[65536];
  while (::read(fd[0], resto, sizeof resto) > 0) {
  }
  ::close(fd[0]);
  scrittore.join();
  test::TempDir dir;
  test::scrivi(dir / "f.txt", std::string(1000, 'x'));
  EXPECT_TRUE(read_source_file(dir / "f.txt", t, errore, 1000));
  EXPECT_FALSE(read_source_file(dir / "f.txt", t, errore, 999));
  EXPECT_EQ(errore, (dir / "f.txt").string() + " is larger than 999 bytes");
}

}  // namespace
}  // namespace scen
