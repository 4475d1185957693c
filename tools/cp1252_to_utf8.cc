#include "tools/cp1252_to_utf8.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace scenc::dump {

namespace {

constexpr std::string_view kSostituto = "\xEF\xBF\xBD";  // U+FFFD

class Conversione {
 public:
  Conversione() : cd_(::iconv_open("UTF-8", "WINDOWS-1252")) {
    if (cd_ == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error(std::string("iconv cannot convert WINDOWS-1252 to UTF-8: ") +
                               std::strerror(errno));
  }
  ~Conversione() { ::iconv_close(cd_); }
  Conversione(const Conversione&) = delete;
  Conversione& operator=(const Conversione&) = delete;
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

}  // namespace

std::string utf8_da_cp1252(std::string_view byte) {
  Conversione conv;
  // One byte of the code page is at most three bytes of UTF-8 (the euro sign).
  std::string out(3 * byte.size(), '\0');
  char* in = const_cast<char*>(byte.data());
  size_t in_left = byte.size();
  char* dst = out.data();
  size_t out_left = out.size();
  while (in_left > 0) {
    if (::iconv(conv.get(), &in, &in_left, &dst, &out_left) != static_cast<size_t>(-1)) break;
    if (errno != EILSEQ)
      throw std::runtime_error(std::string("iconv failed on a code page 1252 text: ") + std::strerror(errno));
    // An undefined byte: its replacement is never longer than the room left
    // for it and the bytes after it.
    const size_t scritti = out.size() - out_left;
    out.replace(scritti, kSostituto.size(), kSostituto);
    dst = out.data() + scritti + kSostituto.size();
    out_left -= kSostituto.size();
    ++in;
    --in_left;
  }
  out.resize(out.size() - out_left);
  return out;
}

}  // namespace scenc::dump
