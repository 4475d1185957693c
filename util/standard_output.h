// The file name "-" on a command line: standard output instead of a file.
#pragma once

#include <filesystem>
#include <functional>

#include "util/byte_sink.h"

namespace scen {

// The content written to standard output when `destinazione` is "-", else
// replacing the file atomically (sostituisci_file). Throws ErroreFile
// ("standard output" and the system's reason) when a write fails.
void scrivi_file_o_uscita(const std::filesystem::path& destinazione,
                          const std::function<void(ByteSink&)>& contenuto);

}  // namespace scen
