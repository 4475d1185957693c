// `scenc help [SUBCOMMAND]`: the same text as `scenc --help` or
// `scenc SUBCOMMAND --help`, for those who type the word.
#pragma once

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>

namespace scenc {

struct ArgomentiAiuto {
  std::string subcommand;  // empty: the help of scenc itself
};

// Adds `help`; the callback stores the exit status in `esito`. `app` is
// scenc's whole command line, whose subcommands it describes.
CLI::App* aggiungi_help(CLI::App& app, ArgomentiAiuto& args, int& esito);

// Exit status: 0, the help written to `out`; 2 for a subcommand scenc does
// not have, the known ones named on `err`.
int esegui_help(const CLI::App& app, const ArgomentiAiuto& args, std::ostream& out, std::ostream& err);

// The subcommands `scenc --help` lists, in its order (hidden ones left out).
std::vector<const CLI::App*> subcommand_visibili(const CLI::App& app);

}  // namespace scenc
