#include "tools/plot/plot_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "model/image_reader.h"

namespace scenc::plot {

namespace {

class Descrittore {
 public:
  explicit Descrittore(int fd) : fd_(fd) {}
  ~Descrittore() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descrittore(const Descrittore&) = delete;
  Descrittore& operator=(const Descrittore&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

std::string leggi_file(const std::filesystem::path& p) {
  const Descrittore fd(::open(p.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) throw ErroreIngresso(p, std::strerror(errno));
  struct stat st;
  if (::fstat(fd.get(), &st) != 0) throw ErroreIngresso(p, std::strerror(errno));
  if (S_ISDIR(st.st_mode)) throw ErroreIngresso(p, std::strerror(EISDIR));
  std::string byte;
  if (st.st_size > 0) byte.reserve(static_cast<size_t>(st.st_size));
  char blocco[1 << 16];
  while (true) {
    const ssize_t n = ::read(fd.get(), blocco, sizeof blocco);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw ErroreIngresso(p, std::strerror(errno));
    }
    if (n == 0) break;
    byte.append(blocco, static_cast<size_t>(n));
  }
  return byte;
}

template <typename Decodifica>
auto decodifica(const std::filesystem::path& p, Decodifica d) {
  const std::string byte = leggi_file(p);
  try {
    return d(byte);
  } catch (const scen::ErroreDecodifica& e) {
    throw ErroreIngresso(p, std::string("corrupt ") + e.what());
  }
}

}  // namespace

ScenarioCompilato leggi_scenario_compilato(const scen::NomiCompilati& nomi) {
  ScenarioCompilato s;
  s.tabella_linea = decodifica(nomi.linea_dat, scen::leggi_immagine_tabella_linea);
  s.dati_sim = decodifica(nomi.sim, scen::leggi_immagine_dati_sim);
  s.celle = decodifica(nomi.dat, scen::leggi_immagine_celle);
  if (s.celle.empty()) throw ErroreIngresso(nomi.dat, "corrupt at byte 0: the cell grid is empty");
  return s;
}

}  // namespace scenc::plot
