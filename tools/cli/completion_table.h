// What the shells complete for scenc, read off its command line (CLI::App):
// every subcommand, every option, and what kind of word follows an option
// or stands as an argument. The three completion scripts are written from
// it (tools/cli/completion_scripts.h), so they never drift from the options
// the tool has.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace scenc {

// The word after an option, or an argument. Told by the option's type name:
// "FILE", "DIR", "SUBCOMMAND", or a validator's set of choices ("{a,b}").
enum class Parola { nessuna, testo, file, cartella, scelta };

struct OpzioneCompletata {
  std::vector<std::string> nomi;  // "-h", "--help"
  std::string descrizione;
  Parola valore = Parola::nessuna;  // nessuna: a flag
  std::vector<std::string> scelte;  // for Parola::scelta
};

struct ComandoCompletato {
  std::string nome;
  std::string descrizione;
  std::vector<OpzioneCompletata> opzioni;
  Parola argomenti = Parola::nessuna;  // the positional arguments
  std::vector<std::string> scelte;     // for Parola::scelta
};

struct TabellaCompletamento {
  std::string programma;                  // "scenc"
  std::vector<OpzioneCompletata> globali;  // --help, --version
  std::vector<ComandoCompletato> comandi;  // those --help lists
};

TabellaCompletamento tabella_completamento(const CLI::App& app);

}  // namespace scenc
