#include "tools/dump/text_format.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <stdexcept>

namespace scenc::dump {

std::string formatta(const char* formato, ...) {
  va_list a;
  va_start(a, formato);
  va_list b;
  va_copy(b, a);
  const int n = std::vsnprintf(nullptr, 0, formato, a);
  va_end(a);
  if (n < 0) {
    va_end(b);
    throw std::runtime_error(std::string("cannot format \"") + formato + "\"");
  }
  std::string s(static_cast<size_t>(n) + 1, '\0');
  std::vsnprintf(s.data(), s.size(), formato, b);
  va_end(b);
  s.resize(static_cast<size_t>(n));
  return s;
}

std::string breve(double d) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, d);
  if (r.ec != std::errc{}) throw std::runtime_error("cannot write a double");
  return std::string(buf, r.ptr);
}

std::string tra_virgolette(std::string_view utf8) {
  std::string s = "\"";
  for (const char c : utf8) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      s += '\\';
      s += c;
    } else if (u < 0x20 || u == 0x7f) {
      s += formatta("\\x%02X", u);
    } else {
      s += c;
    }
  }
  return s + "\"";
}

}  // namespace scenc::dump
