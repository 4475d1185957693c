#include "tools/cli/completion_table.h"

#include "tools/cli/help_command.h"

namespace scenc {

namespace {

// "TEXT:{text,json}" -> text, json; empty without a set.
std::vector<std::string> scelte_di(const std::string& tipo) {
  std::vector<std::string> scelte;
  const size_t da = tipo.find(":{");
  const size_t a = tipo.find('}', da);
  if (da == std::string::npos || a == std::string::npos) return scelte;
  const std::string elenco = tipo.substr(da + 2, a - da - 2);
  for (size_t i = 0; i <= elenco.size();) {
    size_t virgola = elenco.find(',', i);
    if (virgola == std::string::npos) virgola = elenco.size();
    if (virgola > i) scelte.push_back(elenco.substr(i, virgola - i));
    i = virgola + 1;
  }
  return scelte;
}

void classifica(const CLI::Option& o, const std::vector<std::string>& subcommand, Parola& parola,
                std::vector<std::string>& scelte) {
  if (o.get_expected_max() == 0) {  // a flag
    parola = Parola::nessuna;
    return;
  }
  const std::string tipo = o.get_type_name();
  scelte = scelte_di(tipo);
  if (!scelte.empty())
    parola = Parola::scelta;
  else if (tipo == "SUBCOMMAND")
    parola = Parola::scelta, scelte = subcommand;
  else if (tipo.starts_with("FILE"))
    parola = Parola::file;
  else if (tipo.starts_with("DIR"))
    parola = Parola::cartella;
  else
    parola = Parola::testo;
}

std::vector<OpzioneCompletata> opzioni_di(const CLI::App& app, const std::vector<std::string>& subcommand) {
  std::vector<OpzioneCompletata> opzioni;
  for (const CLI::Option* o : app.get_options([](const CLI::Option* o) { return o->nonpositional(); })) {
    OpzioneCompletata c;
    for (const std::string& s : o->get_snames()) c.nomi.push_back("-" + s);
    for (const std::string& l : o->get_lnames()) c.nomi.push_back("--" + l);
    c.descrizione = o->get_description();
    classifica(*o, subcommand, c.valore, c.scelte);
    opzioni.push_back(std::move(c));
  }
  return opzioni;
}

}  // namespace

TabellaCompletamento tabella_completamento(const CLI::App& app) {
  TabellaCompletamento t;
  t.programma = app.get_name();
  std::vector<std::string> nomi;
  for (const CLI::App* s : subcommand_visibili(app)) nomi.push_back(s->get_name());
  t.globali = opzioni_di(app, nomi);
  for (const CLI::App* s : subcommand_visibili(app)) {
    ComandoCompletato c;
    c.nome = s->get_name();
    c.descrizione = s->get_description();
    c.opzioni = opzioni_di(*s, nomi);
    for (const CLI::Option* o : s->get_options([](const CLI::Option* o) { return !o->nonpositional(); }))
      classifica(*o, nomi, c.argomenti, c.scelte);
    t.comandi.push_back(std::move(c));
  }
  return t;
}

}  // namespace scenc
