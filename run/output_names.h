// Names checked before a run reads or writes anything: route and train
// names that make file names, and outputs that would be one file, or one
// of the run's own sources.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "writer/compiled_writer.h"

namespace scen {

// Why `nome` (the route's or the train's, as `cosa` says) cannot be part
// of a file name: empty, a path ('/', "." or ".."), a control character.
std::optional<std::string> nome_non_valido(std::string_view nome, std::string_view cosa);

// Why the compiled files `n` cannot be written: two of them the same file,
// or one of them one of `sorgenti` (by name, or the same file by device
// and inode). `scrivi_linea`: the track plan's file is written too.
std::optional<std::string> uscite_in_conflitto(const NomiCompilati& n, bool scrivi_linea,
                                               const std::vector<std::filesystem::path>& sorgenti);

}  // namespace scen
