// Which code points of a compiled grid may be the code track's: never one
// it did add called written, and the points it could not have added called
// written.
#include "compiler/code_point_origin.h"

#include <gtest/gtest.h>

#include <vector>

#include "compiler/code_track.h"
#include "format/cell_kinds.h"
#include "model/model.h"

namespace scen {
namespace {

constexpr uint8_t kSegnale = 1, kFine = 2, kInizio = 3, kAvviso = 4, kCodice = 12, kSenzaCodice = 13;

struct Griglia {
  Modello m;
  explicit Griglia(int celle) { m.celle.emplace(static_cast<size_t>(celle)); }
  void metti(int i, uint8_t tipo, int16_t valore_1 = 0) {
    (*m.celle)[static_cast<size_t>(i)].tipo = tipo;
    (*m.celle)[static_cast<size_t>(i)].valore_1 = valore_1;
  }
};

// A slow slowdown (cells 100 to 140) with its warning point and the signals
// around it, and written points: inside a window, along the slowdown, far
// from any rule, with another code, without a code.
Griglia con_rallentamento() {
  Griglia g(400);
  g.metti(76, kAvviso, 60);
  g.metti(70, kSegnale);
  g.metti(100, kInizio, 60);
  g.metti(140, kFine, 60);
  g.metti(145, kSegnale);
  g.metti(95, kCodice, 180);    // the first cell of the nearest window
  g.metti(120, kCodice, 180);   // along the slowdown
  g.metti(300, kCodice, 180);   // out of every rule's reach
  g.metti(110, kCodice, 150);   // another code
  g.metti(130, kSenzaCodice);
  return g;
}

TEST(CodePointOrigin, EveryPointTheCodeTrackAddsMayBeItsOwn) {
  Griglia g = con_rallentamento();
  const std::vector<Cella> prima = *g.m.celle;
  ASSERT_TRUE(completa_codici(g.m).empty());
  const std::vector<Cella>& dopo = *g.m.celle;
  const OriginiCodici origini(dopo);
  int aggiunti = 0;
  for (size_t i = 0; i < dopo.size(); ++i) {
    if (prima[i].libera() && TipoCella{dopo[i].tipo} == TipoCella::abbattimento) {
      ++aggiunti;
      EXPECT_EQ(origini.origine(i), OrigineCodice::incerto) << "cell " << i;
    }
  }
  // Three windows, the signal before the warning point, five along the
  // slowdown, the signal after its end.
  EXPECT_EQ(aggiunti, 10);
}

TEST(CodePointOrigin, PointsTheCodeTrackCannotHaveAddedAreWritten) {
  Griglia g = con_rallentamento();
  ASSERT_TRUE(completa_codici(g.m).empty());
  const OriginiCodici origini(*g.m.celle);
  struct {
    size_t cella;
    OrigineCodice atteso;
  } casi[] = {
      {95, OrigineCodice::incerto},   // written, but where a window's point may stand
      {120, OrigineCodice::incerto},  // written along the slowdown
      {300, OrigineCodice::scritto},
      {110, OrigineCodice::scritto},
      {130, OrigineCodice::scritto},
  };
  for (const auto& c : casi) EXPECT_EQ(origini.origine(c.cella), c.atteso) << "cell " << c.cella;
}

TEST(CodePointOrigin, AWrittenPointAndAnAddedOneCanSwapPlaces) {
  // The window 250 to 350 m before a fast slowdown: a point written in its
  // first cell makes the code track take the second; one written in the
  // second makes it take the first. The grids are the same.
  const auto griglia = [](int scritto) {
    Griglia g(200);
    g.metti(100, kInizio, 120);
    g.metti(120, kFine, 120);
    g.metti(scritto, kCodice, 180);
    EXPECT_TRUE(completa_codici(g.m).empty());
    return *g.m.celle;
  };
  EXPECT_EQ(griglia(95), griglia(94));
  const std::vector<Cella> celle = griglia(95);
  const OriginiCodici origini(celle);
  EXPECT_EQ(origini.origine(95), OrigineCodice::incerto);
  EXPECT_EQ(origini.origine(94), OrigineCodice::incerto);
}

}  // namespace
}  // namespace scen
