#include "tools/compile_command.h"

#include <iostream>

#include "output/compile_and_write.h"
#include "output/error_report.h"
#include "output/file_replace.h"
#include "tools/exit_status.h"

namespace scenc {

namespace {

std::string nome_file(scen::FileSorgente f, const scen::SorgentiCompilazione& s) {
  switch (f) {
    case scen::FileSorgente::linea: return s.linea.string();
    case scen::FileSorgente::treno: return s.treno.string();
    case scen::FileSorgente::nessuno: break;
  }
  return {};
}

void riporta(long numero, const scen::Diagnostica* d, const scen::SorgentiCompilazione& s) {
  std::cerr << scen::testo_errore(numero);
  const auto descrizione = scen::descrizione_errore(numero);
  if (!descrizione.empty()) std::cerr << ": " << descrizione;
  if (d && d->file != scen::FileSorgente::nessuno) {
    std::cerr << " (" << nome_file(d->file, s);
    if (d->campo.linea > 0) std::cerr << ":" << d->campo.linea << ":" << d->campo.colonna;
    std::cerr << ")";
  }
  if (d && !d->dettaglio.empty()) std::cerr << ": " << d->dettaglio;
  std::cerr << "\n";
}

}  // namespace

bool nome_valido(const std::string& nome) {
  return nome.find('/') == std::string::npos && nome.find('\0') == std::string::npos &&
         nome != "." && nome != "..";
}

CLI::App* aggiungi_compile(CLI::App& app, ArgomentiCompilazione& args, int& esito) {
  CLI::App* cmd = app.add_subcommand("compile", "Compile a line file and a train file into the three compiled files");
  cmd->add_option("--route", args.route, "Route name (file names, record 85, check codes)")->required();
  cmd->add_option("--train", args.train, "Train name (file names, record 86, check codes)")->required();
  cmd->add_option("--line", args.line_file, "Line source file (default <route>_linea.txt)");
  cmd->add_option("--train-file", args.train_file, "Train source file (default <route>_<train>-.txt)");
  cmd->add_option("--out", args.out, "Directory for the compiled files")->capture_default_str();
  cmd->add_flag("--no-track-plan", args.no_track_plan, "Skip curves and do not write <route>_linea.dat");
  cmd->add_flag("--write-on-error", args.write_on_error,
                "Write the compiled files from whatever the model holds, even after a compile error");
  cmd->callback([&] { esito = esegui_compile(args); });
  return cmd;
}

int esegui_compile(const ArgomentiCompilazione& args) {
  if (!nome_valido(args.route) || !nome_valido(args.train)) {
    std::cerr << "scenc: route and train names must not contain '/'\n";
    return kUso;
  }
  scen::OpzioniPercorso opzioni;
  opzioni.j = args.no_track_plan ? 0 : 1;
  opzioni.sorgenti.linea = args.line_file.empty() ? args.route + "_linea.txt" : args.line_file;
  opzioni.sorgenti.treno =
      args.train_file.empty() ? args.route + "_" + args.train + "-.txt" : args.train_file;
  opzioni.sorgenti.elimina_sorgenti = false;
  opzioni.cartella_uscita = args.out;
  opzioni.scrivi_con_errori = args.write_on_error;

  scen::Modello m;
  m.nome_percorso = args.route;
  m.nome_treno = args.train;
  scen::EsitoPercorso esito;
  try {
    esito = scen::memorizza_percorso(m, opzioni);
  } catch (const scen::ErroreFile& e) {
    std::cerr << "scenc: cannot write " << e.file().string() << ": " << e.motivo() << "\n";
    return kErroreFile;
  }

  const int32_t numero = esito.errore_da_riportare(args.write_on_error);
  if (numero != 0) {
    const bool del_compilatore = numero == esito.compilazione.codice;
    riporta(numero, del_compilatore ? &esito.compilazione : nullptr, opzioni.sorgenti);
  }
  if (!esito.griglia && numero != 0)
    std::cerr << "scenc: no grid was sized; no compiled file written\n";
  else if (esito.scritti.empty() && numero != 0)
    std::cerr << "scenc: no compiled file written\n";
  for (const auto& f : esito.scritti) std::cout << "wrote " << f.string() << "\n";
  return numero == 0 ? kOk : kErroreRegistrato;
}

}  // namespace scenc
