#include "bench/long_line.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <stdexcept>
#include <system_error>

namespace scen::bench {

namespace {

// Appends one formatted line and its CR LF.
[[gnu::format(printf, 2, 3)]] void riga(std::string& out, const char* formato, ...) {
  char buffer[256];
  va_list args;
  va_start(args, formato);
  const int n = std::vsnprintf(buffer, sizeof buffer, formato, args);
  va_end(args);
  if (n < 0 || static_cast<size_t>(n) >= sizeof buffer)
    throw std::length_error("generated source line does not fit its buffer");
  out.append(buffer, static_cast<size_t>(n));
  out += "\r\n";
}

std::string linea(int32_t L) {
  std::string out;
  riga(out, "[generale]");
  riga(out, "lunghezza percorso,    %d", L);
  riga(out, "progressiva chilometrica uno,    0,    100000,    1");
  riga(out, "progressiva chilometrica due,    0,    0,    0");
  riga(out, "progressiva chilometrica tre,    0,    0,    0");
  riga(out, "sfondo uno,    123000");
  riga(out, "sfondo due,    0");
  riga(out, "sfondo tre,    1");
  riga(out, "ripetizione segnali 4 codici,    0,    %d", L - 10000);
  riga(out, "[curve]");
  // The last curve ends before the metre limit of the track plan.
  for (int32_t s = 100; s + 200 <= L && s + 200 < 1000000; s += 500) {
    const int32_t i = s / 500;
    riga(out, "curva%c%d,  %d,  200", i % 2 ? 'd' : 's', 1 + i % 6, s);
  }
  riga(out, "[pendenze]");
  for (int32_t p = 0; p < L; p += 2000) riga(out, "pendenza,  %d,   %d", p, (p / 2000) % 21 - 10);
  riga(out, "[montagne]");
  for (int32_t p = 12000; p + 2000 < L; p += 25000) riga(out, "montagna,   %d,  %d,  11", p, p + 2000);
  riga(out, "[cartelli]");
  for (int32_t p = 2200; p < L; p += 10000)
    riga(out, "indicatori_vmax,  %d,  95,  100,  105,  0,  95,  100,  105,  0", p);
  riga(out, "[indicazioni]");
  for (int32_t p = 7300; p < L; p += 50000)
    riga(out, "cartello_indicatore,  %d,   (KM %4d.%03d )(BIVIO      )", p, p / 1000, p % 1000);
  riga(out, "[fine]");
  return out;
}

std::string treno(int32_t L) {
  std::string out;
  riga(out, "[generale]");
  riga(out, "numero vetture,    12");
  riga(out, "percentuale massa frenata,    130");
  riga(out, "sabbia,    300");
  riga(out, "orologio,    9               56            20 ");
  riga(out, "[aderenze]");
  riga(out, "aderenza,   0,    100");
  riga(out, "[vel_limite]");
  for (int32_t p = 0; p < L; p += 10000) riga(out, "velocita,  %6d,   %d", p, 100 + 10 * (p / 10000 % 7));
  riga(out, "[stazioni]");
  int n = 0;
  for (int32_t p = 2500; p + 2000 < L; p += 20000)
    riga(out, "stazione,  %6d, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, Stazione %d", p, ++n);
  riga(out, "[rallentamenti]");
  for (int32_t x = 5500; x + 3000 < L; x += 10000)
    riga(out, "rallentamento,  %d,  60,  1000,  0,  1,  0", x);
  riga(out, "[segnali]");
  for (int32_t p = 1000; p + 1000 < L; p += 1000)
    riga(out, "segnale,  %6d,   2, 4, 1,  0, 0,    2,  2,1,0, 0", p);
  riga(out, "[codici]");
  for (int32_t p = 9000; p < L; p += 100000) riga(out, "abbattimento,  %d,   180", p);
  riga(out, "[fine]");
  return out;
}

}  // namespace

SorgentiLunghe sorgenti_lunghe(int32_t lunghezza) {
  if (lunghezza < 20000 || lunghezza > 1000000 || lunghezza % 10000 != 0)
    throw std::invalid_argument("line length must be a multiple of 10000 from 20000 to 1000000");
  return {linea(lunghezza), treno(lunghezza)};
}

void scrivi_file(const std::filesystem::path& p, std::string_view contenuto) {
  const int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) throw std::system_error(errno, std::generic_category(), p.string());
  while (!contenuto.empty()) {
    const ssize_t n = ::write(fd, contenuto.data(), contenuto.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      throw std::system_error(err, std::generic_category(), p.string());
    }
    contenuto.remove_prefix(static_cast<size_t>(n));
  }
  if (::close(fd) != 0) throw std::system_error(errno, std::generic_category(), p.string());
}

void scrivi_sorgenti_lunghe(const std::filesystem::path& cartella, int32_t lunghezza,
                            const std::string& percorso, const std::string& treno) {
  const SorgentiLunghe s = sorgenti_lunghe(lunghezza);
  scrivi_file(cartella / (percorso + "_linea.txt"), s.linea);
  scrivi_file(cartella / (percorso + "_" + treno + "-.txt"), s.treno);
}

}  // namespace scen::bench
