#include "tools/lsp/lsp_command.h"

#include "platform/standard_streams.h"
#include "tools/lsp/framing.h"
#include "tools/lsp/message_handler.h"

namespace scenc {

CLI::App* aggiungi_lsp(CLI::App& app, int& esito) {
  CLI::App* cmd = app.add_subcommand("lsp", "Serve the Language Server Protocol on standard input and output");
  // Editors' clients often name the transport; standard input and output
  // is the only one.
  cmd->add_flag_callback("--stdio", [] {}, "Talk over standard input and output (the default and only transport)");
  cmd->callback([&esito] { esito = esegui_lsp(scen::platform::kStandardInput, scen::platform::kStandardOutput); });
  return cmd;
}

int esegui_lsp(int in, int out) {
  lsp::MessageReader lettore(in);
  lsp::MessageHandler gestore;
  const auto invia = [out](const std::vector<nlohmann::json>& messaggi) {
    for (const nlohmann::json& m : messaggi)
      if (!lsp::scrivi_tutto(out, lsp::incornicia(m.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace))))
        return false;
    return true;
  };
  while (std::optional<lsp::Frame> f = lettore.leggi()) {
    const std::vector<nlohmann::json> risposte =
        f->errore.empty() ? gestore.gestisci_testo(f->corpo)
                          : std::vector<nlohmann::json>{{{"jsonrpc", "2.0"},
                                                         {"id", nullptr},
                                                         {"error", {{"code", -32700}, {"message", f->errore}}}}};
    if (!invia(risposte)) return 1;
    if (gestore.finito()) return gestore.stato_uscita();
    // Changes that arrived while the last compile ran are all taken in
    // before the next one.
    if (gestore.da_pubblicare() && !lettore.in_attesa() && !invia(gestore.pubblica())) return 1;
  }
  return 1;  // the input ended without `exit`
}

}  // namespace scenc
