#include "tools/view/serve_command.h"

#include <chrono>
#include <iostream>
#include <utility>

#include "tools/cli/compile_command.h"
#include "tools/cli/exit_status.h"
#include "tools/view/serve_module.h"
#include "tools/view/view_input.h"
#include "tools/view/view_json.h"
#include "tools/view/view_page.h"
#include "platform/embedded_module.h"
#include "platform/file_state.h"
#include "platform/path_text.h"
#include "platform/stop_requests.h"

namespace scenc {

namespace {

// How often the sources are looked at.
constexpr long kIntervalloMs = 250;

struct Pubblicazione {
  std::string pagina;
  std::string json;
  size_t errori = 0;
};

Pubblicazione compila(const view::RichiestaVista& r) {
  view::LetturaVista letta = view::vista_da_sorgenti(r);
  nlohmann::json j = view::json_vista(*letta.scenario);
  j["live"] = true;
  Pubblicazione p{view::pagina_html(j), view::json_nella_pagina(j), 0};
  for (const scen::Diagnostic& d : letta.scenario->diagnostiche) p.errori += d.level == scen::Level::error;
  return p;
}

}  // namespace

CLI::App* aggiungi_serve(CLI::App& app, ArgomentiServizio& args, int& esito) {
  CLI::App* cmd = app.add_subcommand(
      "serve", "Serve the page of `scenc view` over HTTP and update it whenever the sources change");
  cmd->add_option("--route", args.route, "Route name")->required();
  cmd->add_option("--train", args.train, "Train name")->required();
  cmd->add_option("--dir", args.dir, "Directory of the two sources")->type_name("DIR")->capture_default_str();
  cmd->add_option("--host", args.host, "Address to listen on")->capture_default_str();
  cmd->add_option("--port", args.port, "Port to listen on; 0 takes a free one")
      ->check(CLI::Range(0, 65535))
      ->capture_default_str();
  aggiungi_codifica_ingresso(cmd, args.input_encoding);
  cmd->callback([&] { esito = esegui_serve(args); });
  return cmd;
}

int esegui_serve(const ArgomentiServizio& args) {
  if (!nomi_validi(args.route, args.train)) return kUso;
  serve::AvviaServer* avvia = nullptr;
  serve::PubblicaScenario* pubblica = nullptr;
  serve::FermaServer* ferma = nullptr;
  try {
    const scen::ModuloIncorporato modulo{scen::incorporato::modulo_servizio_nome(),
                                         scen::incorporato::modulo_servizio()};
    avvia = scen::funzione_modulo<serve::AvviaServer>(modulo, serve::kAvvia);
    pubblica = scen::funzione_modulo<serve::PubblicaScenario>(modulo, serve::kPubblica);
    ferma = scen::funzione_modulo<serve::FermaServer>(modulo, serve::kFerma);
  } catch (const scen::ErroreModulo& e) {
    std::cerr << "scenc: cannot load the HTTP server: " << e.what() << "\n";
    return kErroreFile;
  }

  // The requests to stop are waited for, not handled: taken here, before
  // the server's threads start.
  scen::platform::StopRequests fermata;
  if (!fermata.ok()) {
    std::cerr << "scenc: " << fermata.why() << "\n";
    return kErroreFile;
  }

  const view::RichiestaVista richiesta{args.route, args.train, args.dir, args.input_encoding == "utf-8"};
  const std::filesystem::path sorgenti[] = {
      (scen::path_from_utf8(args.dir) / scen::path_from_utf8(args.route + "_linea.txt")).lexically_normal(),
      (scen::path_from_utf8(args.dir) / scen::path_from_utf8(args.route + "_" + args.train + "-.txt")).lexically_normal()};
  using Stato = scen::platform::FileState;
  std::pair<Stato, Stato> visti{scen::platform::file_state(sorgenti[0]), scen::platform::file_state(sorgenti[1])};
  Pubblicazione p = compila(richiesta);

  int porta = 0;
  serve::Server* server = avvia(args.host.c_str(), args.port, &porta);
  if (!server) {
    std::cerr << "scenc: cannot listen on " << args.host << ":" << args.port << "\n";
    return kErroreFile;
  }
  pubblica(server, p.pagina.data(), p.pagina.size(), p.json.data(), p.json.size());
  const bool ipv6 = args.host.find(':') != std::string::npos;
  std::cout << "http://" << (ipv6 ? "[" + args.host + "]" : args.host) << ":" << porta << "/" << std::endl;
  std::cerr << "scenc: watching " << scen::utf8_of(sorgenti[0]) << " and " << scen::utf8_of(sorgenti[1])
            << "; " << p.errori << (p.errori == 1 ? " error" : " errors") << std::endl;

  for (;;) {
    if (fermata.wait_for(std::chrono::milliseconds(kIntervalloMs))) {
      if (*fermata.why()) std::cerr << "scenc: " << fermata.why() << "\n";
      break;
    }
    const std::pair<Stato, Stato> ora{scen::platform::file_state(sorgenti[0]), scen::platform::file_state(sorgenti[1])};
    if (ora == visti) continue;
    visti = ora;
    p = compila(richiesta);
    pubblica(server, p.pagina.data(), p.pagina.size(), p.json.data(), p.json.size());
    std::cerr << "scenc: compiled again; " << p.errori << (p.errori == 1 ? " error" : " errors") << std::endl;
  }
  ferma(server);
  return kOk;
}

}  // namespace scenc
