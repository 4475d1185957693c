// The format reference and the man pages against what the code knows: the
// keywords of the two source files with their words, sections and values,
// the warnings, the error numbers, the cell kinds and general records of the
// compiled files, and every option that `scenc <subcommand> --help` lists.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
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

std::string senza_apici(std::string s) {
  std::erase(s, '`');
  return s;
}

// The cells of a table row "| a | b |".
std::vector<std::string> celle(const std::string& riga) {
  std::vector<std::string> out;
  std::stringstream ss(riga.substr(1));
  for (std::string c; std::getline(ss, c, '|');) out.push_back(spazi_via(c));
  return out;
}

// The spans of a line written between backticks.
std::vector<std::string> tra_apici(const std::string& riga) {
  std::vector<std::string> out;
  for (size_t a = riga.find('`'); a != std::string::npos; a = riga.find('`', a + 1)) {
    const size_t b = riga.find('`', a + 1);
    if (b == std::string::npos) break;
    out.push_back(riga.substr(a + 1, b - a - 1));
    a = b;
  }
  return out;
}

// A table of a Markdown page and the headings it stands under.
struct Tabella {
  std::string titolo;       // the level-2 heading
  std::string sottotitolo;  // the nearest heading of level 3 or 4 after it, or empty
  std::vector<std::string> intestazione;
  std::vector<std::vector<std::string>> righe;

  // The column whose header starts with `inizio`.
  std::optional<size_t> colonna(const std::string& inizio) const {
    for (size_t i = 0; i < intestazione.size(); ++i)
      if (intestazione[i].starts_with(inizio)) return i;
    return std::nullopt;
  }
};

std::vector<Tabella> tabelle(const std::string& file) {
  std::vector<Tabella> out;
  const auto righe = righe_file(file);
  std::string titolo, sottotitolo;
  for (size_t i = 0; i < righe.size(); ++i) {
    if (righe[i].starts_with("## ")) {
      titolo = righe[i].substr(3);
      sottotitolo.clear();
    } else if (righe[i].starts_with("### ") || righe[i].starts_with("#### ")) {
      sottotitolo = righe[i].substr(righe[i].find(' ') + 1);
    }
    if (!righe[i].starts_with("|") || (i > 0 && righe[i - 1].starts_with("|"))) continue;
    Tabella t{titolo, sottotitolo, celle(righe[i]), {}};
    for (size_t j = i + 2; j < righe.size() && righe[j].starts_with("|"); ++j) t.righe.push_back(celle(righe[j]));
    out.push_back(std::move(t));
  }
  return out;
}

