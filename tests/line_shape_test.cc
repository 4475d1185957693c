// A line's shape from the vocabulary: what the compile would read past, or
// hand on as keywords.
#include "parse/line_shape.h"

#include <gtest/gtest.h>

namespace scen {
namespace {

TEST(LineShape, ValuesCountedAgainstTheKeyword) {
  const struct {
    const char* riga;
    Ambito ambito;
    const char* detto;  // empty: the shape is right; null: no keyword line
  } casi[] = {
      {"segnale,    1350,   2, 4, 0,  0, 0,    2,  2,0,0, 0", Ambito::treno, ""},
      {"segnale,    1350,   2, 4, 0,  0, 0,    2,  2,0,0", Ambito::treno,
       "`segnale` takes 11 values, this line has 10: `tempo` (s) is missing"},
      {"stazione, 1000, 12, 400", Ambito::treno,
       "`stazione` takes 17 values, this line has 3: `opzione_1` and what follows are missing"},
      {"pendenza, 0, 5, 7", Ambito::dati_linea,
       "`pendenza` takes 2 values, this line has 3: one value too many, which the compile reads as keywords"},
      // An empty field is a value: the compile reads it as 0.
      {"pendenza, 0,", Ambito::dati_linea, ""},
      {"segnale;   66250,   2, 4, 1,  0, 0,    2,  2,1,0, 0", Ambito::treno,
       "`segnale` takes 11 values, this line has 10: `tempo` (s) is missing; its keyword's field reads "
       "`segnale;   66250`: a comma missing?"},
      // A keyword the line file's data sections do not know, a comment.
      {"segnale, 1, 2", Ambito::dati_linea, nullptr},
      {"-- segnale, 1", Ambito::treno, nullptr},
  };
  for (const auto& c : casi) {
    const std::optional<FormaRiga> f = forma_riga(c.riga, c.ambito);
    if (!c.detto) {
      EXPECT_FALSE(f) << c.riga;
      continue;
    }
    ASSERT_TRUE(f) << c.riga;
    EXPECT_EQ(testo_forma(*f), c.detto) << c.riga;
  }
}

TEST(LineShape, TheValueAtAColumnAndItsField) {
  const std::string riga = "orologio,  7, 99999, 0";
  const std::optional<ValoreRiga> v = valore_a(riga, Ambito::treno, 15);
  ASSERT_TRUE(v);
  EXPECT_EQ(v->parola->scritta, "orologio");
  EXPECT_EQ(v->campo->nome, "minuti");
  EXPECT_FALSE(valore_a(riga, Ambito::treno, 1));  // the keyword is no value
}

}  // namespace
}  // namespace scen
