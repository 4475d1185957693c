// The format reference and the man pages against what the code knows: the
// keywords of the two source files, the error numbers, and every option that
// `scenc <subcommand> --help` lists.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "format/vocabulary.h"
#include "run/error_report.h"

namespace scen {
namespace {

std::vector<std::string> righe_file(const std::string& percorso) {
  std::ifstream f(percorso);
  EXPECT_TRUE(f) << "cannot open " << percorso;
  std::vector<std::string> righe;
  for (std::string r; std::getline(f, r);) righe.push_back(r);
  return righe;
}

std::string spazi_via(const std::string& s) {
  const size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

// The cells of a table row "| a | b |".
std::vector<std::string> celle(const std::string& riga) {
  std::vector<std::string> out;
  std::stringstream ss(riga.substr(1));
  for (std::string c; std::getline(ss, c, '|');) out.push_back(spazi_via(c));
  return out;
}

// The first column of every table whose header's first cell is `intestazione`,
// keyed by the level-2 heading the table stands under. Backticks are dropped.
std::map<std::string, std::set<std::string>> prime_colonne(const std::string& file,
                                                           const std::string& intestazione) {
  std::map<std::string, std::set<std::string>> out;
  const auto righe = righe_file(file);
  std::string titolo;
  for (size_t i = 0; i < righe.size(); ++i) {
    if (righe[i].starts_with("## ")) titolo = righe[i].substr(3);
    if (!righe[i].starts_with("|") || (i > 0 && righe[i - 1].starts_with("|"))) continue;
    if (celle(righe[i]).front() != intestazione) continue;
    for (size_t j = i + 2; j < righe.size() && righe[j].starts_with("|"); ++j) {
      std::string prima = celle(righe[j]).front();
      std::erase(prima, '`');
      out[titolo].insert(prima);
    }
  }
  return out;
}

template <class T>
std::string elenco(const std::set<T>& s) {
  std::ostringstream o;
  for (const T& v : s) o << " " << v;
  return o.str();
}

template <class T>
void stessi(const std::set<T>& documentati, const std::set<T>& noti, const std::string& cosa) {
  std::set<T> solo_doc, solo_codice;
  for (const T& v : documentati)
    if (!noti.contains(v)) solo_doc.insert(v);
  for (const T& v : noti)
    if (!documentati.contains(v)) solo_codice.insert(v);
  EXPECT_TRUE(solo_doc.empty()) << cosa << " documented but unknown to the code:" << elenco(solo_doc);
  EXPECT_TRUE(solo_codice.empty()) << cosa << " the code knows but the reference leaves out:" << elenco(solo_codice);
}

TEST(FormatReference, ListsEveryKeywordOfBothFilesAndNoOther) {
  const auto tabelle = prime_colonne(DOCS_DIR "/format.md", "keyword");
  std::set<std::string> linea, treno;
  for (const auto& [titolo, parole] : tabelle) {
    if (titolo == "The line file")
      linea.insert(parole.begin(), parole.end());
    else if (titolo == "The train file")
      treno.insert(parole.begin(), parole.end());
    else
      ADD_FAILURE() << "a keyword table under \"" << titolo << "\"";
  }
  std::set<std::string> linea_codice, treno_codice;
  for (const ParolaChiave& p : kParoleChiave)
    (p.file == FileParola::linea ? linea_codice : treno_codice).insert(std::string(p.scritta));
  stessi(linea, linea_codice, "line-file keywords");
  stessi(treno, treno_codice, "train-file keywords");
}

// The spelling the reference gives must be one the compile recognises.
TEST(FormatReference, EachKeywordAsWrittenHoldsTheWordsTheCompileLooksFor) {
  for (const ParolaChiave& p : kParoleChiave)
    for (std::string_view parola : p.cercate)
      EXPECT_NE(p.scritta.find(parola), std::string_view::npos) << p.scritta << " lacks " << parola;
}

TEST(FormatReference, ListsEveryErrorNumberAndNoOther) {
  std::set<long> documentati;
  for (const auto& [titolo, numeri] : prime_colonne(DOCS_DIR "/errors.md", "error"))
    for (const std::string& n : numeri) {
      size_t fine = 0;
      const long v = std::stol(n, &fine);
      EXPECT_EQ(fine, n.size()) << "not an error number: " << n;
      documentati.insert(v);
    }
  const std::vector<long> noti = numeri_errore();
  EXPECT_FALSE(noti.empty());
  stessi(documentati, std::set<long>(noti.begin(), noti.end()), "error numbers");
}

// Standard output of a command, which must exit 0.
std::string esegui(const std::string& comando) {
  std::FILE* p = ::popen(comando.c_str(), "r");
  if (!p) {
    ADD_FAILURE() << "cannot run " << comando;
    return {};
  }
  std::string out;
  char buf[4096];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
  const bool errore_lettura = std::ferror(p) != 0;
  const int stato = ::pclose(p);
  EXPECT_FALSE(errore_lettura) << comando;
  EXPECT_TRUE(stato != -1 && WIFEXITED(stato) && WEXITSTATUS(stato) == 0) << comando << " ended with " << stato;
  return out;
}

// The first word of each entry of a section of `--help` ("Options:", "Subcommands:").
std::vector<std::string> voci_aiuto(const std::string& aiuto, const std::string& sezione) {
  std::vector<std::string> voci;
  std::istringstream in(aiuto);
  bool dentro = false;
  for (std::string r; std::getline(in, r);) {
    if (!r.starts_with(" ")) {
      dentro = r == sezione;
      continue;
    }
    if (!dentro || r.size() < 3 || r[2] == ' ') continue;  // a wrapped description
    voci.push_back(r.substr(2, r.find(' ', 2) - 2));
  }
  return voci;
}

std::set<std::string> opzioni_aiuto(const std::string& aiuto) {
  std::set<std::string> out;
  for (const std::string& voce : voci_aiuto(aiuto, "Options:")) {
    std::stringstream ss(voce);
    for (std::string nome; std::getline(ss, nome, ',');)
      if (nome.starts_with("--")) out.insert(nome);
  }
  return out;
}

// The options named in the tags of the tagged paragraphs (.TP) of a man page,
// by section (.SH) and subsection (.SS) title.
struct PaginaMan {
  std::map<std::string, std::map<std::string, std::set<std::string>>> tag;  // section -> subsection -> options
};

std::string titolo(const std::string& riga) {
  std::string t = spazi_via(riga.substr(3));
  std::erase(t, '"');
  return t;
}

PaginaMan leggi_man(const std::string& file) {
  PaginaMan pagina;
  const std::regex opzione("--[a-z0-9][a-z0-9-]*");
  std::string sezione, sottosezione;
  const auto righe = righe_file(file);
  for (size_t i = 0; i < righe.size(); ++i) {
    const std::string& r = righe[i];
    if (r.starts_with(".SH ")) {
      sezione = titolo(r);
      sottosezione.clear();
    } else if (r.starts_with(".SS ")) {
      sottosezione = titolo(r);
    }
    auto& voci = pagina.tag[sezione][sottosezione];
    if (r != ".TP" || i + 1 >= righe.size()) continue;
    std::string etichetta = righe[i + 1];
    for (size_t p; (p = etichetta.find("\\-")) != std::string::npos;) etichetta.replace(p, 2, "-");
    for (std::sregex_iterator it(etichetta.begin(), etichetta.end(), opzione), fine; it != fine; ++it)
      voci.insert(it->str());
  }
  return pagina;
}

bool nomina(const std::string& titolo_ss, const std::string& parola) {
  std::istringstream in(titolo_ss);
  for (std::string w; in >> w;)
    if (w == parola) return true;
  return false;
}

TEST(ManPage, NamesTheSubcommandsAndTopLevelOptionsOfScencHelp) {
  const std::string aiuto = esegui("'" SCENC_PATH "' --help");
  const PaginaMan man = leggi_man(DOCS_DIR "/man/scenc.1");
  std::set<std::string> nella_pagina;
  for (const auto& [ss, voci] : man.tag.at("COMMANDS"))
    if (ss.starts_with("scenc ")) nella_pagina.insert(ss.substr(6));
  const auto sottocomandi = voci_aiuto(aiuto, "Subcommands:");
  EXPECT_FALSE(sottocomandi.empty()) << aiuto;
  stessi(nella_pagina, std::set<std::string>(sottocomandi.begin(), sottocomandi.end()), "subcommands");
  stessi(man.tag.at("OPTIONS").at(""), opzioni_aiuto(aiuto), "scenc options");
}

// Every option a subcommand's --help lists is in the man page under that
// subcommand (or a subsection naming it), and the page names no other.
TEST(ManPage, ListsEveryOptionOfEachSubcommandAndNoOther) {
  const std::string aiuto = esegui("'" SCENC_PATH "' --help");
  const PaginaMan man = leggi_man(DOCS_DIR "/man/scenc.1");
  for (const std::string& sotto : voci_aiuto(aiuto, "Subcommands:")) {
    SCOPED_TRACE(sotto);
    std::set<std::string> dall_aiuto = opzioni_aiuto(esegui("'" SCENC_PATH "' " + sotto + " --help"));
    EXPECT_TRUE(dall_aiuto.erase("--help")) << "scenc " << sotto << " --help lists no --help";
    EXPECT_FALSE(dall_aiuto.empty());
    std::set<std::string> dalla_pagina;
    for (const auto& [ss, voci] : man.tag.at("COMMANDS"))
      if (nomina(ss, sotto)) dalla_pagina.insert(voci.begin(), voci.end());
    stessi(dalla_pagina, dall_aiuto, "options of scenc " + sotto);
  }
}

TEST(ManPage, PagesFormatWithoutWarnings) {
  for (const char* pagina : {"scenc.1", "scenario.1"}) {
    const std::string avvisi =
        esegui(std::string("groff -man -ww -z -Tutf8 '" DOCS_DIR "/man/") + pagina + "' 2>&1");
    EXPECT_EQ(avvisi, "") << pagina;
  }
}

}  // namespace
}  // namespace scen
