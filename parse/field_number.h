// The number a single field's text holds, for tools that look at a field
// on its own rather than read the source as a stream (parse/field_reader.h
// reads the stream as the compile does, where an empty field reads 0 and a
// blank ends a number that the next field follows).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace scen {

// The text read as strtoll reads it in base 10 (white space before the
// number skipped, a value beyond 64 bits saturated, a NUL byte ending the
// text), when nothing or a space follows the number: "1360", "-20", "+5"
// and "12 x" hold numbers; "", "x", "12x" and "12\tx" do not.
std::optional<int64_t> field_number(std::string_view text);

}  // namespace scen
