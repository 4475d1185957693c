#include "parse/field_number.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

namespace scen {
namespace {

TEST(FieldNumber, DigitsAfterASignWithNothingButASpaceAfterThem) {
  const struct {
    std::string testo;
    std::optional<int64_t> numero;
  } casi[] = {
      {"1360", 1360},
      {"007", 7},
      {"-20", -20},
      {"+5", 5},
      {"12 x", 12},
      {"99999999999999999999", std::numeric_limits<int64_t>::max()},
      {"-99999999999999999999", std::numeric_limits<int64_t>::min()},
      {"", std::nullopt},
      {"x", std::nullopt},
      {"-", std::nullopt},
      {"12x", std::nullopt},
      {"12\tx", std::nullopt},
      {"1.5", std::nullopt},
      {std::string("12\0x", 4), 12},  // a NUL ends the text
  };
  for (const auto& c : casi) EXPECT_EQ(field_number(c.testo), c.numero) << c.testo;
}

}  // namespace
}  // namespace scen
