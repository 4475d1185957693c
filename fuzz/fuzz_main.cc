// One libFuzzer target; SCEN_PROVA names the run of BancoProva it fuzzes
// (linea, linea_lunga, treno, compilazione or immagini). Every run works in a private
// directory under /dev/shm, removed when the fuzzer exits normally.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "fuzz/banco_prova.h"

#ifdef SCEN_REGOLE_DUMP
namespace scen::prova {
std::string regole_dump(std::string_view input);  // fuzz/images_fuzz.cc
}
#endif

namespace {

class CartellaPrivata {
 public:
  CartellaPrivata() {
    std::string modello = "/dev/shm/scen_fuzz_XXXXXX";
    if (!::mkdtemp(modello.data())) {
      std::perror("mkdtemp /dev/shm/scen_fuzz_XXXXXX");
      std::abort();
    }
    path_ = modello;
  }
  ~CartellaPrivata() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
    if (ec) std::fprintf(stderr, "cannot remove %s: %s\n", path_.c_str(), ec.message().c_str());
  }
  CartellaPrivata(const CartellaPrivata&) = delete;
  CartellaPrivata& operator=(const CartellaPrivata&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

struct Ambiente {
  CartellaPrivata cartella;
  scen::prova::BancoProva banco{cartella.path()};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Ambiente ambiente;  // libFuzzer's entry point can keep nothing else
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::string problema = ambiente.banco.SCEN_PROVA(input);
#ifdef SCEN_REGOLE_DUMP
  problema += scen::prova::regole_dump(input);
#endif
  if (!problema.empty()) {
    std::fprintf(stderr, "broken rule: %s\n", problema.c_str());
    std::abort();
  }
  return 0;
}
