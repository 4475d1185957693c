// The five writers of the embedded scenario, and what its sources compile to.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "model/byte_images.h"
#include "run/compile_and_write.h"
#include "util/file_replace.h"
#include "util/cp1252.h"
#include "sources/embedded_scenario.h"
#include "sources/scenario_writers.h"
#include "sources/text_writer.h"
#include "test_support.h"

namespace scen {
namespace {

struct Scritti {
  test::TempDir dir;
  Destinazione d;
  Scritti() : d{dir.path().string() + "/", nomi_incorporati().percorso, nomi_incorporati().treno} {
    scrivi_sorgenti_e_documenti(d);
  }
};

size_t righe_crlf(const std::string& s) {
  size_t n = 0;
  for (size_t i = s.find("\r\n"); i != std::string::npos; i = s.find("\r\n", i + 2)) ++n;
  return n;
}

TEST(ScenarioWriters, FilesAndLineCounts) {
  Scritti s;
  EXPECT_EQ(s.d.file("_linea.txt"), s.dir.path().string() + "/Valcerra_Mosina_linea.txt");
  const struct {
    std::string file;
    size_t righe;
    const char* ultima;
  } attesi[] = {
      {s.d.file("_linea.txt"), 190, "[fine]\r\n"},
      {s.d.file_treno("-.txt"), 140, "[fine]\r\n"},
      {s.d.file_treno("_note.txt"), 53, nullptr},
      {s.d.file_treno("_rallentamenti.txt"), 4, "NESSUNA PRESCRIZIONE\r\n"},
      {s.d.file_treno("_scheda_treno.txt"), 202, "\r\n"},
  };
  for (const auto& a : attesi) {
    SCOPED_TRACE(a.file);
    const std::string testo = test::leggi(a.file);
    EXPECT_EQ(righe_crlf(testo), a.righe);
    EXPECT_EQ(std::count(testo.begin(), testo.end(), '\n'), static_cast<long>(a.righe));  // no bare LF
    EXPECT_EQ(testo.find("riferimento fine del file"), std::string::npos);
    if (a.ultima) {
      EXPECT_TRUE(testo.ends_with(a.ultima));
    }
  }
  EXPECT_EQ(test::leggi(s.d.file_treno("_rallentamenti.txt")),
            "\r\n\r\n\r\n" + std::string(18, ' ') + "NESSUNA PRESCRIZIONE\r\n");
}

TEST(ScenarioWriters, BytesOfTheWrittenLines) {
  Scritti s;
  const std::string treno = test::leggi(s.d.file_treno("-.txt"));
  EXPECT_NE(treno.find("\r\norologio,    9               56            20 \r\n"), std::string::npos);
  EXPECT_NE(treno.find("\r\nsegnale,   15500,   2, 4, 1,  0, 0,    2,  2,1,0, 0\r\n"), std::string::npos);
  EXPECT_NE(treno.find("Dolc\xe8\r\n"), std::string::npos);  // one byte, E8
  const std::string linea = test::leggi(s.d.file("_linea.txt"));
  EXPECT_TRUE(linea.starts_with("[generale]\r\nlunghezza percorso,    155000\r\n"));
  EXPECT_NE(linea.find("(FINE ZONA   )(CADUTA MASSI)\r\n"), std::string::npos);
  const std::string scheda = test::leggi(s.d.file_treno("_scheda_treno.txt"));
  EXPECT_NE(scheda.find("realt\xe0 il treno"), std::string::npos);
  EXPECT_NE(scheda.find(" |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       \r\n"),
            std::string::npos);
  const std::string note = test::leggi(s.d.file_treno("_note.txt"));
  EXPECT_TRUE(note.starts_with("AUTORE: "));
  EXPECT_EQ(note.find('\xc3'), std::string::npos);  // no UTF-8 left
}

TEST(ScenarioWriters, ASecondRunReplacesEachFileWhole) {
  Scritti s;
  const std::string file = s.d.file_treno("_rallentamenti.txt");
  test::scrivi(file, std::string(100000, 'x'));
  dati_rallentamenti(s.d);
  EXPECT_EQ(test::leggi(file).size(), 46u);
}

TEST(TextWriter, SentinelListAndCodePage) {
  test::TempDir dir;
  const std::string f = (dir / "f.txt").string();
  scrivi_elenco(f, ElencoRighe({"a  ", "Riferimento fine del file", "", "perch\xc3\xa9"}));
  EXPECT_EQ(test::leggi(f), "a  \r\nRiferimento fine del file\r\n\r\nperch\xe9\r\n");
  // A line equal to the sentinel ends the list there.
  scrivi_elenco(f, ElencoRighe({"a", "riferimento fine del file", "b"}));
  EXPECT_EQ(test::leggi(f), "a\r\n");

  EXPECT_NO_THROW(ElencoRighe(std::vector<std::string>(1000, "x")));
  EXPECT_THROW(ElencoRighe(std::vector<std::string>(1001, "x")), std::length_error);

  // A character the code page lacks fails the write; the earlier file stays.
  EXPECT_THROW(scrivi_elenco(f, ElencoRighe({"ok", "\xe2\x82\xac \xce\xa9"})), ErroreCodifica);
  EXPECT_EQ(test::leggi(f), "a\r\n");
  EXPECT_EQ(in_cp1252("\xe2\x82\xac"), "\x80");  // the euro sign is in the code page
}

TEST(ScenarioWriters, EveryTableConvertsToTheCodePage) {
  for (auto tabella : {incorporato::linea(), incorporato::treno(), incorporato::note(),
                       incorporato::rallentamenti(), incorporato::scheda_treno()})
    for (const std::string& riga : righe_di(tabella)) EXPECT_NO_THROW(in_cp1252(riga)) << riga;
}

// A table read from a checkout that turned its line ends into CR LF gives
// the same lines, so the program never writes CR CR LF.
TEST(ScenarioWriters, TablesReadTheSameWhateverTheirLineEnds) {
  for (const std::string_view tabella : {incorporato::linea(), incorporato::treno(), incorporato::scheda_treno()}) {
    std::string crlf;
    for (const char c : tabella) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(righe_di(crlf), righe_di(tabella));
  }
}

// The embedded scenario compiles clean into the figures it is known by.
TEST(EmbeddedScenario, CompilesToItsKnownFigures) {
  Scritti s;
  Modello m;
  m.nome_percorso = s.d.nome_percorso;
  m.nome_treno = s.d.nome_treno;
  OpzioniPercorso o;
  o.sorgenti = {s.d.file("_linea.txt"), s.d.file_treno("-.txt"), true};
  o.cartella_uscita = s.dir.path();
  const EsitoPercorso esito = memorizza_percorso(m, o);
  ASSERT_EQ(esito.codice_errore, 0);
  ASSERT_EQ(esito.errore_riservato, 0);
  EXPECT_FALSE(std::filesystem::exists(o.sorgenti.linea));
  EXPECT_FALSE(std::filesystem::exists(o.sorgenti.treno));

  const auto& c = *m.celle;
  ASSERT_EQ(m.ultima_cella, 3240);
  int stazioni = 0;
  for (int i = 1; i <= 80; ++i) stazioni += m.dati_sim[i].testo.empty() ? 0 : 1;
  EXPECT_EQ(std::count_if(c.begin(), c.end(), [](const Cella& x) { return x.tipo == 10; }), 26);
  EXPECT_EQ(m.dati_sim[28].testo.empty(), false);
  EXPECT_EQ(m.dati_sim[29].posizione, 0);
  EXPECT_EQ(m.dati_sim[80].testo.empty(), false);
  EXPECT_EQ(m.dati_sim[34].testo.empty(), false);
  EXPECT_EQ(m.dati_sim[33].testo, "");
  EXPECT_EQ(stazioni, 28 + 47);
  EXPECT_EQ(c[2532].tipo, 12);
  EXPECT_EQ(c[2532].valore_1, 180);
  for (int i = 0; i <= 331; ++i) ASSERT_EQ(c[i].pendenza, 100) << i;
  for (int i = 332; i <= 427; ++i) ASSERT_EQ(c[i].pendenza, 96) << i;
  for (int i = 1362; i <= 1385; ++i) EXPECT_EQ(c[i].montagna, 1);
  for (int i = 2384; i <= 2469; ++i) EXPECT_EQ(c[i].montagna, 1);
  EXPECT_EQ(c[1365].tipo, 11);
  EXPECT_EQ(c[2467].tipo, 11);
  EXPECT_EQ(c[15].tipo, 6);
  EXPECT_EQ(c[15].valore_1, 1919);
  EXPECT_EQ(c[1024].tipo, 6);
  EXPECT_EQ(c[1024].valore_4, 22);
  EXPECT_EQ(immagine_celle(c).substr(311 * 15, 10), std::string("\x01\x2a\x00\x0b\x00\x00\x00\x08\x00\x00", 10));
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(c[311 - 2 * k].preavviso, 80 + k);
  EXPECT_EQ(c[1].valore_1, 5121);
  EXPECT_EQ(m.dati_sim[85].parametro_1, 610);
  EXPECT_EQ(m.dati_sim[81].fine, 150400);
  EXPECT_EQ(std::filesystem::file_size(s.dir / "Valcerra_Mosina_IR20588.dat"), 48615u);
  EXPECT_EQ(std::filesystem::file_size(s.dir / "Valcerra_Mosina_linea.dat"), 3239964u);
}

}  // namespace
}  // namespace scen
