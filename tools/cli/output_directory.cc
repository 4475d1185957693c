#include "tools/cli/output_directory.h"

#include <filesystem>
#include <iostream>
#include <system_error>

#include "platform/path_text.h"
#include "tools/cli/exit_status.h"

namespace scenc {

int prepara_cartella_uscita(const std::string& cartella) {
  namespace fs = std::filesystem;
  const fs::path p = scen::path_from_utf8(cartella);
  std::error_code ec;
  const fs::file_status s = fs::status(p, ec);
  if (fs::is_directory(s)) return kOk;
  if (fs::exists(s)) {
    std::cerr << "scenc: --out " << cartella << ": exists and is not a directory\n";
    return kUso;
  }
  fs::create_directories(p, ec);
  if (ec) {
    std::cerr << "scenc: cannot make the directory " << cartella << ": " << ec.message() << "\n";
    // A parent that is a file is the command line's fault, not the disk's.
    return ec == std::errc::not_a_directory ? kUso : kErroreFile;
  }
  return kOk;
}

}  // namespace scenc
