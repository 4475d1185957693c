// `scenc lsp`: the language server on standard input and output.
#pragma once

#include <CLI/CLI.hpp>

namespace scenc {

// Adds `lsp`; the callback stores the exit status in `esito`.
CLI::App* aggiungi_lsp(CLI::App& app, int& esito);

// Serves messages from `in` to `out` until `exit` or the end of the input.
int esegui_lsp(int in, int out);

}  // namespace scenc
