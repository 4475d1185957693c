// `scenc __completions DIR`, not listed in the help: writes the completion
// scripts of bash (DIR/scenc), zsh (DIR/_scenc) and fish (DIR/scenc.fish)
// from scenc's own command line. The build runs it, and installs the three.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace scenc {

struct ArgomentiCompletamento {
  std::string out;
};

// `app` is scenc's whole command line; add this after every other subcommand.
CLI::App* aggiungi_completions(CLI::App& app, ArgomentiCompletamento& args, int& esito);

}  // namespace scenc
