#include "tools/cli/sources_command.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <vector>

#include "util/regular_file.h"
#include "platform/path_text.h"
#include "platform/signal_cleanup.h"
#include "platform/temporary_directory.h"
#include "util/temporary_files.h"

#include "util/file_replace.h"
#include "util/cp1252.h"
#include "sources/embedded_scenario.h"
#include "sources/scenario_writers.h"
#include "tools/cli/exit_status.h"
#include "tools/cli/output_directory.h"

namespace scenc {

CLI::App* aggiungi_sources(CLI::App& app, ArgomentiSorgenti& args, int& esito) {
  CLI::App* cmd = app.add_subcommand(
      "sources", "Write the embedded scenario's source files and documents, without compiling");
  cmd->add_option("--out", args.out, "Directory for the files (made if missing)")
      ->type_name("DIR")
      ->capture_default_str();
  cmd->add_flag("--force", args.force, "Replace files of the same names even when they differ from the scenario's");
  cmd->callback([&] { esito = esegui_sources(args); });
  return cmd;
}

namespace {

// Removes a directory made for a while, on every way out.
struct ScratchFolder {
  std::filesystem::path p;
  scen::TemporaryFiles& elenco;
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(p, ec);
    elenco.forget(p);
  }
};

// The file's bytes, or none when it is no regular file (a pipe there is
// not read, which would wait for a writer) or larger than any the scenario
// writes.
std::optional<std::string> contenuto(const std::filesystem::path& f) {
  constexpr size_t kPiuGrande = size_t{16} << 20;
  std::string byte, perche;
  if (!scen::read_regular_file(f, kPiuGrande, byte, perche)) return std::nullopt;
  return byte;
}

}  // namespace

int esegui_sources(const ArgomentiSorgenti& args) {
  if (const int stato = prepara_cartella_uscita(args.out); stato != kOk) return stato;
  // Ended by a signal, the run leaves none of its temporaries behind.
  scen::TemporaryFiles temporanei;
  const scen::SignalCleanup pulizia([&temporanei] { temporanei.remove_all_before_exit(); });
  const scen::NomiScenario nomi = scen::nomi_incorporati();
  const scen::Destinazione d{args.out + "/", nomi.percorso, nomi.treno, &temporanei};
  const std::vector<std::string> code{"_linea.txt", "-.txt", "_note.txt", "_rallentamenti.txt", "_scheda_treno.txt"};
  const auto nome = [&](const scen::Destinazione& in, size_t i) {
    return i == 0 ? in.file(code[i]) : in.file_treno(code[i]);
  };
  try {
    if (!args.force) {
      // What would be written, made aside first and set against what is
      // there: an author's edits are not replaced without a word.
      std::string modello;
      std::filesystem::path fatta;
      {
        const auto intera = temporanei.hold_off_removal();
        std::string perche;
        if (!scen::platform::make_temporary_directory("scenc_sources_", fatta, perche)) {
          std::cerr << "scenc: cannot make a temporary directory: " << perche << "\n";
          return kErroreFile;
        }
        modello = scen::utf8_of(fatta);
        temporanei.add(fatta);
      }
      const ScratchFolder a_parte{fatta, temporanei};
      const scen::Destinazione prova{modello + "/", nomi.percorso, nomi.treno};
      scen::scrivi_sorgenti_e_documenti(prova);
      std::vector<std::string> diversi;
      for (size_t i = 0; i < code.size(); ++i) {
        std::error_code ec;
        if (!std::filesystem::exists(std::filesystem::symlink_status(scen::path_from_utf8(nome(d, i)), ec))) continue;
        if (contenuto(scen::path_from_utf8(nome(d, i))) != contenuto(scen::path_from_utf8(nome(prova, i)))) diversi.push_back(nome(d, i));
      }
      if (!diversi.empty()) {
        for (const std::string& f : diversi) std::cerr << "scenc: " << f << " differs from the embedded scenario's\n";
        std::cerr << "scenc: nothing written; --force replaces them\n";
        return kErroreRegistrato;
      }
    }
    scen::scrivi_sorgenti_e_documenti(d);
  } catch (const scen::ErroreFile& e) {
    std::cerr << "scenc: cannot write " << scen::utf8_of(e.file()) << ": " << e.motivo() << "\n";
    return kErroreFile;
  }
  for (size_t i = 0; i < code.size(); ++i) std::cout << "wrote " << nome(d, i) << "\n";
  return kOk;
}

}  // namespace scenc
