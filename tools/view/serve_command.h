// `scenc serve`: the page of `scenc view` served over HTTP while the author
// edits: the two sources are watched, compiled again when either changes,
// and every open page gets the new scenario and its diagnostics, keeping
// its zoom. SIGINT or SIGTERM (Ctrl-C) ends it.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace scenc {

struct ArgomentiServizio {
  std::string route;
  std::string train;
  std::string dir = ".";
  std::string host = "127.0.0.1";
  int port = 0;  // 0: a free one
  std::string input_encoding = "cp1252";
};

// Adds the subcommand; its callback stores the exit status in `esito`.
CLI::App* aggiungi_serve(CLI::App& app, ArgomentiServizio& args, int& esito);

int esegui_serve(const ArgomentiServizio& args);

}  // namespace scenc
