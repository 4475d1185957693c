#include "sources/cp1252.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

namespace scen {

namespace {

class Conversione {
 public:
  Conversione() : cd_(::iconv_open("WINDOWS-1252", "UTF-8")) {
    if (cd_ == reinterpret_cast<iconv_t>(-1))
      throw ErroreCodifica(std::string("iconv cannot convert UTF-8 to WINDOWS-1252: ") + std::strerror(errno));
  }
  ~Conversione() { ::iconv_close(cd_); }
  Conversione(const Conversione&) = delete;
  Conversione& operator=(const Conversione&) = delete;
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

}  // namespace

std::string in_cp1252(std::string_view utf8) {
  Conversione conv;
  std::string out(utf8.size(), '\0');  // never longer than the UTF-8 text
  char* in = const_cast<char*>(utf8.data());
  size_t in_left = utf8.size();
  char* dst = out.data();
  size_t out_left = out.size();
  if (::iconv(conv.get(), &in, &in_left, &dst, &out_left) == static_cast<size_t>(-1)) {
    const size_t at = utf8.size() - in_left;
    throw ErroreCodifica("\"" + std::string(utf8) + "\" has " +
                         (errno == EILSEQ ? "a character that code page 1252 lacks" : "an incomplete UTF-8 character") +
                         " at byte " + std::to_string(at));
  }
  out.resize(out.size() - out_left);
  return out;
}

}  // namespace scen
