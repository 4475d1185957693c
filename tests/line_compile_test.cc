// The line-file half of the compile: general section, data sections,
// closing steps and their error numbers.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

#include "test_support.h"

namespace scen {
namespace {

using test::compila;
using test::linea_con;
using test::treno_con;

const std::string kTreno = treno_con("");

struct CasoErrore {
  const char* nome;
  std::string linea;
  int codice;
  int64_t riga;  // line of the diagnostic; 0: not checked
  std::function<void(const test::Compilato&)> verifica = nullptr;
};

TEST(LineCompile, ErrorNumbers) {
  const std::string board = "cartello_indicatore,  1150,   (A)\r\n";
  const CasoErrore casi[] = {
      {"no [generale]", "[curve]\r\ncurvas6,  350,  100\r\n[fine]\r\n", 102, 0},
      {"[generale] is the last field", "x\r\n[generale]\r\n", 102, 2},
      {"length above 1000000", "[generale]\r\nlunghezza percorso, 1000001\r\n[fine]\r\n", 1, 2,
       [](const test::Compilato& c) {
         EXPECT_EQ(c.m.dati_sim[84].fine, 1000001);
         EXPECT_FALSE(c.m.celle);
       }},
      {"repetition start", "[generale]\r\nripetizione segnali 4 codici, 25, 100\r\n[fine]\r\n", 3, 2},
      {"repetition end", "[generale]\r\nripetizione segnali 4 codici, 50, 110\r\n[fine]\r\n", 4, 2},
      {"repetition codes", "[generale]\r\nripetizione segnali codici, 50, 100\r\n[fine]\r\n", 5, 2},
      {"board on a board", linea_con("[indicazioni]\r\n" + board + board), 6, 13,
       [](const test::Compilato& c) { EXPECT_EQ(c.m.dati_sim[79].testo, ""); }},
      {"indicator on a board",
       linea_con(board + "indicatori_vmax,  1150,  95,  100,  105,  0,  95,  100,  105,  0\r\n"), 21, 12,
       [](const test::Compilato& c) { EXPECT_EQ(c.m.celle->at(24).tipo, 14); }},
      {"curve without class", linea_con("curvas,  350,  100\r\n"), 103, 11},
      {"curve past the metre limit",
       linea_con("curvad1,  999990,  20\r\n", 1000000), 103, 11,
       [](const test::Compilato& c) { EXPECT_EQ(c.m.tabella_linea->x.tipo[1000000], TipoSlot::reale); }},
      {"no line length", "[generale]\r\n[pendenze]\r\npendenza, -200, 0\r\n[fine]\r\n", 25, 0},
      {"text in a number", linea_con("pendenza, 100, x5\r\n"), 25, 11},
      {"value too wide for an indicator", linea_con("indicatori_vmax, 700, 0,0,0, 3277, 0,0,0, 0\r\n"), 25, 0,
       [](const test::Compilato& c) { EXPECT_EQ(c.m.celle->at(15).tipo, 6); }},
      {"board text longer than its record",
       linea_con("cartello_indicatore,  1150,   " + std::string(70000, 'A') + "\r\n"), 25, 0,
       [](const test::Compilato& c) { EXPECT_EQ(c.m.celle->at(24).tipo, 14); }},
      {"curve past the plan", linea_con("curvad1,  19000,  8001\r\n"), 25, 0,
       [](const test::Compilato& c) { EXPECT_EQ(c.m.tabella_linea->y.tipo[27000], TipoSlot::reale); }},
      {"mountain past the grid", linea_con("montagna,  19000,  40000,  1\r\n"), 25, 0,
       [](const test::Compilato& c) { EXPECT_EQ(c.m.celle->at(540).montagna, 1); }},
      // "due" is placed first, into record 81; "uno" fails in its place, 82.
      {"progressive too wide once raised: the references before it placed, it and those after not",
       "[generale]\r\nlunghezza percorso, 20000\r\nprogressiva chilometrica due, 5, 10, 0\r\n"
       "progressiva chilometrica uno, 0, 2147483600, 1\r\n[fine]\r\n",
       25, 0,
       [](const test::Compilato& c) {
         EXPECT_EQ(c.diagnostica.messaggio, "value 2147483700 does not fit 32 bits");
         EXPECT_EQ(std::tuple(c.m.dati_sim[81].inizio, c.m.dati_sim[81].fine, c.m.dati_sim[82].inizio,
                              c.m.dati_sim[82].fine, c.m.dati_sim[83].fine),
                   std::tuple(5, 10, 5, 10, 2147483600));
         EXPECT_TRUE(c.m.celle);
       }},
      {"length leaves no grid", "[generale]\r\nlunghezza percorso, -6975\r\n[fine]\r\n", 25, 0,
       [](const test::Compilato& c) { EXPECT_FALSE(c.m.celle); }},
  };
  for (const CasoErrore& caso : casi) {
    SCOPED_TRACE(caso.nome);
    const auto c = compila(caso.linea, kTreno);
    EXPECT_EQ(c.diagnostica.codice, caso.codice);
    EXPECT_EQ(c.diagnostica.file, FileSorgente::linea);
    if (caso.riga) {
      EXPECT_EQ(c.diagnostica.campo.linea, caso.riga);
    }
    if (caso.verifica) caso.verifica(c);
  }
}

TEST(LineCompile, MissingLineFileIs101AndDeletesNothing) {
  test::TempDir dir;
  SorgentiCompilazione s{dir / "R_linea.txt", dir / "R_T-.txt", true};
  test::scrivi(s.treno, kTreno);
  Modello m;
  EXPECT_EQ(memorizza_dati(m, s).codice, 101);
  EXPECT_TRUE(std::filesystem::exists(s.treno));
}

TEST(LineCompile, SourcesAreDeletedOnlyWhenAsked) {
  const auto pulito = compila(linea_con(""), kTreno, 1, /*elimina=*/true);
  EXPECT_EQ(pulito.diagnostica.codice, 0);
  EXPECT_FALSE(pulito.linea_esiste);
  EXPECT_FALSE(pulito.treno_esiste);

  // An error that ends the compile in the line half leaves the train file.
  const auto fermo = compila("[generale]\r\nlunghezza percorso, 1000001\r\n[fine]\r\n", kTreno, 1, true);
  EXPECT_FALSE(fermo.linea_esiste);
  EXPECT_TRUE(fermo.treno_esiste);

  // A read failure deletes both.
  const auto letto = compila(linea_con("pendenza, x\r\n"), kTreno, 1, true);
  EXPECT_EQ(letto.diagnostica.codice, 25);
  EXPECT_FALSE(letto.linea_esiste);
  EXPECT_FALSE(letto.treno_esiste);

  // Files that are not to be deleted are read and left.
  test::TempDir dir;
  SorgentiCompilazione s{dir / "R_linea.txt", dir / "R_T-.txt", false};
  test::scrivi(s.linea, linea_con(""));
  test::scrivi(s.treno, kTreno);
  Modello m;
  m.scrivi_linea = true;
  EXPECT_EQ(memorizza_dati(m, s).codice, 0);
  EXPECT_TRUE(std::filesystem::exists(s.linea));
  EXPECT_TRUE(std::filesystem::exists(s.treno));
}

TEST(LineCompile, GridAndPlanSizes) {
  const auto c = compila(linea_con("", 155000), kTreno);
  EXPECT_EQ(c.m.lunghezza_totale, 162000);
  EXPECT_EQ(c.m.ultima_cella, 3240);
  ASSERT_EQ(c.m.celle->size(), 3241u);
  ASSERT_EQ(c.m.tabella_linea->righe(), 162001u);
  EXPECT_EQ(c.m.tabella_linea->x.tipo[161998], TipoSlot::reale);
  EXPECT_EQ(c.m.tabella_linea->x.tipo[161999], TipoSlot::vuoto);
  EXPECT_EQ(c.m.dati_sim[84].fine, 155000);

  // Halves round to even: 162025 / 50 = 3240.5 -> 3240.
  EXPECT_EQ(compila(linea_con("", 155025), kTreno).m.ultima_cella, 3240);

  const auto grande = compila(linea_con("", 1000000), kTreno);
  EXPECT_EQ(grande.diagnostica.codice, 0);
  EXPECT_EQ(grande.m.celle->size(), 20141u);
  EXPECT_EQ(grande.m.tabella_linea->righe(), 1007001u);

  const auto senza_piano = compila(linea_con("curvas,  350,  100\r\n"), kTreno, 0);
  EXPECT_EQ(senza_piano.diagnostica.codice, 0);
  EXPECT_FALSE(senza_piano.m.tabella_linea);
}

TEST(LineCompile, RangeCheckOnTheFirstPosition) {
  for (auto [p, codice] : {std::pair{161900, 0}, {161901, 15}}) {
    const auto c = compila(linea_con("pendenza, " + std::to_string(p) + ", 0\r\n", 155000), kTreno);
    EXPECT_EQ(c.diagnostica.codice, codice) << p;
    // After a 15 the closing steps and the train file still run.
    EXPECT_EQ(c.m.celle->at(3237).pendenza, 100);
    EXPECT_EQ(c.m.celle->at(3237).vel_limite, 20);
  }
}

TEST(LineCompile, GeneralSectionKeywords) {
  const auto c = compila(
      "[generale]\r\n"
      "LUNGHEZZA PERCORSO, 10000\r\n"
      "Progressiva chilometrica uno, 0, 5000, 0\r\n"  // capital initial: not recognised
      "progressiva chilometrica due, 0, 7000, 0\r\n"
      "sfondo uno, 11\r\nsfondo due, 22\r\nsfondo tre, 33\r\n"
      "ripetizione segnali 9 codici, 100, 0\r\n"
      "- commento -\r\n-\r\n-\r\n-\r\n-\r\n-\r\n-\r\n-\r\n-\r\n-\r\n"  // ten comments skipped
      "sfondo uno, 44\r\n"
      "[curve]\r\n[fine]\r\n",
      kTreno);
  EXPECT_EQ(c.diagnostica.codice, 0);
  EXPECT_EQ(c.m.ultima_cella, 340);
  EXPECT_EQ(c.m.dati_sim[81].fine, 7000);  // "due" alone goes first
  EXPECT_EQ(c.m.dati_sim[82].fine, 0);
  EXPECT_EQ(c.m.dati_sim[83].fine, 0);
  EXPECT_EQ(c.m.dati_sim[85].inizio, 44);
  EXPECT_EQ(c.m.dati_sim[85].posizione, 22);
  EXPECT_EQ(c.m.dati_sim[85].fine, 33);
  EXPECT_EQ(c.m.dati_sim[86].inizio, 100);
  EXPECT_EQ(c.m.dati_sim[86].posizione, 0);  // an end of 0: no repetition
  EXPECT_EQ(c.m.dati_sim[85].testo, "R");
  EXPECT_EQ(c.m.dati_sim[86].testo, "T");
}

// Record 86 holds the number of codes of the signal repetition, 0 when the
// repetition ends at 0.
TEST(LineCompile, SignalRepetitionCodes) {
  const struct {
    const char* riga;
    int32_t inizio, fine, posizione;
  } casi[] = {
      {"ripetizione segnali 9 codici, 100, 19000", 100, 19000, 9},
      {"ripetizione segnali 9 codici, 100, 0", 100, 0, 0},
      {"ripetizione segnali 4 codici, 0, 19000", 0, 19000, 4},
      {"ripetizione segnali 4 codici, 0, 0", 0, 0, 0},
  };
  for (const auto& caso : casi) {
    SCOPED_TRACE(caso.riga);
    const auto c = compila(std::string("[generale]\r\nlunghezza percorso, 20000\r\n") + caso.riga +
                               "\r\n[fine]\r\n",
                           kTreno);
    ASSERT_EQ(c.diagnostica.codice, 0);
    EXPECT_EQ(c.m.dati_sim[86].inizio, caso.inizio);
    EXPECT_EQ(c.m.dati_sim[86].fine, caso.fine);
    EXPECT_EQ(c.m.dati_sim[86].posizione, caso.posizione);
  }
}

TEST(LineCompile, ProgressiveOrdering) {
  auto progressive = [](const std::string& uno, const std::string& due, const std::string& tre) {
    const auto c = compila("[generale]\r\nlunghezza percorso, 10000\r\n"
                           "progressiva chilometrica uno, " + uno + "\r\n"
                           "progressiva chilometrica due, " + due + "\r\n"
                           "progressiva chilometrica tre, " + tre + "\r\n[fine]\r\n",
                           kTreno);
    std::string s;
    for (int i = 81; i <= 83; ++i)
      s += std::to_string(c.m.dati_sim[i].inizio) + "/" + std::to_string(c.m.dati_sim[i].fine) + "/" +
           std::to_string(c.m.dati_sim[i].posizione) + " ";
    return s;
  };
  EXPECT_EQ(progressive("0, 150300, 1", "0, 0, 0", "0, 0, 0"), "0/150400/1 0/0/0 0/0/0 ");
  EXPECT_EQ(progressive("100, 1000, 0", "5000, 2000, 1", "3000, 3000, 0"),
            "5000/2100/1 3000/3000/0 100/1000/0 ");
  EXPECT_EQ(progressive("0, 1000, 0", "5000, 2000, 0", "5000, 3000, 0"), "0/0/0 0/0/0 0/0/0 ");
  EXPECT_EQ(progressive("0, 1000, 0", "0, 2000, 0", "0, 3000, 0"), "0/1000/0 0/2000/0 0/3000/0 ");
}

TEST(LineCompile, Gradients) {
  const auto c = compila(linea_con("[pendenze]\r\n"
                                   "pendenza,   0,    0\r\n"
                                   "pendenza,  16600,   -4\r\n"
                                   "PENDENZA,  21400,   0\r\n"
                                   "xpendenzax,  22000,   2\r\n"
                                   "pendenza,  22010,   5\r\n",
                                   155000),
                         kTreno);
  ASSERT_EQ(c.diagnostica.codice, 0);
  const auto& celle = *c.m.celle;
  EXPECT_EQ(celle[0].pendenza, 100);
  EXPECT_EQ(celle[331].pendenza, 100);
  EXPECT_EQ(celle[332].pendenza, 96);
  EXPECT_EQ(celle[427].pendenza, 96);
  EXPECT_EQ(celle[428].pendenza, 100);
  // A second change within the same cell takes effect one cell later.
  EXPECT_EQ(celle[439].pendenza, 100);
  EXPECT_EQ(celle[440].pendenza, 102);
  EXPECT_EQ(celle[441].pendenza, 105);
  EXPECT_EQ(celle[3237].pendenza, 105);
  EXPECT_EQ(celle[3238].pendenza, 0);
}

TEST(LineCompile, BoardsTakeRecordsFrom80Down) {
  std::string dati = "[montagne]\r\nmontagna, 500, 1000, 11\r\n[indicazioni]\r\n";
  dati += "cartello_indicatore,  450,   (FINE ZONA   )(CADUTA MASSI)\r\n";
  dati += "- commento\r\nCARTELLO_INDICATORE,  500,   (B)\r\n";  // on the mountain mark of cell 11
  for (int i = 0; i < 45; ++i) dati += "cartello_indicatore, " + std::to_string(2000 + 100 * i) + ", (C)\r\n";
  const auto c = compila(linea_con(dati), kTreno);
  ASSERT_EQ(c.diagnostica.codice, 0);
  EXPECT_EQ(c.m.celle->at(10).tipo, 14);
  EXPECT_EQ(c.m.celle->at(10).valore_1, 80);
  EXPECT_EQ(c.m.dati_sim[80].testo, "(FINE ZONA   )(CADUTA MASSI)");
  EXPECT_EQ(c.m.celle->at(11).tipo, 14);
  EXPECT_EQ(c.m.dati_sim[79].testo, "(B)");
  EXPECT_EQ(c.m.dati_sim[34].testo, "(C)");
  EXPECT_EQ(c.m.dati_sim[33].testo, "");
}

TEST(LineCompile, CommentsAndTheLastField) {
  // Two comment fields are skipped in the data sections; a third is tested.
  const auto c = compila(linea_con("-a\r\n-b\r\n-pendenza, 300, 1\r\n"), kTreno);
  EXPECT_EQ(c.diagnostica.codice, 0);
  EXPECT_EQ(c.m.celle->at(5).pendenza, 100);
  EXPECT_EQ(c.m.celle->at(6).pendenza, 101);
  // The line ending "[fine]" and a bare keyword on the last line are never interpreted.
  const auto ultimo = compila(linea_con("") + "pendenza", kTreno);
  EXPECT_EQ(ultimo.diagnostica.codice, 0);
  // A data line on the last line is compiled: its values follow the keyword.
  const auto dati = compila(linea_con("").substr(0, linea_con("").size() - 8) + "pendenza, 200, 3", kTreno);
  EXPECT_EQ(dati.diagnostica.codice, 0);
  EXPECT_EQ(dati.m.celle->at(4).pendenza, 103);
}

}  // namespace
}  // namespace scen
