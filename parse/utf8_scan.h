// Where a source's bytes hold UTF-8 and where they do not: the scan behind
// the warning about a file read as code page 1252 that looks saved as
// UTF-8, and behind the error about a byte that is not UTF-8 when the
// sources are read as UTF-8.
#pragma once

#include <cstddef>
#include <string_view>

namespace scen {

// The length (1 to 4) of the well-formed UTF-8 sequence that starts at byte
// `at`: 1 for an ASCII byte, 0 when the bytes there are not UTF-8 (a
// continuation byte on its own, a lead byte without all its continuation
// bytes, an overlong form, a surrogate, a code point past U+10FFFF).
size_t utf8_sequence_length(std::string_view text, size_t at);

// The offset of the first well-formed sequence of 2 to 4 bytes; npos when
// the text holds none (plain ASCII, or non-ASCII bytes that never form one).
size_t first_utf8_multibyte(std::string_view text);

// The offset of the first byte that starts no well-formed sequence; npos
// when the whole text is UTF-8.
size_t first_non_utf8(std::string_view text);

}  // namespace scen
