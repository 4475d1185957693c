// libFuzzer target of the language server: the input is the byte stream
// an editor would send, after an `initialize`. Each frame goes to a fresh
// handler's session, and after each the changed scenarios are compiled, as
// `scenc lsp` does when no more input is waiting. Every request must get
// one reply, every message be a JSON-RPC 2.0 object, and nothing may
// throw or crash. Paths are the inputs' own (`file://` URIs); the handler
// only reads files, never writes one. The mutator (json_rpc_mutator.cc)
// keeps the frames and their JSON valid most of the time.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "tools/lsp/framing.h"
#include "tools/lsp/message_handler.h"

namespace {

void verifica(bool condizione, const char* regola) {
  if (!condizione) {
    std::fprintf(stderr, "broken rule: %s\n", regola);
    std::abort();
  }
}

void verifica_messaggi(const std::vector<nlohmann::json>& messaggi) {
  for (const nlohmann::json& m : messaggi) {
    verifica(m.is_object() && m.contains("jsonrpc") && m["jsonrpc"] == "2.0", "a message is a JSON-RPC 2.0 object");
    (void)m.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  }
}

// A handler that has answered the `initialize`, made once and copied for
// each run.
scenc::lsp::MessageHandler inizializzato() {
  scenc::lsp::MessageHandler gestore;
  verifica_messaggi(gestore.gestisci_testo(
      R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{"capabilities":{"general":{"positionEncodings":["utf-8"]}}}})"));
  return gestore;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const scenc::lsp::MessageHandler iniziale = inizializzato();
  scenc::lsp::MessageHandler gestore = iniziale;
  scenc::lsp::FrameDecoder decoder;
  decoder.aggiungi(std::string_view(reinterpret_cast<const char*>(data), size));
  while (std::optional<scenc::lsp::Frame> f = decoder.prossimo()) {
    if (!f->errore.empty()) continue;
    const nlohmann::json m = nlohmann::json::parse(f->corpo, nullptr, false);
    const bool richiesta = m.is_object() && m.contains("id") && m.contains("method");
    const std::vector<nlohmann::json> risposte = gestore.gestisci_testo(f->corpo);
    verifica_messaggi(risposte);
    if (richiesta) verifica(risposte.size() == 1, "a request gets one reply");
    if (gestore.finito()) break;
    verifica_messaggi(gestore.pubblica());
  }
  return 0;
}
