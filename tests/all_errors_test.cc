// Every error of a broken scenario in one run: the compile's own first, then
// what the check finds going on from the line after each.
#include "run/all_errors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace scen {
namespace {

const std::string kSegnale = "segnale,   3700,   1, 4, 1,  0, 0,    0,  0,0,0, 0\r\n";
const std::string kStazione = "stazione,   1000, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, Valle\r\n";

struct Trovato {
  int32_t numero;
  std::string file;  // "L" or "T"
  int64_t riga;
  bool operator==(const Trovato&) const = default;
};

std::ostream& operator<<(std::ostream& o, const Trovato& t) {
  return o << t.numero << "@" << t.file << ":" << t.riga;
}

// The first error as the compile gives it, then the others; `troncati`
// when more were there.
std::vector<Trovato> tutti(const std::string& linea, const std::string& treno, size_t massimo, bool* troncati = nullptr) {
  test::Compilato c = test::compila(linea, treno, false);
  const Diagnostic* primo = c.diagnostiche.first_error();
  if (!primo) return {};
  SorgentiCompilazione s{"L", "T", false};
  s.testo_linea = std::make_shared<const std::string>(linea);
  s.testo_treno = std::make_shared<const std::string>(treno);
  Modello nomi;
  nomi.nome_percorso = "R";
  nomi.nome_treno = "T";
  nomi.scrivi_linea = false;
  Diagnostic d = *primo;
  d.file = c.diagnostica.file == FileSorgente::linea ? "L" : "T";
  const AltriErrori altri = altri_errori(d, nomi, s, massimo);
  if (troncati) *troncati = altri.troncati;
  std::vector<Trovato> out{{d.number, d.file, d.range.line}};
  for (const Diagnostic& e : altri.errori) out.push_back({e.number, e.file, e.range.line});
  return out;
}

TEST(AllErrors, EachMistakeOnceAtItsLineTheCompilesFirstFirst) {
  const struct {
    const char* caso;
    std::string linea, treno;
    std::vector<Trovato> attesi;
  } casi[] = {
      {"three mistakes in the train file: a station off 50 m, a signal short of a value, a value that is no number",
       test::linea_con(""),
       test::treno_con("stazione,   1010, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, Valle\r\n"
                       "segnale,   3700,   1, 4, 1,  0, 0,    0,  0,0,0\r\n" + kSegnale +
                       "segnale,   6x00,   1, 4, 1,  0, 0,    0,  0,0,0, 0\r\n"),
       {{8, "T", 7}, {25, "T", 8}, {25, "T", 10}}},
      {"a mistake in each file: the train file is checked after the line file's",
       test::linea_con("pendenza,  1000,   1x\r\npendenza,  2000,   2\r\n"),
       test::treno_con("sabbia, 40000\r\n"),
       {{25, "L", 11}, {25, "T", 7}}},
      {"a line left out does not take the next with it: the signal after the short line is read as its own",
       test::linea_con(""),
       test::treno_con("segnale,   1350,   1, 4, 1,  0, 0,    0,  0,0,0\r\n" + kSegnale + kSegnale),
       {{25, "T", 7}, {16, "T", 9}}},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.caso);
    EXPECT_EQ(tutti(c.linea, c.treno, 50), c.attesi);
  }
}

TEST(AllErrors, NoMoreThanAskedAndNoneAfterAClean) {
  const std::string treno = test::treno_con("sabbia, 40000\r\nsabbia, 40001\r\nsabbia, 40002\r\n");
  bool troncati = false;
  EXPECT_EQ(tutti(test::linea_con(""), treno, 2, &troncati), (std::vector<Trovato>{{25, "T", 7}, {25, "T", 8}}));
  EXPECT_TRUE(troncati);
  EXPECT_EQ(tutti(test::linea_con(""), treno, 0, &troncati).size(), 3u);
  EXPECT_FALSE(troncati);
  EXPECT_EQ(tutti(test::linea_con(""), treno, 1, &troncati).size(), 1u);
  EXPECT_TRUE(tutti(test::linea_con(""), test::treno_con(kSegnale + kStazione), 50).empty());
}

}  // namespace
}  // namespace scen
