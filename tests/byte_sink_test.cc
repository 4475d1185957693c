// The byte sink hands on exactly the bytes put into it, in order, however
// they fall across its blocks, a field longer than a block, and a block
// moved to huge pages part way through: the same bytes as a sink that
// keeps them all.
#include "util/byte_sink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace scen {
namespace {

// `campi` fields of 1, 4 and 8 bytes, the 8 through room_for/commit, then
// a run of `lunga` bytes, then `campi` fields more. `atteso`, when nonzero,
// is what the sink is told to expect after the first fields.
void riempi(ByteSink& out, size_t campi, size_t lunga, uint64_t atteso) {
  auto alcuni = [&](uint32_t seme) {
    for (uint32_t i = 0; i < campi; ++i) {
      const uint32_t v = i * 2654435761u + seme;
      if (i % 3 == 0) out.u8(static_cast<uint8_t>(v));
      if (i % 3 == 1) out.i32(static_cast<int32_t>(v));
      if (i % 3 == 2) out.commit(store_le64(out.room_for(8), uint64_t{v} << 32 | i));
    }
  };
  alcuni(1);
  if (atteso > 0) out.expect(atteso);
  out.bytes(std::string(lunga, 'L'));
  alcuni(2);
  out.flush();
}

TEST(ByteSink, DrainsTheSameBytesAcrossEveryBlock) {
  constexpr size_t kBlocco = size_t{1} << 20;
  const struct {
    const char* nome;
    size_t campi;
    size_t lunga;
    uint64_t atteso;
  } casi[] = {
      {"a few bytes", 3, 0, 0},
      {"several blocks", 600 * 1024, 0, 0},
      {"a run longer than a block", 100, kBlocco + 12345, 0},
      {"a long content expected, huge pages part way through a block", 20000, 300000, 4 * kBlocco},
      {"a short content expected", 20000, 0, 1000},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    ByteSink tutto;
    riempi(tutto, c.campi, c.lunga, c.atteso);
    std::string ricevuto;
    ByteSink out([&](std::string_view blocco) {
      EXPECT_LE(blocco.size(), std::max(kBlocco, c.lunga));
      ricevuto += blocco;
    });
    riempi(out, c.campi, c.lunga, c.atteso);
    EXPECT_EQ(ricevuto.size(), tutto.collected().size());
    EXPECT_TRUE(ricevuto == tutto.collected());
  }
}

}  // namespace
}  // namespace scen
