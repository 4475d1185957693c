// The kilometric progressive beside a position, from the line's references.
#include "model/kilometric_progressive.h"

#include <gtest/gtest.h>

namespace scen {
namespace {

RecordSim riferimento(int32_t posizione, int32_t progressiva, int32_t flag) {
  RecordSim r;
  r.inizio = posizione;
  r.fine = progressiva;
  r.posizione = flag;
  return r;
}

TEST(KilometricProgressive, FromTheReferencesAsTheLineFileWritesThem) {
  std::array<RecordSim, kNumeroRecord> dati{};
  EXPECT_FALSE(chilometrica_da(dati).presente());
  EXPECT_EQ(testo_posizione(chilometrica_da(dati), 1350), "1350 m");
  // The embedded route: 150300 written with the flag 1, stored as 150400.
  dati[kRecordProgressivaTre] = riferimento(0, 150400, 1);
  const Chilometrica route = chilometrica_da(dati);
  const struct {
    int64_t metri;
    const char* testo;
  } casi[] = {
      {0, "0 m (km 150.300)"},
      {147150, "147150 m (km 3.150)"},      // the timetable's VERONA PORTA NUOVA
      {150300, "150300 m (km 0.000)"},
      {155000, "155000 m (km -4.700)"},     // the line's end, past kilometre 0
  };
  for (const auto& c : casi) EXPECT_EQ(testo_posizione(route, c.metri), c.testo);

  // Several references: each holds from its position to the next; before
  // the first, the count runs back from it. A flag of 0 stores it as written.
  dati[kRecordProgressivaTre] = riferimento(20000, 5000, 0);
  dati[kRecordProgressivaDue] = riferimento(10000, 60100, 1);
  const Chilometrica salto = chilometrica_da(dati);
  EXPECT_EQ(testo_km(salto.progressiva(0)), "km 70.000");
  EXPECT_EQ(testo_km(salto.progressiva(10000)), "km 60.000");
  EXPECT_EQ(testo_km(salto.progressiva(19999)), "km 50.001");
  EXPECT_EQ(testo_km(salto.progressiva(20000)), "km 5.000");
  EXPECT_EQ(testo_km(salto.progressiva(25000.4)), "km 0.000");  // not "km -0.000"
}

}  // namespace
}  // namespace scen
