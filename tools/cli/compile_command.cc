#include "tools/cli/compile_command.h"

#include <iostream>
#include <optional>
#include <utility>

#include "compiler/diagnostic_text.h"
#include "run/compile_and_write.h"
#include "writer/compiled_writer.h"
#include "run/error_report.h"
#include "util/file_replace.h"
#include "tools/cli/exit_status.h"
#include "tools/lint/lint_beside.h"
#include "tools/cli/source_excerpt.h"

namespace scenc {

namespace {

struct Luogo {
  std::filesystem::path file;
  scen::PosizioneCampo campo;
};

const std::filesystem::path& percorso(scen::FileSorgente f, const scen::SorgentiCompilazione& s) {
  static const std::filesystem::path kNessuno;
  return f == scen::FileSorgente::linea ? s.linea : f == scen::FileSorgente::treno ? s.treno : kNessuno;
}

// FILE:LINE:COLUMN: KIND: TEXT, then the source line and a caret.
void stampa(std::ostream& err, const Luogo& l, const char* genere, const std::string& testo, bool utf8) {
  if (!l.file.empty()) {
    err << l.file.string();
    if (l.campo.linea > 0) err << ":" << l.campo.linea << ":" << l.campo.colonna;
    err << ": ";
  } else {
    err << "scenc: ";
  }
  err << genere << ":" << testo_leggibile(testo, utf8) << "\n";
  if (!l.file.empty() && l.campo.linea > 0)
    err << estratto_con_cursore(riga_del_file(l.file, l.campo.linea), l.campo.colonna, utf8);
}

std::string con_numero(int32_t numero, const std::string& messaggio) {
  std::string testo = scen::testo_errore(numero);
  const std::string_view spiegazione = messaggio.empty() ? scen::descrizione_errore(numero) : messaggio;
  if (!spiegazione.empty()) testo += ": " + std::string(spiegazione);
  return testo;
}

Luogo luogo_della_cella(const scen::Diagnostica& d, const scen::SorgentiCompilazione& s, int64_t cella) {
  const auto o = d.origini.find(cella);
  if (o == d.origini.end()) return {};
  return {percorso(o->second.file, s), o->second.campo};
}

// 1250 and 1251: compiled data has reached a reserved slot of cell 1.
std::string slot_riservato(int32_t numero, const scen::Modello& m, const scen::Diagnostica& d) {
  const scen::Cella& c = m.celle->at(1);
  const bool marcatore = numero == scen::kErroreMarcatore;
  if (marcatore && m.dati_sim[85].parametro_1 != 0)
    return con_numero(numero, "record 85 already holds " + std::to_string(m.dati_sim[85].parametro_1) +
                                  " where the format marker 610 goes");
  if (!marcatore && m.dati_sim[85].orario != 0)
    return con_numero(numero, "record 85 already holds " + std::to_string(m.dati_sim[85].orario) +
                                  " where the check code goes");
  const int valore = marcatore ? c.valore_1 : c.valore_2;
  return con_numero(numero, std::string(marcatore ? "valore_1" : "valore_2") + " of " + scen::nome_cella(d, 1) +
                                " holds " + std::to_string(valore) + " (" + scen::occupante(m, d, 1) + "), but " +
                                (marcatore ? "the format marker 5121" : "the check code") +
                                " goes there: nothing may stand in cell 1 (from -25 to 25 m)");
}

}  // namespace

bool nome_valido(const std::string& nome) {
  return nome.find('/') == std::string::npos && nome.find('\0') == std::string::npos && nome != "." && nome != "..";
}

CLI::App* aggiungi_compile(CLI::App& app, ArgomentiCompilazione& args, int& esito, bool scrivi) {
  CLI::App* cmd = scrivi ? app.add_subcommand("compile", "Compile a line file and a train file into the three compiled files")
                         : app.add_subcommand("check", "Compile a line file and a train file and report, writing nothing");
  args.scrivi = scrivi;
  cmd->add_option("--route", args.route, "Route name (file names, record 85, check codes)")->required();
  cmd->add_option("--train", args.train, "Train name (file names, record 86, check codes)")->required();
  cmd->add_option("--line", args.line_file, "Line source file (default <route>_linea.txt)");
  cmd->add_option("--train-file", args.train_file, "Train source file (default <route>_<train>-.txt)");
  if (scrivi) cmd->add_option("--out", args.out, "Directory for the compiled files")->capture_default_str();
  cmd->add_flag("--no-track-plan", args.no_track_plan, "Skip curves and do not write <route>_linea.dat");
  if (scrivi)
    cmd->add_flag("--write-on-error", args.write_on_error,
                  "Write the compiled files from whatever the model holds, even after a compile error");
  cmd->add_option("--input-encoding", args.input_encoding,
                  "Encoding of station names and board texts in the sources: cp1252 (as stored) or utf-8")
      ->check(CLI::IsMember({"cp1252", "utf-8"}))
      ->capture_default_str();
  for (Avviso a : kTuttiAvvisi) {
    const std::string flag = std::string("--") + flag_avviso(a);
    static constexpr const char* kAiuto[] = {
        "Do not warn about profile lines out of order or not starting at 0",
        "Do not warn about signals closer than 750 m",
        "Do not warn about signal approach marks that overwrite a station's",
        "Do not warn about text boards wider than 3 groups of 12 characters",
        "Do not warn about route or train names that are not plain ASCII",
        "Do not warn about lines whose keyword the compile does not know"};
    cmd->add_flag_callback(flag, [&args, a] { args.silenziati[a] = true; }, kAiuto[static_cast<int>(a)]);
  }
  cmd->callback([&] { esito = esegui_compile(args); });
  return cmd;
}

int esegui_compile(const ArgomentiCompilazione& args) {
  if (!nome_valido(args.route) || !nome_valido(args.train)) {
    std::cerr << kNomeNonValido;
    return kUso;
  }
  scen::OpzioniPercorso opzioni;
  opzioni.j = args.no_track_plan ? 0 : 1;
  opzioni.sorgenti.linea = args.line_file.empty() ? args.route + "_linea.txt" : args.line_file;
  opzioni.sorgenti.treno = args.train_file.empty() ? args.route + "_" + args.train + "-.txt" : args.train_file;
  opzioni.sorgenti.elimina_sorgenti = false;
  opzioni.sorgenti.testi_utf8 = args.input_encoding == "utf-8";
  opzioni.cartella_uscita = args.out;
  opzioni.scrivi_con_errori = args.write_on_error;
  opzioni.scrivi = args.scrivi;

  const bool utf8 = opzioni.sorgenti.testi_utf8;
  std::vector<Avviso> attivi;
  for (Avviso a : kTuttiAvvisi)
    if (!args.silenziati.contains(a)) attivi.push_back(a);
  // The warnings are looked for while the sources compile, and told first.
  ControlloAccanto controllo({opzioni.sorgenti.linea, opzioni.sorgenti.treno, args.route, args.train}, std::move(attivi));

  scen::Modello m;
  m.nome_percorso = args.route;
  m.nome_treno = args.train;
  scen::EsitoPercorso esito;
  std::optional<scen::ErroreFile> non_scritto;
  try {
    esito = scen::memorizza_percorso(m, opzioni);
  } catch (const scen::ErroreFile& e) {
    non_scritto = e;
  }

  // The first hundred warnings: a file of junk would otherwise bury the
  // error under millions of them.
  constexpr size_t kAvvisiMostrati = 100;
  const auto avvisi = controllo.avvisi();
  for (size_t i = 0; i < avvisi.size() && i < kAvvisiMostrati; ++i) {
    const AvvisoLint& w = avvisi[i];
    stampa(std::cerr, {w.file, {w.linea, w.colonna}}, "warning", " " + w.testo + " [--" + flag_avviso(w.tipo) + "]",
           utf8);
  }
  if (avvisi.size() > kAvvisiMostrati)
    std::cerr << "scenc: " << avvisi.size() - kAvvisiMostrati << " more warnings not shown\n";
  if (non_scritto) {
    std::cerr << "scenc: cannot write " << non_scritto->file().string() << ": " << non_scritto->motivo() << "\n";
    return kErroreFile;
  }
  const scen::Diagnostica& d = esito.compilazione;
  const bool compilato = d.codice == 0 || args.write_on_error;

  if (d.codice != 0)
    stampa(std::cerr, {percorso(d.file, opzioni.sorgenti), d.campo}, "error", con_numero(d.codice, d.messaggio), utf8);
  if (compilato) {
    for (const scen::ConflittoCodici& c : esito.conflitti)
      stampa(std::cerr, luogo_della_cella(d, opzioni.sorgenti, c.cella_regola), "warning",
             con_numero(c.codice, "no room for a code cut-down point " + c.dove + "; the first cell tried is " +
                                      scen::nome_cella(d, c.cella)),
             utf8);
  }
  if (esito.errore_riservato != 0)
    stampa(std::cerr, luogo_della_cella(d, opzioni.sorgenti, 1), "error",
           slot_riservato(esito.errore_riservato, m, d), utf8);

  const int32_t numero = esito.errore_da_riportare(args.write_on_error);
  if (args.scrivi && numero != 0 && esito.scritti.empty())
    std::cerr << "scenc: no compiled file written" << (esito.griglia ? "" : " (no grid was sized)") << "\n";
  for (const auto& f : esito.scritti) std::cout << "wrote " << f.string() << "\n";
  return numero == 0 ? kOk : kErroreRegistrato;
}

}  // namespace scenc
