// A language-server session in memory for the tests: messages handed to
// the handler as JSON, its replies and notifications kept.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tools/lsp/message_handler.h"
#include "tools/lsp/uri.h"

namespace scen::test {

class SessioneLsp {
 public:
  using json = nlohmann::json;

  // Initializes, offering `codifiche` as position encodings.
  explicit SessioneLsp(std::vector<std::string> codifiche = {"utf-16"}) {
    risposta_a("initialize", {{"capabilities", {{"general", {{"positionEncodings", codifiche}}}}}});
    notifica("initialized", json::object());
  }

  json risposta_a(const std::string& metodo, const json& parametri) {
    const std::vector<json> r = gestore.gestisci(json{{"jsonrpc", "2.0"}, {"id", ++id_}, {"method", metodo}, {"params", parametri}});
    return r.size() == 1 ? r[0] : json();
  }
  json risultato(const std::string& metodo, const json& parametri) { return risposta_a(metodo, parametri)["result"]; }
  void notifica(const std::string& metodo, const json& parametri) {
    gestore.gestisci(json{{"jsonrpc", "2.0"}, {"method", metodo}, {"params", parametri}});
  }

  void apri(const std::string& percorso, const std::string& testo) {
    notifica("textDocument/didOpen",
             {{"textDocument", {{"uri", scenc::lsp::uri_da_percorso(percorso)}, {"languageId", "scen"}, {"version", 1}, {"text", testo}}}});
  }
  // The diagnostics published for each file's URI by the next compile.
  std::map<std::string, json> pubblicate() {
    std::map<std::string, json> per_uri;
    for (const json& m : gestore.pubblica()) per_uri[m["params"]["uri"]] = m["params"]["diagnostics"];
    return per_uri;
  }
  static json documento(const std::string& percorso) { return {{"uri", scenc::lsp::uri_da_percorso(percorso)}}; }
  static json posizione(int64_t riga, int64_t carattere) { return {{"line", riga}, {"character", carattere}}; }

  scenc::lsp::MessageHandler gestore;

 private:
  int id_ = 0;
};

}  // namespace scen::test
