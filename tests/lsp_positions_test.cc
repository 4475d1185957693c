#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "tests/lsp_session.h"
#include "tests/test_support.h"
#include "util/cp1252.h"

namespace {

using json = nlohmann::json;
using scen::test::SessioneLsp;

// A station line whose name holds an accented letter, a character the
// code page lacks and one beyond the basic plane (two UTF-16 units): the
// name starts at character 72.
constexpr const char* kStazione =
    "stazione,    6000, 22,  300,  0, 0, 0,  0,0,0,  4,1,1,    0,   0, 0, 0, "
    "Dolc\u00e8 \u2603\U0001D11E Nuova Stazione Centrale della Valle";

json intervallo(int64_t riga, int64_t da, int64_t a) {
  return {{"start", SessioneLsp::posizione(riga, da)}, {"end", SessioneLsp::posizione(riga, a)}};
}

TEST(LspPositions, RangesAndEditsOnALineWithAccentedNamesInBothEncodings) {
  struct Caso {
    const char* codifica;
    int64_t fine_nome;           // the name's end
    int64_t pupazzo, dopo_pupazzo;  // U+2603
    int64_t chiave, dopo_chiave;    // U+1D11E
    int64_t nuova;               // where "Nuova" starts
  };
  // Counted by hand: è is 2 bytes, U+2603 3, U+1D11E 4 and 2 UTF-16 units.
  const Caso casi[] = {{"utf-16", 117, 78, 79, 79, 81, 82}, {"utf-8", 122, 79, 82, 82, 86, 87}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.codifica);
    scen::test::TempDir dir;
    const std::string linea = (dir / "Esempio_linea.txt").string();
    const std::string treno = (dir / "Esempio_E1-.txt").string();
    scen::test::scrivi(linea, scen::test::leggi(std::string(SOURCE_DIR) + "/examples/Esempio_linea.txt"));
    std::string testo = scen::da_cp1252(scen::test::leggi(std::string(SOURCE_DIR) + "/examples/Esempio_E1-.txt"));
    const size_t a = testo.find("stazione,    6000");
    testo.replace(a, testo.find('\n', a) - a, kStazione);

    SessioneLsp s({c.codifica});
    s.apri(treno, testo);
    json d = s.pubblicate()[scenc::lsp::uri_da_percorso(treno)];
    std::vector<json> mancanti;
    bool larghezza = false;
    for (const json& x : d) {
      if (x["code"] == "cp1252") mancanti.push_back(x["range"]);
      if (x["code"] == "no-warn-station-name-width") {
        larghezza = true;
        EXPECT_EQ(x["range"], intervallo(13, 72, c.fine_nome));
      }
    }
    EXPECT_TRUE(larghezza) << d.dump();
    ASSERT_EQ(mancanti.size(), 2u) << d.dump();
    EXPECT_EQ(mancanti[0], intervallo(13, c.pupazzo, c.dopo_pupazzo));
    EXPECT_EQ(mancanti[1], intervallo(13, c.chiave, c.dopo_chiave));

    // "Nuova" -> "Alta", placed in the same encoding.
    s.notifica("textDocument/didChange",
               {{"textDocument", {{"uri", scenc::lsp::uri_da_percorso(treno)}, {"version", 2}}},
                {"contentChanges", {{{"range", intervallo(13, c.nuova, c.nuova + 5)}, {"text", "Alta"}}}}});
    d = s.pubblicate()[scenc::lsp::uri_da_percorso(treno)];
    bool rinominata = false;
    for (const json& x : d)
      if (x["code"] == "no-warn-station-name-width") {
        rinominata = x["message"].get<std::string>().find("Dolc\u00e8 ?? Alta Stazione") != std::string::npos;
        EXPECT_EQ(x["range"], intervallo(13, 72, c.fine_nome - 1));
      }
    EXPECT_TRUE(rinominata) << d.dump();

    // Hover inside the name, past the accent: the name's field.
    const json h = s.risultato("textDocument/hover",
                               {{"textDocument", SessioneLsp::documento(treno)}, {"position", SessioneLsp::posizione(13, c.pupazzo)}});
    EXPECT_NE(h["contents"]["value"].get<std::string>().find("**nome**"), std::string::npos) << h.dump();
  }
}

}  // namespace
