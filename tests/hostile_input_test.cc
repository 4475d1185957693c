// Input no author writes: files of tens of megabytes, lines and fields of
// megabytes, NUL bytes and binary junk, numbers of hundreds of digits,
// endless runs of comment fields. Each ends in a clean compile or one of
// the compile's error numbers, with memory bounded by the 1 MiB field limit
// and by the tables the line length sizes.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

#include "parse/field_reader.h"
#include "compiler/failure_sink.h"
#include "fuzz/banco_prova.h"
#include "test_support.h"

namespace scen {
namespace {

using test::linea_con;
using test::treno_con;

constexpr size_t kMiB = size_t{1} << 20;

std::string ripeti(std::string_view pezzo, size_t volte) {
  std::string s;
  s.reserve(pezzo.size() * volte);
  for (size_t i = 0; i < volte; ++i) s += pezzo;
  return s;
}

bool contiene(const std::string& testo, std::string_view parte) { return testo.find(parte) != std::string::npos; }

TEST(HostileInput, AFieldLongerThanOneMebibyteIsAReadFailure) {
  const struct {
    std::string campo;
    bool numero;
    bool letto;
  } casi[] = {
      {std::string(kMiB, 'a'), false, true},
      {std::string(kMiB + 1, 'a'), false, false},
      {std::string(kMiB + 1, '\0'), false, false},
      {std::string(kMiB, ' ') + "a", false, false},  // leading blanks count
      {std::string(kMiB - 1, '0') + "7", true, true},
      {"-" + std::string(kMiB, '0'), true, false},
  };
  for (const auto& c : casi) {
    const std::string testo = c.campo + ",fine\r\n";
    FieldReader r(testo);
    int32_t n = 0;
    std::string t;
    const bool letto = c.numero ? r.read_number(n) : r.read_text(t);
    EXPECT_EQ(letto, c.letto) << "a field of " << c.campo.size() << " bytes: " << r.failure();
    if (!letto) {
      EXPECT_EQ(r.failure(), "field longer than 1 MiB");
      continue;
    }
    if (c.numero)
      EXPECT_EQ(n, 7);
    else
      EXPECT_EQ(t.size(), kMiB);
    ASSERT_TRUE(r.read_text(t));
    EXPECT_EQ(t, "fine");
  }
}

TEST(HostileInput, LinesOfMegabytesStopAtTheFieldThatIsTooLong) {
  const std::string casi[] = {
      linea_con("cartello_indicatore, 1150, " + std::string(2 * kMiB, 'A') + "\r\n"),
      linea_con(std::string(64 * kMiB, 'x')),  // no delimiter at all
      linea_con("-" + std::string(3 * kMiB, '\0') + "\r\n"),
  };
  for (const std::string& linea : casi) {
    const auto c = test::compila(linea, treno_con(""));
    EXPECT_EQ(c.diagnostica.codice, kErroreLettura);
    EXPECT_TRUE(contiene(c.diagnostica.messaggio, "field longer than 1 MiB")) << c.diagnostica.messaggio;
    EXPECT_EQ(c.diagnostica.campo.linea, 11);
  }
}

TEST(HostileInput, FilesOfTensOfMegabytesCompile) {
  // Gradient lines that change nothing, and lines of comment fields.
  const auto c = test::compila(linea_con(ripeti("pendenza,   0,    1\r\n", 500'000)),
                               treno_con(ripeti("-,-,-\r\n", 1'500'000)));
  EXPECT_EQ(c.diagnostica.codice, 0) << c.diagnostica.messaggio;
  EXPECT_EQ((*c.m.celle)[0].pendenza, 101);
  EXPECT_EQ((*c.m.celle)[537].aderenza, 100);
}

TEST(HostileInput, ARepeatedLineLengthSizesTheTablesOnce) {
  // Sizing the tables at every line would zero a plan of a million rows
  // 100 000 times.
  const std::string linea = "[generale]\r\n" +
                            ripeti("lunghezza percorso, 1000000\r\nlunghezza percorso, -6900\r\n", 100'000) +
                            "[dati]\r\n[fine]\r\n";
  const auto c = test::compila(linea, treno_con(""));
  EXPECT_EQ(c.diagnostica.codice, 0) << c.diagnostica.messaggio;
  EXPECT_EQ(c.m.celle->size(), 3u);
  EXPECT_EQ(c.m.tabella_linea->righe(), 101u);
}

TEST(HostileInput, NumbersOfHundredsOfDigits) {
  const struct {
    std::string numero;
    int32_t codice;
  } casi[] = {
      {std::string(500, '0') + "20000", 0},
      {"+" + std::string(500, '0') + "20000", 0},
      {std::string(300, '9'), kErroreLettura},
      {"-" + std::string(300, '9'), kErroreLettura},
      {"1" + std::string(400, '0'), kErroreLettura},
  };
  for (const auto& c : casi) {
    std::string linea = linea_con("");
    linea.replace(linea.find("20000"), 5, c.numero);
    const auto esito = test::compila(linea, treno_con(""));
    EXPECT_EQ(esito.diagnostica.codice, c.codice) << c.numero.substr(0, 8) << ": " << esito.diagnostica.messaggio;
    if (c.codice == 0) {
      EXPECT_EQ(esito.m.ultima_cella, 540);
    }
  }
}

TEST(HostileInput, EndlessCommentFields) {
  const std::string commenti = ripeti("-,", 1'000'000) + "-\r\n";
  struct {
    std::string linea, treno;
    int32_t codice;
  } casi[] = {
      // Ten are skipped, the eleventh is tested as a keyword, and so on to
      // the end; the grid was never sized.
      {"[generale]\r\n" + commenti + "[fine]\r\n", treno_con(""), kErroreLettura},
      {linea_con(commenti), treno_con(commenti), 0},
  };
  for (const auto& c : casi) EXPECT_EQ(test::compila(c.linea, c.treno).diagnostica.codice, c.codice);
}

TEST(HostileInput, NulBytesAndBinaryJunk) {
  // Random bytes, alone and after a good general section, with keywords
  // and line ends strewn in: each run ends in an error number or a clean
  // compile, with tables of the sizes the line length gave them.
  std::mt19937 caso(20240611);
  auto spazzatura = [&](size_t n) {
    static constexpr std::string_view kParole[] = {"pendenza,", "curvas3,", "montagna,", "cartello_indicatore,",
                                                   "indicatori_vmax,", "segnale,", "stazione,", "\r\n", ",",
                                                   "velocita,", "aderenza,", "rallentamento,", "abbattimento,"};
    std::string s;
    while (s.size() < n) {
      const uint32_t x = caso();
      if (x % 8 == 0)
        s += kParole[(x >> 3) % std::size(kParole)];
      else
        s += static_cast<char>(x >> 24);
    }
    return s;
  };
  test::TempDir dir;
  prova::BancoProva banco(dir.path());
  for (int i = 0; i < 4; ++i) {
    const std::string junk = spazzatura(kMiB);
    EXPECT_EQ(banco.linea(junk), "");
    EXPECT_EQ(banco.linea(linea_con(junk)), "");
    EXPECT_EQ(banco.treno(treno_con(junk)), "");
    EXPECT_EQ(banco.compilazione(linea_con(junk) + std::string(prova::kSeparatore) + treno_con(junk)), "");
    EXPECT_EQ(banco.immagini(junk), "");
  }
}

}  // namespace
}  // namespace scen
