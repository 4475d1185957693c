#include "compiler/check_codes.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "model/model.h"

namespace scen {
namespace {

struct Codici {
  int32_t og;
  int32_t st;
  bool operator==(const Codici&) const = default;
};

void PrintTo(const Codici& c, std::ostream* os) { *os << "og " << c.og << ", st " << c.st; }

Codici codici(const std::string& treno, const std::string& percorso) {
  Modello m;
  m.dati_sim[86].testo = treno;
  m.dati_sim[85].testo = percorso;
  return {codice_gara_og(m), codice_gara_st(m)};
}

// The sums written out over a 25-character key.
Codici somme(const std::string& chiave) {
  EXPECT_EQ(chiave.size(), 25u);
  Codici c{0, 0};
  for (size_t i = 0; i < chiave.size(); ++i) {
    const int codice = static_cast<unsigned char>(chiave[i]);
    c.og += codice;
    c.st += static_cast<int32_t>(i + 1) * codice;
  }
  return c;
}

TEST(CheckCodes, ShortNamesAreFilledFromTheFillText) {
  // Train "ab", route "c": a, b, c and the first 22 fill letters.
  EXPECT_EQ(codici("ab", "c"), somme("abcppqqrrssttuuvvwwxxyyzz"));
  EXPECT_EQ(codici("ab", "c"), (Codici{2868, 38353}));
  // Both names empty: the first 25 fill letters.
  EXPECT_EQ(codici("", ""), somme("ppqqrrssttuuvvwwxxyyzzkkj"));
  // Only the first 25 characters of the names count.
  EXPECT_EQ(codici("abcdefghijklm", "nopqrstuvwxyzXYZ"), somme("abcdefghijklmnopqrstuvwxy"));
}

TEST(CheckCodes, ScenarioNames) {
  // i r 2 0 5 8 8 v a l c e r r a _ m o s i n a, then the fill letters p p q.
  const int valori[25] = {105, 114, 50, 48, 53, 56,  56,  118, 97,  108, 99,  101, 114,
                          114, 97,  95, 109, 111, 115, 105, 110, 97, 112, 112, 113};
  int32_t og = 0;
  int32_t st = 0;
  for (int i = 0; i < 25; ++i) {
    og += valori[i];
    st += (i + 1) * valori[i];
  }
  ASSERT_EQ(og, 2409);
  ASSERT_EQ(st, 33588);
  EXPECT_EQ(codici("IR20588", "Valcerra_Mosina"), (Codici{og, st}));
}

TEST(CheckCodes, LetterCaseDoesNotCount) {
  EXPECT_EQ(codici("AB", "C"), codici("ab", "c"));
  EXPECT_EQ(codici("ir20588", "VALCERRA_MOSINA"), codici("IR20588", "Valcerra_Mosina"));
}

TEST(CheckCodes, SwappingTheNamesKeepsTheSumButNotTheWeightedSum) {
  const Codici avanti = codici("ab", "c");
  const Codici scambiati = codici("c", "ab");
  EXPECT_EQ(scambiati.og, avanti.og);
  EXPECT_NE(scambiati.st, avanti.st);
  EXPECT_EQ(scambiati, somme("cabppqqrrssttuuvvwwxxyyzz"));
}

TEST(CheckCodes, WeightedSumNeedsThirtyTwoBits) {
  EXPECT_GT(codici("IR20588", "Valcerra_Mosina").st, 32767);
  EXPECT_EQ(codici(std::string(25, 'z'), ""), (Codici{25 * 122, 325 * 122}));
  // The largest byte values give the largest codes.
  EXPECT_EQ(codici(std::string(20, '\xff'), std::string(5, '\xff')), (Codici{6375, 82875}));
}

}  // namespace
}  // namespace scen
