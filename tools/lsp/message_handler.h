// The language server's logic: fed one message at a time (a JSON value),
// it answers with the replies and notifications to send. It reads files
// only to compile a scenario whose other file is not open, and writes none.
#pragma once

#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "compiler/compile.h"
#include "tools/lsp/document_store.h"
#include "tools/lsp/position_encoding.h"
#include "tools/lsp/scenario_pair.h"

namespace scenc::lsp {

class MessageHandler {
 public:
  using json = nlohmann::json;

  // What a request ends with: a result, or an error's code and words.
  struct Esito {
    Esito(json r = nullptr) : risultato(std::move(r)) {}  // NOLINT: a result converts
    json risultato;
    int errore = 0;
    std::string messaggio;
  };

  // A message's body as it arrived: malformed JSON gets the protocol's
  // parse error.
  std::vector<json> gestisci_testo(std::string_view corpo);
  std::vector<json> gestisci(const json& messaggio);

  // Compiles the scenarios changed since the last call and gives their
  // diagnostics. The caller asks once the messages that have arrived are
  // all handled, so that a burst of changes compiles once.
  std::vector<json> pubblica();
  bool da_pubblicare() const { return !cambiati_.empty(); }

  // After `exit`: the status to end with (0 when `shutdown` came first).
  bool finito() const { return finito_; }
  int stato_uscita() const { return spento_ ? 0 : 1; }
  Codifica codifica() const { return codifica_; }

 private:
  Esito richiesta(const std::string& metodo, const json& parametri);
  void notifica(const std::string& metodo, const json& parametri);
  json inizializza(const json& parametri);
  Esito hover(const json& parametri);
  Esito suggerimenti(const json& parametri);
  Esito completamento(const json& parametri);
  Esito definizione(const json& parametri);
  Esito firma(const json& parametri);
  Esito simboli_documento(const json& parametri);
  Esito token(const json& parametri);

  // The path of a request's `textDocument.uri`; empty when there is none.
  std::string documento(const json& parametri) const;
  CoppiaScenario coppia(const std::string& percorso) const;

  DocumentStore documenti_;
  Codifica codifica_ = Codifica::utf16;
  bool inizializzato_ = false;
  bool spento_ = false;
  bool finito_ = false;
  std::set<std::string> cambiati_;  // the paths whose scenario is to compile
  // The diagnostics last published for each file, for go to definition.
  std::map<std::string, json> pubblicate_;
  // The kilometric progressive references of each file's scenario, as the
  // last compile read them, for hover.
  std::map<std::string, std::vector<scen::RiferimentoKm>> riferimenti_km_;
};

}  // namespace scenc::lsp
