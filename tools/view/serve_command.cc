#include "tools/view/serve_command.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/signal_set.hpp>
#include <boost/asio/steady_timer.hpp>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <utility>

#include "platform/path_text.h"
#include "tools/cli/compile_command.h"
#include "tools/cli/exit_status.h"
#include "tools/view/serve_server.h"
#include "tools/view/source_watch.h"
#include "tools/view/view_input.h"
#include "tools/view/view_json.h"
#include "tools/view/view_page.h"

namespace scenc {

namespace {

// How often the sources are looked at.
constexpr auto kWatchInterval = std::chrono::milliseconds(250);

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

  // SIGINT and SIGTERM (Ctrl-C on Windows) are taken by the loop below from
  // here on, before the first compile: one that comes early still ends the
  // server cleanly once it runs.
  boost::asio::io_context io;
  boost::asio::signal_set signals(io, SIGINT, SIGTERM);

  const view::RichiestaVista richiesta{args.route, args.train, scen::path_from_utf8(args.dir),
                                            args.input_encoding == "utf-8"};
  const std::filesystem::path sorgenti[] = {
      (scen::path_from_utf8(args.dir) / scen::path_from_utf8(args.route + "_linea.txt")).lexically_normal(),
      (scen::path_from_utf8(args.dir) / scen::path_from_utf8(args.route + "_" + args.train + "-.txt")).lexically_normal()};
  std::pair<SourceState, SourceState> visti{source_state(sorgenti[0]), source_state(sorgenti[1])};
  Pubblicazione p = compila(richiesta);

  serve::PageServer server(io);
  std::string error;
  const std::optional<unsigned short> port_bound = server.listen(args.host, static_cast<unsigned short>(args.port), error);
  if (!port_bound) {
    std::cerr << "scenc: cannot listen on " << args.host << ":" << args.port << ": " << error << "\n";
    return kErroreFile;
  }
  const size_t errors = p.errori;
  server.publish(std::move(p.pagina), std::move(p.json));
  const bool ipv6 = args.host.find(':') != std::string::npos;
  std::cout << "http://" << (ipv6 ? "[" + args.host + "]" : args.host) << ":" << *port_bound << "/" << std::endl;
  std::cerr << "scenc: watching " << scen::utf8_of(sorgenti[0]) << " and " << scen::utf8_of(sorgenti[1]) << "; " << errors
            << (errors == 1 ? " error" : " errors") << std::endl;

  boost::asio::steady_timer watch_timer(io);
  std::function<void()> watch = [&] {
    watch_timer.expires_after(kWatchInterval);
    watch_timer.async_wait([&](const boost::system::error_code& ec) {
      if (ec) return;
      const std::pair<SourceState, SourceState> ora{source_state(sorgenti[0]), source_state(sorgenti[1])};
      if (ora != visti) {
        visti = ora;
        Pubblicazione fresh = compila(richiesta);
        server.publish(std::move(fresh.pagina), std::move(fresh.json));
        std::cerr << "scenc: compiled again; " << fresh.errori << (fresh.errori == 1 ? " error" : " errors")
                  << std::endl;
      }
      watch();
    });
  };
  watch();
  signals.async_wait([&](const boost::system::error_code& ec, int) {
    if (ec) return;
    watch_timer.cancel();
    server.stop();
  });
  io.run();
  return kOk;
}

}  // namespace scenc
