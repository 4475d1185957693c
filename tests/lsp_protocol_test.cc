#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <algorithm>
#include <array>
#include <string>

#include "tests/lsp_session.h"
#include "tests/test_support.h"
#include "util/cp1252.h"

namespace {

using json = nlohmann::json;
using scen::test::SessioneLsp;

// The hand-written example's two files: the line file on disk, the train
// file's text as an editor holds it (UTF-8).
struct Esempio {
  scen::test::TempDir dir;
  std::string linea = (dir / "Esempio_linea.txt").string();
  std::string treno = (dir / "Esempio_E1-.txt").string();
  std::string testo_treno = scen::da_cp1252(scen::test::leggi(std::string(SOURCE_DIR) + "/examples/Esempio_E1-.txt"));
  Esempio() {
    scen::test::scrivi(linea, scen::test::leggi(std::string(SOURCE_DIR) + "/examples/Esempio_linea.txt"));
  }
  std::string uri(const std::string& p) const { return scenc::lsp::uri_da_percorso(p); }
};

std::string sostituito(std::string t, const std::string& da, const std::string& a) {
  const size_t i = t.find(da);
  EXPECT_NE(i, std::string::npos) << da;
  return i == std::string::npos ? t : t.replace(i, da.size(), a);
}

bool ha_codice(const json& diagnostiche, const json& codice) {
  for (const json& d : diagnostiche)
    if (d.contains("code") && d["code"] == codice) return true;
  return false;
}

TEST(LspProtocol, MalformedAndOutOfOrderMessagesGetTheProtocolsErrorsAndTheServerGoesOn) {
  struct Caso {
    const char* corpo;
    int codice;
  };
  const Caso casi[] = {
      {"{\"jsonrpc\":\"2.0\",\"id\":1,\"method\":", -32700},                     // cut short
      {"[1,2]", -32600},                                                           // not an object
      {"{\"jsonrpc\":\"2.0\",\"id\":[1],\"method\":\"shutdown\"}", -32600},        // id neither number nor string
      {"{\"jsonrpc\":\"2.0\",\"id\":7}", -32600},                                  // no method
      {"{\"jsonrpc\":\"2.0\",\"id\":7,\"method\":\"textDocument/rename\"}", -32601},
      {"{\"jsonrpc\":\"2.0\",\"id\":7,\"method\":\"textDocument/hover\",\"params\":{\"position\":3}}", -32602},
  };
  SessioneLsp s;
  for (const Caso& c : casi) {
    const std::vector<json> r = s.gestore.gestisci_testo(c.corpo);
    ASSERT_EQ(r.size(), 1u) << c.corpo;
    EXPECT_EQ(r[0]["error"]["code"], c.codice) << c.corpo;
  }
  EXPECT_TRUE(s.gestore.gestisci_testo("{\"jsonrpc\":\"2.0\",\"method\":\"$/cancelRequest\",\"params\":{}}").empty());
  EXPECT_FALSE(s.gestore.finito());
  EXPECT_EQ(s.risposta_a("textDocument/rename", json::object())["id"], 1 + 1);
}

TEST(LspProtocol, RequestsBeforeInitializeAndAfterShutdownAreRefused) {
  scenc::lsp::MessageHandler h;
  EXPECT_EQ(h.gestisci(json{{"jsonrpc", "2.0"}, {"id", 1}, {"method", "textDocument/hover"}})[0]["error"]["code"], -32002);
  SessioneLsp s;
  EXPECT_EQ(s.risposta_a("initialize", json::object())["error"]["code"], -32600);  // twice
  EXPECT_TRUE(s.risposta_a("shutdown", nullptr)["result"].is_null());
  EXPECT_EQ(s.risposta_a("textDocument/hover", json::object())["error"]["code"], -32600);
  s.notifica("exit", nullptr);
  EXPECT_TRUE(s.gestore.finito());
  EXPECT_EQ(s.gestore.stato_uscita(), 0);

  SessioneLsp senza_shutdown;
  senza_shutdown.notifica("exit", nullptr);
  EXPECT_EQ(senza_shutdown.gestore.stato_uscita(), 1);
}

TEST(LspProtocol, PositionEncodingIsUtf8OnlyWhenTheClientOffersIt) {
  const std::pair<std::vector<std::string>, const char*> casi[] = {
      {{"utf-16"}, "utf-16"}, {{"utf-32", "utf-8", "utf-16"}, "utf-8"}, {{}, "utf-16"}};
  for (const auto& [offerte, attesa] : casi) {
    scenc::lsp::MessageHandler h;
    const json r = h.gestisci(json{{"jsonrpc", "2.0"},
                                   {"id", 1},
                                   {"method", "initialize"},
                                   {"params", {{"capabilities", {{"general", {{"positionEncodings", offerte}}}}}}}});
    EXPECT_EQ(r[0]["result"]["capabilities"]["positionEncoding"], attesa);
  }
}

TEST(LspProtocol, DiagnosticsOfBothFilesFollowOpenChangeAndClose) {
  Esempio e;
  SessioneLsp s;
  // Station Dolcè moved off the 50 m grid: error 8, at its position.
  s.apri(e.treno, sostituito(e.testo_treno, "6000, 22", "6010, 22"));
  std::map<std::string, json> p = s.pubblicate();
  ASSERT_EQ(p.size(), 2u);
  EXPECT_EQ(p[e.uri(e.linea)], json::array());
  const json& d = p[e.uri(e.treno)];
  ASSERT_TRUE(ha_codice(d, 8)) << d.dump();
  for (const json& x : d)
    if (x["code"] == 8) {
      EXPECT_EQ(x["severity"], 1);
      EXPECT_EQ(x["range"]["start"], SessioneLsp::posizione(13, 13));
      EXPECT_EQ(x["range"]["end"], SessioneLsp::posizione(13, 17));
    }
  EXPECT_TRUE(s.pubblicate().empty());  // nothing changed since

  // An incremental change puts it back: "10" -> "00" at 13:15.
  s.notifica("textDocument/didChange",
             {{"textDocument", {{"uri", e.uri(e.treno)}, {"version", 2}}},
              {"contentChanges",
               {{{"range", {{"start", SessioneLsp::posizione(13, 15)}, {"end", SessioneLsp::posizione(13, 17)}}},
                 {"text", "00"}}}}});
  p = s.pubblicate();
  EXPECT_FALSE(ha_codice(p[e.uri(e.treno)], 8)) << p[e.uri(e.treno)].dump();

  // A burst of changes, the last one whole, compiles once: one message a file.
  for (int v = 3; v < 6; ++v)
    s.notifica("textDocument/didChange", {{"textDocument", {{"uri", e.uri(e.treno)}, {"version", v}}},
                                          {"contentChanges", {{{"text", sostituito(e.testo_treno, "1350,", "1360,")}}}}});
  p = s.pubblicate();
  ASSERT_EQ(p.size(), 2u);
  EXPECT_TRUE(ha_codice(p[e.uri(e.treno)], "no-warn-cell-boundary"));

  // Closed, the train file is read from disk, where it is not: its own
  // diagnostics are cleared, and what is said of it goes to the line
  // file's first line.
  s.notifica("textDocument/didClose", {{"textDocument", SessioneLsp::documento(e.treno)}});
  p = s.pubblicate();
  ASSERT_EQ(p.size(), 2u);
  EXPECT_EQ(p[e.uri(e.treno)], json::array());
  ASSERT_FALSE(p[e.uri(e.linea)].empty());
  EXPECT_EQ(p[e.uri(e.linea)][0]["range"]["start"], SessioneLsp::posizione(0, 0));
}

TEST(LspProtocol, ALineFileAloneIsCheckedAsFarAsItCanBe) {
  scen::test::TempDir dir;
  const std::string linea = (dir / "Sola_linea.txt").string();
  SessioneLsp s;
  s.apri(linea, sostituito(scen::da_cp1252(scen::test::leggi(std::string(SOURCE_DIR) + "/examples/Esempio_linea.txt")),
                           "pendenza,  4000,   -6", "pendenza,  4000,   -6, 5"));
  std::map<std::string, json> p = s.pubblicate();
  ASSERT_EQ(p.size(), 1u);
  const json& d = p[scenc::lsp::uri_da_percorso(linea)];
  EXPECT_TRUE(ha_codice(d, "no-warn-line-shape")) << d.dump();
  for (const json& x : d) EXPECT_NE(x["severity"], 1) << x.dump();  // no error about a missing train file
}

TEST(LspProtocol, HoverHintsCompletionAndDefinitionComeFromTheVocabulary) {
  Esempio e;
  SessioneLsp s;
  // Line 19: two signals share cell 28.
  s.apri(e.treno, sostituito(e.testo_treno, "8200,", "1360,"));
  const json doc = SessioneLsp::documento(e.treno);

  const std::string valore =
      s.risultato("textDocument/hover", {{"textDocument", doc}, {"position", SessioneLsp::posizione(18, 13)}})["contents"]["value"];
  EXPECT_NE(valore.find("**pos** (m)"), std::string::npos) << valore;
  EXPECT_NE(valore.find("Cell 28 (1400 m on the grid)"), std::string::npos) << valore;
  // Once compiled: the progressive there, from the line file's reference
  // (25 000 at 0, falling as the position grows).
  s.pubblicate();
  const std::string compilato =
      s.risultato("textDocument/hover", {{"textDocument", doc}, {"position", SessioneLsp::posizione(18, 13)}})["contents"]["value"];
  EXPECT_NE(compilato.find("At km 23.650"), std::string::npos) << compilato;
  const std::string parola =
      s.risultato("textDocument/hover", {{"textDocument", doc}, {"position", SessioneLsp::posizione(18, 2)}})["contents"]["value"];
  EXPECT_NE(parola.find("1. `pos` (m)"), std::string::npos) << parola;
  EXPECT_NE(parola.find("11. `tempo` (s)"), std::string::npos) << parola;
  EXPECT_TRUE(s.risultato("textDocument/hover", {{"textDocument", doc}, {"position", SessioneLsp::posizione(0, 3)}})
                  ["contents"]["value"].get<std::string>().starts_with("**[generale]**"));

  const json nomi = s.risultato("textDocument/inlayHint",
                                {{"textDocument", doc},
                                 {"range", {{"start", SessioneLsp::posizione(18, 0)}, {"end", SessioneLsp::posizione(18, 99)}}}});
  ASSERT_EQ(nomi.size(), 11u) << nomi.dump();
  EXPECT_EQ(nomi[0]["label"], "pos:");
  EXPECT_EQ(nomi[0]["position"], SessioneLsp::posizione(18, 12));
  EXPECT_EQ(nomi[10]["label"], "tempo:");

  const json voci = s.risultato("textDocument/completion", {{"textDocument", doc}, {"position", SessioneLsp::posizione(18, 2)}});
  bool segnale = false, intestazione = false;
  for (const json& v : voci) {
    segnale |= v["label"] == "segnale" &&
               v["insertText"].get<std::string>().starts_with("segnale, ${1:pos}, ${2:sx}, ${3:s1}");
    intestazione |= v["label"] == "[stazioni]";
    EXPECT_NE(v["label"], "pendenza");  // a line file's keyword
  }
  EXPECT_TRUE(segnale && intestazione) << voci.dump();
  EXPECT_TRUE(s.risultato("textDocument/completion", {{"textDocument", doc}, {"position", SessioneLsp::posizione(18, 14)}})
                  .empty());

  // From error 16 on the second signal to the line of the first.
  s.pubblicate();
  const json luoghi = s.risultato("textDocument/definition", {{"textDocument", doc}, {"position", SessioneLsp::posizione(19, 13)}});
  ASSERT_EQ(luoghi.size(), 1u) << luoghi.dump();
  EXPECT_EQ(luoghi[0]["uri"], e.uri(e.treno));
  EXPECT_EQ(luoghi[0]["range"]["start"]["line"], 18);
}

TEST(LspProtocol, SignatureOutlineAndTokensFollowTheLinesFields) {
  Esempio e;
  SessioneLsp s;
  s.apri(e.treno, e.testo_treno);
  const json doc = SessioneLsp::documento(e.treno);

  // On `sx` of a signal: the second value marked.
  const json firma = s.risultato("textDocument/signatureHelp", {{"textDocument", doc}, {"position", SessioneLsp::posizione(18, 20)}});
  ASSERT_EQ(firma["signatures"].size(), 1u) << firma.dump();
  EXPECT_EQ(firma["activeParameter"], 1);
  const std::string etichetta = firma["signatures"][0]["label"];
  const json marcato = firma["signatures"][0]["parameters"][1]["label"];
  EXPECT_EQ(etichetta.substr(marcato[0], marcato[1].get<size_t>() - marcato[0].get<size_t>()), "sx");

  const json sommario = s.risultato("textDocument/documentSymbol", {{"textDocument", doc}});
  std::vector<std::string> stazioni;
  for (const json& sezione : sommario)
    if (sezione["name"] == "[stazioni]")
      for (const json& f : sezione["children"]) stazioni.push_back(f["name"].get<std::string>() + " " + f["detail"].get<std::string>());
  EXPECT_EQ(stazioni, (std::vector<std::string>{"Valle Alta 0 m", "Dolc\u00e8 6000 m", "Valle Bassa 18500 m"}));

  // Tokens as (line, start, length, type, modifiers), from the relative form.
  const json dati = s.risultato("textDocument/semanticTokens/full", {{"textDocument", doc}})["data"];
  std::vector<std::array<int64_t, 5>> token;
  int64_t riga = 0, inizio = 0;
  for (size_t i = 0; i + 4 < dati.size(); i += 5) {
    inizio = dati[i] == 0 ? inizio + dati[i + 1].get<int64_t>() : dati[i + 1].get<int64_t>();
    riga += dati[i].get<int64_t>();
    token.push_back({riga, inizio, dati[i + 2], dati[i + 3], dati[i + 4]});
  }
  const auto ha = [&token](std::array<int64_t, 5> t) { return std::find(token.begin(), token.end(), t) != token.end(); };
  EXPECT_TRUE(ha({0, 0, 10, 1, 0}));   // [generale]: a section
  EXPECT_TRUE(ha({13, 0, 8, 0, 0}));   // stazione: a keyword
  EXPECT_TRUE(ha({13, 13, 4, 2, 1}));  // 6000: a number, a position
  EXPECT_TRUE(ha({13, 72, 5, 3, 0}));  // Dolcè: a text
}

}  // namespace
