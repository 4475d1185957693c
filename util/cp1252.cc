#include "util/cp1252.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

namespace scen {

namespace {

constexpr std::string_view kSostituto = "\xEF\xBF\xBD";  // U+FFFD

class Conversione {
 public:
  // `errore()` says whether the conversion could be opened.
  Conversione(const char* a, const char* da) : cd_(::iconv_open(a, da)) {
    if (cd_ == kNessuna) errore_ = std::string("iconv cannot convert ") + da + " to " + a + ": " + std::strerror(errno);
  }
  ~Conversione() {
    if (cd_ != kNessuna) ::iconv_close(cd_);
  }
  Conversione(const Conversione&) = delete;
  Conversione& operator=(const Conversione&) = delete;
  iconv_t get() const { return cd_; }
  const std::string& errore() const { return errore_; }

 private:
  static inline const iconv_t kNessuna = reinterpret_cast<iconv_t>(-1);
  iconv_t cd_;
  std::string errore_;
};

}  // namespace

bool in_cp1252(std::string_view utf8, std::string& cp1252, std::string& errore) {
  Conversione conv("WINDOWS-1252", "UTF-8");
  if (!conv.errore().empty()) {
    errore = conv.errore();
    return false;
  }
  std::string out(utf8.size(), '\0');  // never longer than the UTF-8 text
  char* in = const_cast<char*>(utf8.data());
  size_t in_left = utf8.size();
  char* dst = out.data();
  size_t out_left = out.size();
  if (::iconv(conv.get(), &in, &in_left, &dst, &out_left) == static_cast<size_t>(-1)) {
    const size_t at = utf8.size() - in_left;
    errore = "\"" + std::string(utf8) + "\" has " +
             (errno == EILSEQ ? "a character that code page 1252 lacks" : "an incomplete UTF-8 character") +
             " at byte " + std::to_string(at);
    return false;
  }
  out.resize(out.size() - out_left);
  cp1252 = std::move(out);
  return true;
}

std::string in_cp1252(std::string_view utf8) {
  std::string out, errore;
  if (!in_cp1252(utf8, out, errore)) throw ErroreCodifica(errore);
  return out;
}

std::string da_cp1252(std::string_view cp1252) {
  Conversione conv("UTF-8", "WINDOWS-1252");
  if (!conv.errore().empty()) throw ErroreCodifica(conv.errore());
  // One byte of the code page is at most three bytes of UTF-8 (the euro sign).
  std::string out(3 * cp1252.size(), '\0');
  char* in = const_cast<char*>(cp1252.data());
  size_t in_left = cp1252.size();
  char* dst = out.data();
  size_t out_left = out.size();
  while (in_left > 0) {
    if (::iconv(conv.get(), &in, &in_left, &dst, &out_left) != static_cast<size_t>(-1)) break;
    if (errno != EILSEQ)
      throw ErroreCodifica(std::string("iconv failed on a code page 1252 text: ") + std::strerror(errno));
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

}  // namespace scen
