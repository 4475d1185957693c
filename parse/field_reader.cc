#include "parse/field_reader.h"

#include <cerrno>
#include <cstring>
#include <limits>

#include "parse/read_failure.h"

namespace scen {

namespace {

bool blank(int c) { return c == ' ' || c == '\t'; }
bool fine_riga(int c) { return c == '\r' || c == '\n'; }

// A byte for a message: printable ASCII as it stands, anything else (NUL,
// control bytes, code page letters) by its value.
std::string carattere(int c) {
  if (c >= 0x20 && c < 0x7f) return std::string("character '") + static_cast<char>(c) + "'";
  static constexpr char kHex[] = "0123456789ABCDEF";
  return std::string("byte 0x") + kHex[(c >> 4) & 0xF] + kHex[c & 0xF];
}

}  // namespace

LettoreCampi::LettoreCampi(const std::filesystem::path& percorso) : percorso_(percorso.string()) {
  file_ = std::fopen(percorso_.c_str(), "rb");
  if (!file_)
    throw ErroreLettura("cannot open " + percorso_ + ": " + std::strerror(errno));
}

LettoreCampi::~LettoreCampi() { chiudi(); }

void LettoreCampi::chiudi() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

int LettoreCampi::peek() {
  if (pos_ < len_) return static_cast<unsigned char>(buffer_[pos_]);
  if (!file_) return EOF;
  len_ = std::fread(buffer_, 1, sizeof buffer_, file_);
  pos_ = 0;
  if (len_ == 0) {
    if (std::ferror(file_))
      throw ErroreLettura("cannot read " + percorso_ + ": " + std::strerror(errno));
    return EOF;
  }
  return static_cast<unsigned char>(buffer_[pos_]);
}

int LettoreCampi::get() {
  const int c = peek();
  if (c == EOF) return EOF;
  ++pos_;
  if (c == '\n' || (c == '\r' && peek() != '\n')) {
    ++qui_.linea;
    qui_.colonna = 1;
  } else if (c != '\r') {
    ++qui_.colonna;
  }
  return c;
}

bool LettoreCampi::fine_file() { return peek() == EOF; }

void LettoreCampi::conta() {
  if (++lunghezza_campo_ > kCampoMassimo) throw ErroreLettura("field longer than 1 MiB");
}

void LettoreCampi::salta_blank() {
  while (blank(peek())) {
    get();
    conta();
  }
}

// After CR, a following LF belongs to the same line end.
void LettoreCampi::consuma_fine_riga(int c) {
  if (c == '\r' && peek() == '\n') get();
}

void LettoreCampi::inizia_campo() {
  if (peek() == EOF) throw ErroreLettura("read past the end of the file");
  lunghezza_campo_ = 0;
  salta_blank();
  ultimo_ = qui_;
}

std::string LettoreCampi::leggi_testo() {
  inizia_campo();
  std::string campo;
  for (int c = get(); c != EOF; c = get()) {
    if (c == ',') break;
    if (fine_riga(c)) {
      consuma_fine_riga(c);
      break;
    }
    conta();
    campo.push_back(static_cast<char>(c));
  }
  while (!campo.empty() && blank(static_cast<unsigned char>(campo.back()))) campo.pop_back();
  return campo;
}

int32_t LettoreCampi::leggi_numero() {
  inizia_campo();
  bool negativo = false;
  bool segno = false;
  if (peek() == '-' || peek() == '+') {
    negativo = get() == '-';
    segno = true;
    conta();
  }
  bool cifre = false;
  int64_t valore = 0;
  constexpr int64_t kLimite = int64_t{1} << 31;
  while (peek() >= '0' && peek() <= '9') {
    cifre = true;
    conta();
    valore = valore * 10 + (get() - '0');
    if (valore > kLimite) valore = kLimite + 1;  // saturate: already too wide
  }
  // The number ends at a comma, a line end, the end of the file or a blank;
  // after blanks, a comma or line end that follows belongs to this field,
  // anything else starts the next field.
  int c = peek();
  bool finito_da_blank = false;
  if (blank(c)) {
    finito_da_blank = true;
    salta_blank();
    c = peek();
  }
  if (c == ',') {
    get();
  } else if (fine_riga(c)) {
    consuma_fine_riga(get());
  } else if (c != EOF && !finito_da_blank) {
    throw ErroreLettura("not a number: unexpected " + carattere(c));
  }
  if (segno && !cifre) throw ErroreLettura("not a number: a sign without digits");
  if (negativo) valore = -valore;
  if (valore < std::numeric_limits<int32_t>::min() || valore > std::numeric_limits<int32_t>::max())
    throw ErroreLettura("number does not fit 32 bits");
  return static_cast<int32_t>(valore);
}

}  // namespace scen
