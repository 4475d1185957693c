// The warnings, on texts handed over in memory.
#include "tools/lint/lint.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "test_support.h"

namespace scenc {
namespace {

using scen::test::linea_con;
using scen::test::treno_con;

const std::vector<Avviso> kTutti(kTuttiAvvisi.begin(), kTuttiAvvisi.end());

EsitoLint controlla(std::optional<std::string_view> linea, std::optional<std::string_view> treno,
                    size_t tenuti = SIZE_MAX, bool utf8 = false) {
  const auto testo = [](std::optional<std::string_view> t) {
    return t ? std::make_shared<const std::string>(*t) : nullptr;
  };
  return controlla_sorgenti({{"L", testo(linea)}, {"T", testo(treno)}, "R", "T", utf8}, kTutti, tenuti);
}

std::vector<AvvisoLint> avvisi(std::optional<std::string_view> linea, std::optional<std::string_view> treno) {
  return controlla(linea, treno).avvisi;
}

// Where each warning points: "FILE:LINE:COLUMN".
std::vector<std::string> dove(std::optional<std::string_view> linea, std::optional<std::string_view> treno) {
  std::vector<std::string> d;
  for (const AvvisoLint& w : avvisi(linea, treno))
    d.push_back(w.file.string() + ":" + std::to_string(w.linea) + ":" + std::to_string(w.colonna));
  return d;
}

// The words of each warning of one kind, with where it points.
std::vector<std::string> detti(Avviso tipo, std::string_view linea, std::string_view treno, bool utf8 = false) {
  std::vector<std::string> d;
  for (const AvvisoLint& w : controlla(linea, treno, SIZE_MAX, utf8).avvisi)
    if (w.tipo == tipo) d.push_back(std::to_string(w.linea) + ":" + std::to_string(w.colonna) + " " + w.testo);
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
      {"a misspelt section header, at its bracket", "", "  x[stazoni]\r\n", {"T:1:4"}},
  };
  for (const auto& c : casi) EXPECT_EQ(dove(c.linea, c.treno), c.dove) << c.caso;
}

TEST(Lint, ASourceNotReadGivesNoWarnings) {
  EXPECT_EQ(dove(std::nullopt, "segnale, 1000\r\nsegnale, 1200\r\n"), std::vector<std::string>{"T:2:10"});
  EXPECT_EQ(dove("x\r\n", std::nullopt), std::vector<std::string>{"L:1:1"});
}

TEST(Lint, ReadsTheWholeOfEachSource) {
  // Past the first megabyte, and after a line of a million fields.
  const std::string riempitivo(size_t{1} << 20, '\n');
  const std::string virgole(size_t{1} << 20, ',');
  EXPECT_EQ(dove(riempitivo + "x\r\n", "segnale" + virgole + "\r\n" + riempitivo + "stazone\r\n"),
            (std::vector<std::string>{"L:1048577:1", "T:1048578:1"}));
}

TEST(Lint, KeepsTheFirstWarningsInFileOrderAndCountsTheRest) {
  // Found out of order: the signals' spacing is told once all are read.
  const std::string linea = "x\r\npendenza, 100, 1\r\npendenza, 50, 1\r\ny\r\n";
  const std::string treno = "segnale, 2000\r\nz\r\nsegnale, 1500\r\nw\r\nsegnale, 1000\r\n";
  const std::vector<AvvisoLint> tutti = avvisi(linea, treno);
  ASSERT_EQ(tutti.size(), 8u);
  for (size_t tenuti : {size_t{0}, size_t{1}, size_t{4}, size_t{5}, size_t{7}, size_t{8}, size_t{9}}) {
    const EsitoLint e = controlla(linea, treno, tenuti);
    EXPECT_EQ(e.totale, tutti.size());
    ASSERT_EQ(e.avvisi.size(), std::min(tenuti, tutti.size()));
    for (size_t i = 0; i < e.avvisi.size(); ++i)
      EXPECT_EQ(e.avvisi[i].file.string() + ":" + std::to_string(e.avvisi[i].linea) + " " + e.avvisi[i].testo,
                tutti[i].file.string() + ":" + std::to_string(tutti[i].linea) + " " + tutti[i].testo)
          << tenuti << " kept, warning " << i;
  }
}

TEST(Lint, UnknownWordsSuggestTheNearestOfTheirFile) {
  const struct {
    const char* linea;
    const char* treno;
    std::vector<std::string> detto;
  } casi[] = {
      {"pendnza, 100, 1\r\n", "",
       {"1:1 \"pendnza\" is not a keyword of the line file: the compile ignores this line; did you mean "
        "\"pendenza\"?"}},
      {"", "STAZONE, 1000\r\nsgenale, 1000\r\nvelocta, 0, 100\r\n",
       {"1:1 \"STAZONE\" is not a keyword of the train file: the compile ignores this line; did you mean "
        "\"stazione\"?",
        "2:1 \"sgenale\" is not a keyword of the train file: the compile ignores this line; did you mean "
        "\"segnale\"?",
        "3:1 \"velocta\" is not a keyword of the train file: the compile ignores this line; did you mean "
        "\"velocita\"?"}},
      // Too far from any keyword, or a keyword of the other file only.
      {"pndnz, 100, 1\r\nstazione, 1000\r\n", "xyz\r\n",
       {"1:1 \"pndnz\" is not a keyword of the line file: the compile ignores this line",
        "2:1 \"stazione\" is not a keyword of the line file: the compile ignores this line",
        "1:1 \"xyz\" is not a keyword of the train file: the compile ignores this line"}},
      {"Sfondo uno, 1\r\n", "",
       {"1:1 \"Sfondo uno\" is written with capitals: the words of the general section must be lower case, so the "
        "compile ignores this line"}},
  };
  for (const auto& c : casi) EXPECT_EQ(detti(Avviso::parola_sconosciuta, c.linea, c.treno), c.detto) << c.linea << c.treno;
}

TEST(Lint, MisspeltSectionHeadersAndNoOthers) {
  const struct {
    const char* linea;
    const char* treno;
    std::vector<std::string> detto;
  } casi[] = {
      {"", "[stazoni]\r\n[Vel_limte]\r\n",
       {"1:1 \"[stazoni]\" is not a section header of the train file; did you mean \"[stazioni]\"?",
        "2:1 \"[Vel_limte]\" is not a section header of the train file; did you mean \"[vel_limite]\"?"}},
      {"", "[generle]\r\n",
       {"1:1 \"[generle]\" is not a section header of the train file; did you mean \"[generale]\"? The compile "
        "reads the file only from the first \"[generale]\" on"}},
      // The file's own headers in any case, an author's own header, another
      // file's, and a comment.
      {"[generale]\r\n[dati]\r\n[Curve]\r\n[fine]\r\n[stazioni]\r\n", "[GENERALE] x\r\n[note]\r\n- [stazoni]\r\n",
       {}},
      {"[fin]\r\n", "", {"1:1 \"[fin]\" is not a section header of the line file; did you mean \"[fine]\"?"}},
  };
  for (const auto& c : casi)
    EXPECT_EQ(detti(Avviso::sezione_sconosciuta, c.linea, c.treno), c.detto) << c.linea << c.treno;
}

TEST(Lint, PositionsOffTheBoundaryOfTheirCell) {
  const struct {
    bool linea;
    std::string riga;
    std::string detto;  // empty: no warning
  } casi[] = {
      // Objects go into round(p / 50 + 1): halves to the even cell.
      {false, "segnale, 3725, 2,4,1,0,0,2,2,1,0,0",
       "11:10 this segnale at 3725 m is off the 50 m boundary: it goes into cell 76 (3800 m), as one at 3750 m does"},
      {false, "segnale, 3775, 2,4,1,0,0,2,2,1,0,0",
       "11:10 this segnale at 3775 m is off the 50 m boundary: it goes into cell 76 (3800 m), as one at 3750 m does"},
      {false, "segnale, 3826, 2,4,1,0,0,2,2,1,0,0",
       "11:10 this segnale at 3826 m is off the 50 m boundary: it goes into cell 78 (3900 m), as one at 3850 m does"},
      {false, "segnale, 3700, 2,4,1,0,0,2,2,1,0,0", ""},
      {true, "cartello_indicatore, 1174, (A)",
       "11:22 this cartello_indicatore at 1174 m is off the 50 m boundary: it goes into cell 24 (1200 m), as one at "
       "1150 m does"},
      {true, "indicatori_vmax, 725, 95,100,105,0,95,100,105,0",
       "11:18 this indicatori_vmax at 725 m is off the 50 m boundary: it goes into cell 16 (800 m), as one at 750 m "
       "does"},
      // Changes and code points go into round(p / 50).
      {false, "velocita, 705, 80",
       "11:11 this velocita at 705 m is off the 50 m boundary: it goes into cell 14 (700 m), as one at 700 m does"},
      {false, "aderenza, 725, 90",
       "11:11 this aderenza at 725 m is off the 50 m boundary: it goes into cell 14 (700 m), as one at 700 m does"},
      {true, "pendenza, 775, 2",
       "11:11 this pendenza at 775 m is off the 50 m boundary: it goes into cell 16 (800 m), as one at 800 m does"},
      {true, "montagna, 1010, 2000, 11",
       "11:11 this montagna at 1010 m is off the 50 m boundary: it goes into cell 20 (1000 m), as one at 1000 m does"},
      {false, "abbattimento, -25, 180",
       "11:15 this abbattimento at -25 m is off the 50 m boundary: it goes into cell 0 (0 m), as one at 0 m does"},
      {false, "abbattimento, -80, 180", ""},  // before the grid: the compile's error
      // A slowdown's start, else its end.
      {false, "rallentamento, 5025, 60, 1775, 0,0,0",
       "11:16 this rallentamento at 5025 m is off the 50 m boundary: it goes into cell 102 (5100 m), as one at "
       "5050 m does"},
      {false, "rallentamento, 5000, 60, 1775, 0,0,0",
       "11:26 this rallentamento ends at 6775 m, off the 50 m boundary: its end goes into cell 136 (6800 m), as an "
       "end at 6750 m does"},
      // Kept in metres, or checked by the compile itself.
      {true, "curvas6, 705, 100", ""},
      {false, "stazione, 1025, 12, 400, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, X", ""},
      {false, "- segnale, 3725, 2,4,1,0,0,2,2,1,0,0", ""},
  };
  for (const auto& c : casi) {
    const std::string riga = c.riga + "\r\n";
    // Both files put their data at line 11.
    const std::string linea = c.linea ? linea_con(riga) : linea_con("");
    const std::string treno = c.linea ? treno_con("") : treno_con("\r\n\r\n\r\n\r\n" + riga);
    const std::vector<std::string> atteso = c.detto.empty() ? std::vector<std::string>{}
                                                             : std::vector<std::string>{c.detto};
    EXPECT_EQ(detti(Avviso::posizione_in_cella, linea, treno), atteso) << c.riga;
  }
}

TEST(Lint, PositionsOnlyWhereTheCompileReadsThem) {
  // Before "[generale]", and data keywords in the line file's general section.
  const std::string treno = "velocita, 705, 80\r\n" + treno_con("");
  const std::string linea = "[generale]\r\npendenza, 705, 1\r\nlunghezza percorso, 100\r\nsegnale, 300\r\n[dati]\r\n";
  EXPECT_EQ(detti(Avviso::posizione_in_cella, linea, treno), std::vector<std::string>{});
  EXPECT_EQ(detti(Avviso::oltre_la_linea, linea, treno), std::vector<std::string>{});
}

TEST(Lint, PositionsPastTheLineEndThatTheGridStillTakes) {
  // A line of 20 000 m: its grid's last cell is 540, so a line's position
  // may go to 26 900 m, a station's to 26 200 m.
  const struct {
    int lunghezza;
    std::string riga;
    bool avvisa;
  } casi[] = {
      {20000, "segnale, 20000, 2,4,1,0,0,2,2,1,0,0", false},
      {20000, "segnale, 20050, 2,4,1,0,0,2,2,1,0,0", true},
      {20000, "segnale, 26900, 2,4,1,0,0,2,2,1,0,0", true},
      {20000, "segnale, 26950, 2,4,1,0,0,2,2,1,0,0", false},  // error 15
      {20000, "stazione, 26200, 2, 400, 1,0,0, 1,1,0, 4,1,1, 0, 11,32,0, Fine", true},
      {20000, "stazione, 26250, 2, 400, 1,0,0, 1,1,0, 4,1,1, 0, 11,32,0, Fine", false},
      {20000, "velocita, 21000, 80", true},
      {0, "abbattimento, 50, 180", true},
      {0, "velocita, 0, 80", false},
      {1000001, "segnale, 1000050, 2,4,1,0,0,2,2,1,0,0", false},  // error 1: no grid
  };
  for (const auto& c : casi) {
    const auto d = detti(Avviso::oltre_la_linea, linea_con("", c.lunghezza), treno_con(c.riga + "\r\n"));
    EXPECT_EQ(d.size(), c.avvisa ? 1u : 0u) << c.riga;
  }
  EXPECT_EQ(detti(Avviso::oltre_la_linea, linea_con("cartello_indicatore, 20050, (A)\r\n"), treno_con("")),
            std::vector<std::string>{"11:22 this cartello_indicatore at 20050 m lies past the end of the line, which "
                                     "is 20000 m long: the compile takes it only because the grid runs 7 km further"});
  // Without a line length, nothing to compare with.
  EXPECT_EQ(detti(Avviso::oltre_la_linea, "[generale]\r\n[dati]\r\n", treno_con("velocita, 21000, 80\r\n")).size(),
            0u);
}

TEST(Lint, TextsWiderThanTheBoardOrTheTimetableSheet) {
  const std::string nome26 = "Domegliara/Sant'Ambrogio d";
  const auto stazione = [](const std::string& nome) {
    return treno_con("stazione, 1000, 12, 400, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, " + nome + "\r\n");
  };
  const auto cartello = [](const std::string& testo) { return linea_con("cartello_indicatore, 1150, " + testo + "\r\n"); };
  const struct {
    const char* caso;
    Avviso tipo;
    std::string linea, treno;
    bool utf8;
    std::vector<std::string> detto;
  } casi[] = {
      {"26 characters", Avviso::larghezza_nome, linea_con(""), stazione(nome26), false, {}},
      {"27 characters", Avviso::larghezza_nome, linea_con(""), stazione(nome26 + "i"), false,
       {"7:57 the station name \"Domegliara/Sant'Ambrogio di\" has 27 characters: the timetable sheet shows 26"}},
      {"26 characters in 27 bytes of UTF-8", Avviso::larghezza_nome, linea_con(""), stazione(nome26 + "\xc3\xa8"),
       true, {"7:57 the station name \"Domegliara/Sant'Ambrogio d\xc3\xa8\" has 27 characters: the timetable sheet "
              "shows 26"}},
      {"25 characters in 26 bytes of UTF-8", Avviso::larghezza_nome, linea_con(""),
       stazione(nome26.substr(1) + "\xc3\xa8"), true, {}},
      {"a group of 12 in 13 bytes of UTF-8", Avviso::larghezza_cartello, cartello("(CITT\xc3\x80 ABCDEF)"), "", true,
       {}},
      {"three groups of 12", Avviso::larghezza_cartello, cartello("(FINE ZONA   )(CADUTA MASSI)(ABCDEFGHIJKL)"), "",
       false, {}},
      {"no group", Avviso::larghezza_cartello, cartello("FINE ZONA"), "", false,
       {"11:28 the board text has \"FINE ZONA\" outside round brackets: a board shows only its groups, each in round "
        "brackets"}},
      {"text after the groups", Avviso::larghezza_cartello, cartello("(A)(B) C"), "", false,
       {"11:28 the board text has \"C\" outside round brackets: a board shows only its groups, each in round brackets"}},
      {"a group left open", Avviso::larghezza_cartello, cartello("(A)(BC"), "", false,
       {"11:28 the board text has \"(BC\" outside round brackets: a board shows only its groups, each in round "
        "brackets"}},
      {"too many groups and text outside", Avviso::larghezza_cartello, cartello("x(A)(B)(C)(D)"), "", false,
       {"11:28 the board text has 4 groups, the widest 1 characters: a board shows at most 3 groups of 12",
        "11:28 the board text has \"x\" outside round brackets: a board shows only its groups, each in round "
        "brackets"}},
  };
  for (const auto& c : casi) EXPECT_EQ(detti(c.tipo, c.linea, c.treno, c.utf8), c.detto) << c.caso;
}

TEST(Lint, LinesWithMoreOrFewerValuesThanTheirKeywordWhereTheCompileSaysNothing) {
  const std::string segnale_corto = "segnale,   1350,   2, 4, 1,  0, 0,    2,  2,1,0\r\n";
  const struct {
    const char* caso;
    std::string linea, treno;
    std::vector<std::string> detto;  // "LINE:COLUMN words"
  } casi[] = {
      {"a value to spare, at that value", "[generale]\r\n[dati]\r\npendenza, 0, 5, 7\r\n", "",
       {"3:17 `pendenza` takes 2 values, this line has 3: one value too many, which the compile reads as keywords"}},
      {"short, and the next line starts with a number: read as the missing value", "",
       "[generale]\r\n" + segnale_corto + "0, 0\r\n",
       {"2:48 `segnale` takes 11 values, this line has 10: `tempo` (s) is missing: the compile reads the next "
        "line's first values as the missing ones"}},
      {"short, and a keyword follows: the compile's own error, not a warning", "",
       "[generale]\r\n" + segnale_corto + segnale_corto, {}},
      {"the general section's words take their own values", "[generale]\r\nlunghezza percorso, 20000, 1\r\n", "",
       {"2:28 `lunghezza percorso` takes 1 value, this line has 2: one value too many, which the compile reads "
        "as keywords"}},
      {"before [generale], lines are not read", "pendenza, 0, 5, 7\r\n", "", {}},
  };
  for (const auto& c : casi) EXPECT_EQ(detti(Avviso::forma_riga, c.linea, c.treno), c.detto) << c.caso;
}

}  // namespace
}  // namespace scenc