// The lines of the first code block after the level-2 heading `titolo`.
std::vector<std::string> blocco(const std::string& file, const std::string& titolo) {
  const auto righe = righe_file(file);
  std::vector<std::string> out;
  size_t i = 0;
  while (i < righe.size() && righe[i] != "## " + titolo) ++i;
  while (i < righe.size() && righe[i] != "```") ++i;
  for (++i; i < righe.size() && righe[i] != "```"; ++i) out.push_back(righe[i]);
  EXPECT_FALSE(out.empty()) << "no example under \"" << titolo << "\" in " << file;
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

const ParolaChiave* per_scritta(const std::string& scritta) {
  for (const ParolaChiave& p : kParoleChiave)
    if (p.scritta == scritta) return &p;
  return nullptr;
}

// The keywords a field is, among those of `parole`.
std::vector<const ParolaChiave*> corrispondenti(std::string_view campo, std::span<const ParolaChiave> parole) {
  std::vector<const ParolaChiave*> out;
  for (const ParolaChiave& p : parole)
    if (corrisponde(p, campo)) out.push_back(&p);
  return out;
}

bool blank(char c) { return c == ' ' || c == '\t'; }

// Reads the values of an example line after its keyword field as the
// keyword's values: each number in range and a multiple of what it must
// be, each text present, nothing left over. Returns what went wrong, or "".
std::string leggi_valori(const ParolaChiave& p, std::string_view resto) {
  size_t i = 0;
  auto salta = [&] {
    while (i < resto.size() && blank(resto[i])) ++i;
  };
  for (const CampoParola& c : p.campi) {
    const std::string quale = "value \"" + std::string(c.nome) + "\": ";
    salta();
    if (c.larghezza == Larghezza::testo) {
      size_t fine = resto.find(',', i);
      if (fine == std::string_view::npos) fine = resto.size();
      std::string_view testo = resto.substr(i, fine - i);
      while (!testo.empty() && blank(testo.back())) testo.remove_suffix(1);
      if (testo.empty()) return quale + "no text";
      if (static_cast<int64_t>(testo.size()) > c.massimo) return quale + "text too long";
      i = fine < resto.size() ? fine + 1 : fine;
      continue;
    }
    const size_t inizio = i;
    if (i < resto.size() && (resto[i] == '-' || resto[i] == '+')) ++i;
    const size_t cifre = i;
    while (i < resto.size() && resto[i] >= '0' && resto[i] <= '9') ++i;
    if (i == cifre) return quale + "not a number at \"" + std::string(resto.substr(inizio)) + "\"";
    if (i < resto.size() && resto[i] != ',' && !blank(resto[i])) return quale + "a number followed by text";
    const int64_t v = std::stoll(std::string(resto.substr(inizio, i - inizio)));
    if (v < c.minimo || v > c.massimo) return quale + std::to_string(v) + " is out of range";
    if (c.multiplo != 0 && v % c.multiplo != 0)
      return quale + std::to_string(v) + " is not a multiple of " + std::to_string(c.multiplo);
    salta();
    if (i < resto.size() && resto[i] == ',') ++i;
  }
  salta();
  if (i != resto.size()) return "values left over: \"" + std::string(resto.substr(i)) + "\"";
  return "";
}

TEST(FormatReference, ListsEveryKeywordOfBothFilesAndNoOther) {
  std::set<std::string> linea, treno;
  for (const Tabella& t : tabelle(DOCS_DIR "/format.md")) {
    if (t.intestazione.front() != "keyword") continue;
    std::set<std::string>* parole = t.titolo == "The line file" ? &linea : t.titolo == "The train file" ? &treno : nullptr;
    if (!parole) ADD_FAILURE() << "a keyword table under \"" << t.titolo << "\"";
    for (const auto& r : t.righe)
      if (parole) parole->insert(senza_apici(r.front()));
  }
  std::set<std::string> linea_codice, treno_codice;
  for (const ParolaChiave& p : kParoleChiave)
    (p.file == FileFormato::linea ? linea_codice : treno_codice).insert(std::string(p.scritta));
  stessi(linea, linea_codice, "line-file keywords");
  stessi(treno, treno_codice, "train-file keywords");
}

// Each keyword's row: the words looked for, whether their case matters,
// the section, and every width its values are read with (a keyword whose
// values have a table of their own is checked by that table).
TEST(FormatReference, KeywordRowsGiveTheWordsSectionAndWidthsOfTheTable) {
  for (const Tabella& t : tabelle(DOCS_DIR "/format.md")) {
    if (t.intestazione.front() != "keyword") continue;
    const auto parole = t.colonna("words looked for"), valori = t.colonna("values"), sezioni = t.colonna("section");
    ASSERT_TRUE(parole && valori) << "keyword table under " << t.titolo;
    std::string valori_prima;
    for (const auto& r : t.righe) {
      const ParolaChiave* p = per_scritta(senza_apici(r.front()));
      if (!p) continue;  // told by the test above
      SCOPED_TRACE(p->scritta);
      std::set<std::string> cercate;
      for (std::string_view w : p->cercate)
        if (!w.empty()) cercate.emplace(w);
      const auto scritte = tra_apici(r[*parole]);
      stessi(std::set<std::string>(scritte.begin(), scritte.end()), cercate, "words looked for");
      const bool qualsiasi = ambito(*p) == Ambito::generale_linea && !p->minuscole;
      EXPECT_EQ(r[*parole].find("any case") != std::string::npos, qualsiasi) << r[*parole];
      if (sezioni) {
        EXPECT_EQ(r[*sezioni], "`" + std::string(sezione(p->sezione).intestazione) + "`");
      }
      const std::string testo = r[*valori] == "the same" ? valori_prima : r[*valori];
      valori_prima = testo;
      if (testo.find("below") != std::string::npos) continue;
      for (const CampoParola& c : p->campi)
        EXPECT_NE(testo.find(nome_larghezza(c.larghezza)), std::string::npos)
            << "the width " << nome_larghezza(c.larghezza) << " of value \"" << c.nome << "\" is not in: " << testo;
    }
  }
}

// The tables of one keyword's values (`stazione`, `segnale`): one row for
// each value in the order read, and its width where the table gives one.
TEST(FormatReference, ValueTablesListEveryValueInOrder) {
  std::set<std::string> con_tabella;
  for (const Tabella& t : tabelle(DOCS_DIR "/format.md")) {
    if (t.intestazione.front() != "field") continue;
    const ParolaChiave* p = nullptr;
    for (const std::string& s : tra_apici(t.sottotitolo))
      if (!p) p = per_scritta(s);
    ASSERT_NE(p, nullptr) << "a table of values under \"" << t.sottotitolo << "\" names no keyword";
    SCOPED_TRACE(p->scritta);
    con_tabella.emplace(p->scritta);
    const auto larghezza = t.colonna("width");
    size_t atteso = 1;
    for (const auto& r : t.righe) {
      std::stringstream numeri(r.front());
      for (std::string n; std::getline(numeri, n, ',');) {
        EXPECT_EQ(spazi_via(n), std::to_string(atteso)) << "row " << r.front();
        if (larghezza && atteso <= p->campi.size()) {
          EXPECT_EQ(r[*larghezza], nome_larghezza(p->campi[atteso - 1].larghezza)) << "field " << atteso;
        }
        ++atteso;
      }
    }
    EXPECT_EQ(atteso - 1, p->campi.size()) << "values in the table";
  }
  EXPECT_EQ(con_tabella, (std::set<std::string>{"stazione", "segnale"}));
}

// The example files of format.md: every header of the file in the table's
// order, every line under the header of its keyword's section, and its
// values read as the keyword's values.
TEST(FormatReference, ExampleFilesHoldEachKeywordInItsSectionWithItsValues) {
  for (const FileFormato file : {FileFormato::linea, FileFormato::treno}) {
    const std::string titolo = file == FileFormato::linea ? "The line file" : "The train file";
    SCOPED_TRACE(titolo);
    std::vector<std::string> intestazioni, attese;
    for (const DescrizioneSezione& s : kSezioni)
      if (s.file == file) attese.emplace_back(s.intestazione);
    std::optional<Sezione> dove;
    for (const std::string& riga : blocco(DOCS_DIR "/format.md", titolo)) {
      if (riga.starts_with("[")) {
        intestazioni.push_back(riga);
        dove.reset();
        for (const DescrizioneSezione& s : kSezioni)
          if (s.file == file && s.intestazione == riga && !dove) dove = s.id;
        continue;
      }
      ASSERT_TRUE(dove) << riga << " stands before any known header";
      const size_t virgola = riga.find(',');
      const auto trovate = corrispondenti(riga.substr(0, virgola), parole(sezione(*dove).ambito));
      ASSERT_EQ(trovate.size(), 1u) << riga;
      EXPECT_EQ(trovate[0]->sezione, *dove) << riga;
      EXPECT_EQ(leggi_valori(*trovate[0], virgola == std::string::npos ? "" : riga.substr(virgola + 1)), "") << riga;
    }
    EXPECT_EQ(intestazioni, attese);
  }
}

// Every example line written in the prose of format.md and compiled.md
// (a span between backticks that holds a comma, outside tables) reads as
// its keyword's values, and every keyword has one somewhere.
TEST(FormatReference, ExampleLinesReadWithTheValuesOfTheirKeyword) {
  std::set<std::string> con_esempio;
  for (const char* pagina : {DOCS_DIR "/format.md", DOCS_DIR "/compiled.md"}) {
    std::vector<std::string> esempi;
    bool in_blocco = false;
    for (const std::string& riga : righe_file(pagina)) {
      if (riga == "```") in_blocco = !in_blocco;
      if (in_blocco) {
        if (riga != "```" && !riga.starts_with("[")) esempi.push_back(riga);
        continue;
      }
      if (riga.starts_with("|")) continue;
      for (const std::string& s : tra_apici(riga))
        if (s.find(',') != std::string::npos) esempi.push_back(s);
    }
    for (const std::string& e : esempi) {
      const size_t virgola = e.find(',');
      const auto trovate = corrispondenti(e.substr(0, virgola), kParoleChiave);
      if (trovate.empty()) continue;  // not a source line
      ASSERT_EQ(trovate.size(), 1u) << pagina << ": " << e;
      con_esempio.emplace(trovate[0]->scritta);
      EXPECT_EQ(leggi_valori(*trovate[0], virgola == std::string::npos ? "" : e.substr(virgola + 1)), "")
          << pagina << ": " << e;
    }
  }
  std::set<std::string> tutte;
  for (const ParolaChiave& p : kParoleChiave) tutte.emplace(p.scritta);
  stessi(con_esempio, tutte, "keywords with an example line");
}

TEST(FormatReference, ListsEveryWarningWithItsDescription) {
  std::map<std::string, std::string> documentati;
  for (const Tabella& t : tabelle(DOCS_DIR "/format.md"))
    if (t.intestazione.front() == "flag")
      for (const auto& r : t.righe) documentati[senza_apici(r.front())] = r.at(1);
  std::map<std::string, std::string> noti;
  for (const DescrizioneAvviso& a : kAvvisi) noti["--" + std::string(a.flag)] = a.descrizione;
  EXPECT_EQ(documentati, noti);
}

TEST(ErrorReference, ListsEveryErrorNumberWithWhatIsWrongAndHowToFixIt) {
  std::set<long> documentati;
  for (const Tabella& t : tabelle(DOCS_DIR "/errors.md")) {
    if (t.intestazione.front() != "error") continue;
    ASSERT_EQ(t.intestazione.size(), 3u);
    for (const auto& r : t.righe) {
      size_t fine = 0;
      const long v = std::stol(r.front(), &fine);
      EXPECT_EQ(fine, r.front().size()) << "not an error number: " << r.front();
      documentati.insert(v);
      EXPECT_FALSE(r.at(1).empty() || r.at(2).empty()) << "error " << v;
      // The code track's conflicts are told as warnings, and the reference says so.
      if (const DescrizioneErrore* e = errore(v)) {
        EXPECT_EQ(r[2].find("warning only") != std::string::npos, e->livello == LivelloErrore::avviso)
            << "error " << v << ": " << r[2];
      }
    }
  }
  const std::vector<long> noti = numeri_errore();
  EXPECT_EQ(noti.size(), std::size(kErrori));
  stessi(documentati, std::set<long>(noti.begin(), noti.end()), "error numbers");
  for (long n : noti) EXPECT_FALSE(descrizione_errore(n).empty()) << n;
}

TEST(CompiledReference, ListsEveryCellKindAsTheTableDescribesIt) {
  std::map<int, std::string> documentati;
  for (const Tabella& t : tabelle(DOCS_DIR "/compiled.md"))
    if (t.intestazione.front() == "`tipo`")
      for (const auto& r : t.righe) documentati[std::stoi(r.front())] = r.at(1);
  std::map<int, std::string> noti;
  for (const DescrizioneCella& c : kTipiCella) noti[numero(c.id)] = c.descrizione;
  EXPECT_EQ(documentati, noti);
}

// Each record of format/records.h has its row, which names every field
// the table gives it (the text as "text" or "name").
TEST(CompiledReference, ListsEveryGeneralRecordWithItsFields) {
  std::map<size_t, std::string> righe;  // record -> the row that names it first
  for (const Tabella& t : tabelle(DOCS_DIR "/compiled.md")) {
    if (t.intestazione.front() != "record") continue;
    for (const auto& r : t.righe) {
      const std::regex numero_re("[0-9]+");
      for (std::sregex_iterator it(r.front().begin(), r.front().end(), numero_re), fine; it != fine; ++it)
        righe.emplace(std::stoul(it->str()), r.at(1));
    }
  }
  for (const RecordGenerale& g : kRecordGenerali) {
    SCOPED_TRACE(g.nome);
    auto riga = righe.find(g.primo);
    if (riga == righe.end()) riga = righe.find(g.ultimo);
    ASSERT_NE(riga, righe.end()) << "no row for record " << g.primo;
    if (g.primo != g.ultimo) continue;  // a run: its fields are those of a keyword
    for (const CampoRecord& c : g.campi) {
      if (c.campo == "testo")
        EXPECT_TRUE(riga->second.find("text") != std::string::npos || riga->second.find("name") != std::string::npos)
            << riga->second;
      else
        EXPECT_NE(riga->second.find("`" + std::string(c.campo) + "`"), std::string::npos) << riga->second;
    }
  }
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
    if (sotto != "help") {  // `help` takes a subcommand's name, no option
      EXPECT_FALSE(dall_aiuto.empty());
    }
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
