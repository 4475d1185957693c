// `scenc view`, run as a user runs it: the page of the embedded scenario,
// from its sources and from its compiled files, with errors in the
// sources, and what goes wrong with the command itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <string>

#include "tests/test_support.h"
#include "util/cp1252.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using scen::test::Risultato;

const std::string kScenario = "--route Valcerra_Mosina --train IR20588";
const std::string kTreno = "Valcerra_Mosina_IR20588-.txt";

class ScencViewTest : public ::testing::Test {
 protected:
  scen::test::TempDir dir;

  void SetUp() override { ASSERT_EQ(scenc("sources --out .").stato, 0); }

  Risultato scenc(const std::string& argomenti) {
    return scen::test::esegui(dir.path(), SCENC_PATH, argomenti, dir.path());
  }

  void sostituisci(const std::string& file, const std::string& da, const std::string& a) {
    std::string testo = scen::test::leggi(dir / file);
    const size_t p = testo.find(da);
    ASSERT_NE(p, std::string::npos) << da;
    testo.replace(p, da.size(), a);
    scen::test::scrivi(dir / file, testo);
  }

  // The scenario's JSON inside the page.
  json pagina(const std::string& nome) {
    const std::string html = scen::test::leggi(dir / nome);
    const std::string apre = R"(<script id="scenario-data" type="application/json">)";
    const size_t a = html.find(apre);
    const size_t b = html.find("</script>", a);
    if (a == std::string::npos || b == std::string::npos) return nullptr;
    return json::parse(html.substr(a + apre.size(), b - a - apre.size()));
  }

  // Line n of a source, without its line end.
  std::string riga(const std::string& file, int64_t n) {
    const std::string testo = scen::test::leggi(dir / file);
    size_t p = 0;
    for (int64_t i = 1; i < n; ++i) p = testo.find('\n', p) + 1;
    const size_t fine = testo.find_first_of("\r\n", p);
    return testo.substr(p, fine - p);
  }
};

