// The completion scripts of bash, zsh and fish for scenc, written from its
// completion table: subcommands, options, choices, files and directories.
// Installed where each shell looks (cmake/install.cmake).
#pragma once

#include <string>

#include "tools/cli/completion_table.h"

namespace scenc {

// For bash-completion: share/bash-completion/completions/scenc.
std::string script_bash(const TabellaCompletamento& t);
// For zsh: share/zsh/vendor-completions/_scenc.
std::string script_zsh(const TabellaCompletamento& t);
// For fish: share/fish/vendor_completions.d/scenc.fish.
std::string script_fish(const TabellaCompletamento& t);

}  // namespace scenc
