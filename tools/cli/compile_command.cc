#include "tools/cli/compile_command.h"

#include <algorithm>
#include <iostream>
#include <optional>
#include <tuple>
#include <utility>

#include "parse/source_text.h"
#include "run/all_errors.h"
#include "run/compile_and_write.h"
#include "run/output_names.h"
#include "platform/path_text.h"
#include "platform/signal_cleanup.h"
#include "util/temporary_files.h"
#include "writer/compiled_writer.h"
#include "run/run_diagnostics.h"
#include "tools/cli/diagnostic_printer.h"
#include "tools/cli/exit_status.h"
#include "tools/cli/json_diagnostics.h"
#include "tools/cli/output_directory.h"
#include "tools/cli/source_excerpt.h"
#include "tools/lint/scenario_check.h"
#include "util/standard_input.h"

namespace scenc {

namespace {

// How the diagnostics name a source read from standard input.
constexpr char kNomeIngresso[] = "<stdin>";

}  // namespace

bool nomi_validi(const std::string& route, const std::string& train) {
  for (const auto& [nome, cosa] : {std::pair{&route, "route"}, {&train, "train"}})
    if (const auto perche = scen::nome_non_valido(*nome, cosa)) {
      std::cerr << "scenc: " << *perche << "\n";
      return false;
    }
  return true;
}

CLI::Option* aggiungi_codifica_ingresso(CLI::App* cmd, std::string& codifica) {
  return cmd
      ->add_option("--input-encoding", codifica,
                   "Encoding of station names and board texts in the sources: cp1252 (as stored) or utf-8")
      ->check(CLI::IsMember({"cp1252", "utf-8"}))
      ->capture_default_str();
}

CLI::App* aggiungi_compile(CLI::App& app, ArgomentiCompilazione& args, int& esito, bool scrivi) {
  CLI::App* cmd = scrivi ? app.add_subcommand("compile", "Compile a line file and a train file into the three compiled files")
                         : app.add_subcommand("check", "Compile a line file and a train file and report, writing nothing");
  args.scrivi = scrivi;
  cmd->add_option("--route", args.route, "Route name (file names, record 85, check codes)")->required();
  cmd->add_option("--train", args.train, "Train name (file names, record 86, check codes)")->required();
  cmd->add_option("--line", args.line_file, "Line source file (default <route>_linea.txt); - for standard input")
      ->type_name("FILE");
  cmd->add_option("--train-file", args.train_file,
                  "Train source file (default <route>_<train>-.txt); - for standard input")
      ->type_name("FILE");
  if (scrivi)
    cmd->add_option("--out", args.out, "Directory for the compiled files (made if missing)")
        ->type_name("DIR")
        ->capture_default_str();
  cmd->add_flag("--no-track-plan", args.no_track_plan, "Skip curves and do not write <route>_linea.dat");
  if (scrivi)
    cmd->add_flag("--write-on-error", args.write_on_error,
                  "Write the compiled files from whatever the model holds, even after a compile error");
  aggiungi_codifica_ingresso(cmd, args.input_encoding);
  cmd->add_option("--max-errors", args.max_errors,
                  "Report at most N errors: after one, the check goes on from the next line (0: no limit)")
      ->capture_default_str();
  cmd->add_option("--diagnostics-format", args.diagnostics_format,
                  "How diagnostics are told: text (on standard error) or json (one array on standard output)")
      ->check(CLI::IsMember({"text", "json"}))
      ->capture_default_str();
  cmd->add_flag("--strict", args.strict,
                "Treat every warning as an error: exit status 1" +
                    std::string(scrivi ? ", and no compiled file written" : "") +
                    "; each warning's own option still silences it");
  for (Avviso a : kTuttiAvvisi) {
    const std::string flag = std::string("--") + flag_avviso(a);
    cmd->add_flag_callback(flag, [&args, a] { args.silenziati[a] = true; }, std::string(scen::avviso(a).aiuto));
  }
  cmd->callback([&] { esito = esegui_compile(args); });
  return cmd;
}

int esegui_compile(const ArgomentiCompilazione& args) {
  if (!nomi_validi(args.route, args.train)) return kUso;
  if (args.line_file == "-" && args.train_file == "-") {
    std::cerr << "scenc: --line and --train-file cannot both be - (standard input)\n";
    return kUso;
  }
  // Ended by a signal, the run leaves none of its temporaries behind.
  scen::TemporaryFiles temporanei;
  const scen::SignalCleanup pulizia([&temporanei] { temporanei.remove_all_before_exit(); });
  scen::OpzioniPercorso opzioni;
  opzioni.temporanei = &temporanei;
  opzioni.scrivi_linea = !args.no_track_plan;
  opzioni.sorgenti.linea = scen::path_from_utf8(args.line_file.empty() ? args.route + "_linea.txt" : args.line_file);
  opzioni.sorgenti.treno =
      scen::path_from_utf8(args.train_file.empty() ? args.route + "_" + args.train + "-.txt" : args.train_file);
  opzioni.sorgenti.elimina_sorgenti = false;
  opzioni.sorgenti.testi_utf8 = args.input_encoding == "utf-8";
  opzioni.cartella_uscita = scen::path_from_utf8(args.out);
  opzioni.scrivi_con_errori = args.write_on_error;
  opzioni.scrivi = args.scrivi;
  opzioni.in_attesa = [&args] {
    std::cerr << "scenc: another run is writing into " << args.out << "; waiting for it to finish\n";
  };
  if (args.scrivi) {
    if (const int stato = prepara_cartella_uscita(args.out); stato != kOk) return stato;
    scen::Modello nomi;
    nomi.nome_percorso = args.route;
    nomi.nome_treno = args.train;
    if (const auto perche = scen::uscite_in_conflitto(scen::nomi_compilati(opzioni.cartella_uscita, nomi),
                                                      opzioni.scrivi_linea,
                                                      {opzioni.sorgenti.linea, opzioni.sorgenti.treno})) {
      std::cerr << "scenc: " << *perche << "\n";
      return kUso;
    }
  }

  // Each source is read once, here, and its text handed to the compile and
  // to the warnings alike. A file that cannot be read is left to the
  // compile, which reports it when it reaches it; it gives no warnings.
  // Standard input cannot be read again: it is read here or not at all.
  for (auto [file, testo] : {std::pair{&opzioni.sorgenti.linea, &opzioni.sorgenti.testo_linea},
                             {&opzioni.sorgenti.treno, &opzioni.sorgenti.testo_treno}}) {
    if (*file == "-") {
      std::string byte, perche;
      if (!scen::read_standard_input(scen::kLargestSource, byte, perche)) {
        std::cerr << "scenc: cannot read the " << (file == &opzioni.sorgenti.linea ? "line" : "train")
                  << " file from standard input: " << perche << "\n";
        return kErroreRegistrato;
      }
      *file = scen::path_from_utf8(kNomeIngresso);
      *testo = std::make_shared<const std::string>(std::move(byte));
      continue;
    }
    scen::SourceText letto;
    std::string errore;
    if (scen::read_source_file(*file, letto, errore)) *testo = std::make_shared<const std::string>(std::move(letto.bytes));
  }

  const bool utf8 = opzioni.sorgenti.testi_utf8;
  RichiestaControllo richiesta;
  richiesta.route = args.route;
  richiesta.train = args.train;
  richiesta.opzioni = opzioni;
  richiesta.max_errori = args.max_errors;
  richiesta.strict = args.strict;
  for (Avviso a : kTuttiAvvisi)
    if (!args.silenziati.contains(a)) richiesta.attivi.push_back(a);
  // The first hundred warnings: a file of junk would otherwise bury the
  // error under millions.
  richiesta.avvisi_tenuti = 100;
  const EsitoControllo controllo = controlla_scenario(richiesta);
  const scen::EsitoPercorso& esito = controllo.percorso;
  const EsitoLint* trovati = &controllo.avvisi;

  // The excerpts come from the texts read: the compile's, or for a file it
  // did not reach, the text read above.
  std::vector<scen::ParsedSource> non_compilati;
  for (auto [file, testo, compilato] :
       {std::tuple{&opzioni.sorgenti.linea, &opzioni.sorgenti.testo_linea, &esito.compilazione.linea},
        {&opzioni.sorgenti.treno, &opzioni.sorgenti.testo_treno, &esito.compilazione.treno}}) {
    if (*testo && !*compilato) non_compilati.emplace_back(scen::utf8_of(*file), *testo);
  }
  const RigaSorgente riga = [&esito, &non_compilati](const std::string& file, int64_t linea) {
    const auto di = [linea](const scen::ParsedSource& s) { return std::string(s.line(linea).substr(0, size_t{1} << 20)); };
    for (const auto* s : {&esito.compilazione.linea, &esito.compilazione.treno})
      if (*s && (*s)->name() == file) return di(**s);
    for (const scen::ParsedSource& s : non_compilati)
      if (s.name() == file) return di(s);
    return std::string();
  };

  // With json, the diagnostics are kept and written at the end, as one
  // array on standard output.
  const bool json = args.diagnostics_format == "json";
  std::vector<scen::Diagnostic> per_json;
  const auto mostra = [&](const scen::Diagnostic& d) {
    if (json)
      per_json.push_back(d);
    else
      stampa_diagnostica(std::cerr, d, utf8, riga);
  };
  const auto fine = [&](int stato) {
    if (json) scrivi_diagnostiche_json(std::cout, per_json, utf8);
    return stato;
  };

  for (const scen::Diagnostic& d : controllo.diagnostiche_avvisi) mostra(d);
  if (trovati->totale > controllo.diagnostiche_avvisi.size())
    std::cerr << "scenc: " << trovati->totale - controllo.diagnostiche_avvisi.size() << " more warnings not shown\n";
  if (const scen::Diagnostic* f = scen::file_non_scritto(esito.diagnostiche)) {
    scen::Diagnostic d = *f;
    d.message = "cannot write " + f->file + ": " + f->message;
    if (json)
      per_json.push_back(std::move(d));
    else
      std::cerr << "scenc: " << d.message << "\n";
    return fine(kErroreFile);
  }
  for (scen::Diagnostic d : esito.diagnostiche.items()) {
    if (args.strict) d.level = scen::Level::error;  // the code track's conflicts too
    mostra(d);
  }
  for (const scen::Diagnostic& d : controllo.altri.errori) mostra(d);
  if (controllo.altri.troncati)
    std::cerr << "scenc: stopped after " << args.max_errors << " errors (--max-errors " << args.max_errors
              << "; 0 for no limit)\n";

  const int32_t numero = scen::numero_da_mostrare(esito.diagnostiche);
  const bool errori_strict = args.strict && trovati->totale > 0;
  if (errori_strict)
    std::cerr << "scenc: " << trovati->totale << (trovati->totale == 1 ? " warning" : " warnings")
              << " made errors by --strict\n";
  if (args.scrivi && (numero != 0 || errori_strict) && esito.scritti.empty())
    std::cerr << "scenc: no compiled file written" << (esito.griglia ? "" : " (no grid was sized)") << "\n";
  for (const auto& f : esito.scritti) (json ? std::cerr : std::cout) << "wrote " << scen::utf8_of(f) << "\n";
  return fine(numero == 0 && !errori_strict ? kOk : kErroreRegistrato);
}

}  // namespace scenc