TEST_F(ScencViewTest, EveryObjectPointsToTheSourceLineThatPlacedIt) {
  // A slowdown, so that the code track adds points of its own.
  sostituisci(kTreno, "[rallentamenti]\r\n", "[rallentamenti]\r\nrallentamento,   60000,  60,  1000,  0,  0,  0\r\n");
  const Risultato r = scenc("view " + kScenario + " --out v.html");
  ASSERT_EQ(r.stato, 0) << r.err;
  const std::string html = scen::test::leggi(dir / "v.html");
  // Self-contained: nothing to fetch but what the page itself holds.
  EXPECT_FALSE(std::regex_search(html, std::regex(R"(\b(src|href)\s*=\s*"(?!data:))")));
  EXPECT_FALSE(std::regex_search(html, std::regex(R"(@import|url\((?!#))")));
  const json v = pagina("v.html");
  ASSERT_TRUE(v.is_object());
  EXPECT_EQ(v["diagnostics"].size(), 0u);

  std::set<std::string> in_sorgente;
  const std::string treno = scen::test::leggi(dir / kTreno);
  const std::regex stazione(R"(\nstazione,[^\r\n]*, ([^,\r\n]+)\r)");
  for (std::sregex_iterator i(treno.begin(), treno.end(), stazione), e; i != e; ++i)
    in_sorgente.insert((*i)[1]);
  std::set<std::string> nella_pagina;
  for (const json& s : v["stations"]) {
    nella_pagina.insert(s["name"].get<std::string>());
    ASSERT_TRUE(s["src"].is_object()) << s["name"];
    EXPECT_EQ(scen::da_cp1252(riga(kTreno, s["src"]["line"])), s["src"]["text"].get<std::string>());
    EXPECT_EQ(s["src"]["text"].get<std::string>().rfind("stazione,", 0), 0u);
  }
  // Names with only ASCII letters compare byte for byte with the cp1252 source.
  for (const std::string& n : in_sorgente)
    if (std::all_of(n.begin(), n.end(), [](unsigned char c) { return c < 0x80; })) {
      EXPECT_TRUE(nella_pagina.contains(n)) << n;
    }
  EXPECT_EQ(nella_pagina.size(), in_sorgente.size());

  int segnali = 0, automatici = 0, dal_sorgente = 0, rallentamenti = 0;
  for (const json& o : v["objects"]) {
    const int tipo = o["kind"];
    if (tipo == 1) {
      ++segnali;
      ASSERT_TRUE(o["src"].is_object());
      const std::string file = fs::path(o["src"]["file"].get<std::string>()).filename().string();
      EXPECT_EQ(scen::da_cp1252(riga(file, o["src"]["line"])), o["src"]["text"].get<std::string>());
      EXPECT_EQ(o["src"]["text"].get<std::string>().rfind("segnale", 0), 0u);
    }
    if (tipo == 3) ++rallentamenti;
    if (tipo == 12) {
      EXPECT_EQ(o["auto"].get<bool>(), o["src"].is_null());
      (o["auto"].get<bool>() ? automatici : dal_sorgente)++;
    }
  }
  EXPECT_EQ(segnali, 79);
  EXPECT_EQ(rallentamenti, 1);
  EXPECT_GT(automatici, 0);
  EXPECT_EQ(dal_sorgente, 1);
  EXPECT_GT(v["plan"]["x"].size(), 15000u);
}

TEST_F(ScencViewTest, CompiledFilesGiveTheSameObjectsWithoutSourceLines) {
  sostituisci(kTreno, "[rallentamenti]\r\n", "[rallentamenti]\r\nrallentamento,   60000,  60,  1000,  0,  0,  0\r\n");
  ASSERT_EQ(scenc("compile " + kScenario).stato, 0);
  ASSERT_EQ(scenc("view " + kScenario + " --out s.html").stato, 0);
  // The same page on standard output with --out -.
  const Risultato su_uscita = scenc("view " + kScenario + " --out -");
  ASSERT_EQ(su_uscita.stato, 0) << su_uscita.err;
  EXPECT_EQ(su_uscita.out, scen::test::leggi(dir / "s.html"));
  const Risultato r = scenc("view " + kScenario + " --compiled --out c.html");
  ASSERT_EQ(r.stato, 0) << r.err;
  const json s = pagina("s.html");
  const json c = pagina("c.html");
  ASSERT_EQ(s["objects"].size(), c["objects"].size());
  for (size_t i = 0; i < s["objects"].size(); ++i) {
    for (const char* k : {"cell", "at", "kind", "fields", "text"}) EXPECT_EQ(s["objects"][i].value(k, json()), c["objects"][i].value(k, json())) << k;
    EXPECT_TRUE(c["objects"][i]["src"].is_null());
    // The code track's points cannot be told from written ones there; a
    // point it cannot have added is written.
    if (s["objects"][i]["kind"] == 12) {
      if (s["objects"][i]["auto"].get<bool>())
        EXPECT_TRUE(c["objects"][i]["auto"].is_null()) << c["objects"][i]["at"];
      else
        EXPECT_EQ(c["objects"][i]["auto"], json(false)) << c["objects"][i]["at"];
    }
  }
  for (const char* k : {"speed", "gradient", "adhesion", "mountain", "length", "progressive", "plan"}) EXPECT_EQ(s[k], c[k]) << k;
  EXPECT_TRUE(c["compiled"].get<bool>());
}

TEST_F(ScencViewTest, ABrokenSourceStillGivesAPageThatListsItsErrors) {
  sostituisci(kTreno, "46400, 12,  500", "46430, 12,  500");
  const Risultato r = scenc("view " + kScenario + " --out v.html");
  ASSERT_EQ(r.stato, 0) << r.err;
  EXPECT_NE(r.err.find("1 error"), std::string::npos) << r.err;
  const json v = pagina("v.html");
  ASSERT_GE(v["diagnostics"].size(), 1u);
  const json& d = v["diagnostics"][0];
  EXPECT_EQ(d["level"], "error");
  EXPECT_EQ(d["number"], 8);
  EXPECT_EQ(scen::da_cp1252(riga(kTreno, d["line"])), d["text"].get<std::string>());
  // What was placed before the error is shown.
  EXPECT_GT(v["objects"].size(), 0u);
}

TEST_F(ScencViewTest, AStationNameCannotEndThePageScript) {
  sostituisci(kTreno, ", Lavis\r\n", ", Lavis</script><b>\r\n");
  ASSERT_EQ(scenc("view " + kScenario + " --out v.html").stato, 0);
  EXPECT_EQ(scen::test::leggi(dir / "v.html").find("</script><b>"), std::string::npos);
  const json v = pagina("v.html");
  ASSERT_TRUE(v.is_object());
  bool trovato = false;
  for (const json& s : v["stations"]) trovato |= s["name"] == "Lavis</script><b>";
  EXPECT_TRUE(trovato);
}

TEST_F(ScencViewTest, FailuresLeaveNoPage) {
  struct Caso {
    std::string argomenti;
    int stato;
  };
  const Caso casi[] = {
      {"view " + kScenario + " --compiled --out v.html", 3},  // nothing compiled yet
      {"view --route a/b --train IR20588 --out v.html", 2},
      {"view " + kScenario, 2},  // no --out
      {"view " + kScenario + " --out missing/v.html", 3},
  };
  for (const Caso& c : casi) {
    const Risultato r = scenc(c.argomenti);
    EXPECT_EQ(r.stato, c.stato) << c.argomenti << "\n" << r.err;
    EXPECT_FALSE(fs::exists(dir / "v.html")) << c.argomenti;
  }
  // A corrupt compiled file is named.
  ASSERT_EQ(scenc("compile " + kScenario).stato, 0);
  scen::test::scrivi(dir / "Valcerra_Mosina_IR20588.dat", "xyz");
  const Risultato r = scenc("view " + kScenario + " --compiled --out v.html");
  EXPECT_EQ(r.stato, 3);
  EXPECT_NE(r.err.find("Valcerra_Mosina_IR20588.dat"), std::string::npos) << r.err;
}

}  // namespace
