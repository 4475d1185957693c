#include "parse/field_reader.h"

#include <limits>

namespace scen {

namespace {

constexpr int kEnd = -1;

bool blank(int c) { return c == ' ' || c == '\t'; }
bool line_end(int c) { return c == '\r' || c == '\n'; }

// A byte for a message: printable ASCII as it stands, anything else (NUL,
// control bytes, code page letters) by its value.
std::string byte_name(int c) {
  if (c >= 0x20 && c < 0x7f) return std::string("character '") + static_cast<char>(c) + "'";
  static constexpr char kHex[] = "0123456789ABCDEF";
  return std::string("byte 0x") + kHex[(c >> 4) & 0xF] + kHex[c & 0xF];
}

}  // namespace

int FieldReader::get() {
  const int c = peek();
  if (c == kEnd) return kEnd;
  ++pos_;
  if (c == '\n' || (c == '\r' && peek() != '\n')) {
    ++here_.linea;
    here_.colonna = 1;
  } else if (c != '\r') {
    ++here_.colonna;
  }
  return c;
}

bool FieldReader::fail(std::string why) {
  failure_ = std::move(why);
  return false;
}

bool FieldReader::count() {
  if (++field_length_ > kLongestField) return fail("field longer than 1 MiB");
  return true;
}

bool FieldReader::skip_blanks() {
  while (blank(peek())) {
    get();
    if (!count()) return false;
  }
  return true;
}

// After CR, a following LF belongs to the same line end.
void FieldReader::end_line(int c) {
  if (c == '\r' && peek() == '\n') get();
}

bool FieldReader::start_field() {
  if (peek() == kEnd) return fail("read past the end of the file");
  field_length_ = 0;
  if (!skip_blanks()) return false;
  last_ = here_;
  return true;
}

bool FieldReader::read_text(std::string& out) {
  if (!start_field()) return false;
  const size_t first = pos_;
  size_t last = pos_;
  for (int c = get(); c != kEnd; c = get()) {
    if (c == ',') break;
    if (line_end(c)) {
      end_line(c);
      break;
    }
    if (!count()) return false;
    last = pos_;
  }
  std::string_view field = text_.substr(first, last - first);
  while (!field.empty() && blank(static_cast<unsigned char>(field.back()))) field.remove_suffix(1);
  out.assign(field);
  return true;
}

bool FieldReader::read_number(int32_t& out) {
  if (!start_field()) return false;
  bool negative = false;
  bool sign = false;
  if (peek() == '-' || peek() == '+') {
    negative = get() == '-';
    sign = true;
    if (!count()) return false;
  }
  bool digits = false;
  int64_t value = 0;
  constexpr int64_t kLimit = int64_t{1} << 31;
  while (peek() >= '0' && peek() <= '9') {
    digits = true;
    if (!count()) return false;
    value = value * 10 + (get() - '0');
    if (value > kLimit) value = kLimit + 1;  // saturated: already too wide
  }
  // The number ends at a comma, a line end, the end of the text or a
  // blank; after blanks, a comma or line end that follows belongs to this
  // field, anything else starts the next field.
  int c = peek();
  bool after_blank = false;
  if (blank(c)) {
    after_blank = true;
    if (!skip_blanks()) return false;
    c = peek();
  }
  if (c == ',') {
    get();
  } else if (line_end(c)) {
    end_line(get());
  } else if (c != kEnd && !after_blank) {
    return fail("not a number: unexpected " + byte_name(c));
  }
  if (sign && !digits) return fail("not a number: a sign without digits");
  if (negative) value = -value;
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
    return fail("number does not fit 32 bits");
  out = static_cast<int32_t>(value);
  return true;
}

}  // namespace scen
