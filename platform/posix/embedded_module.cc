#include "platform/embedded_module.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace scen {

namespace {

std::string errore_sistema(const std::string& chiamata) { return chiamata + ": " + std::strerror(errno); }

std::string errore_caricatore() {
  const char* motivo = ::dlerror();
  return motivo ? motivo : "unknown dynamic loader error";
}

std::string nome_proc(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

// Nothing is written through these descriptors that a failed close could
// lose: the module is mapped by then, or not loaded at all. After EINTR
// Linux has released the descriptor already.
void chiudi(int fd) {
  if (::close(fd) != 0 && errno != EINTR) return;
}

// The anonymous memory file that holds the module's bytes, closed when the
// object goes.
class FileMemoria {
 public:
  explicit FileMemoria(const char* nome) : fd_(::memfd_create(nome, MFD_CLOEXEC)) {
    if (fd_ < 0) throw ErroreModulo(errore_sistema("memfd_create"));
  }
  ~FileMemoria() { chiudi(fd_); }
  FileMemoria(const FileMemoria&) = delete;
  FileMemoria& operator=(const FileMemoria&) = delete;

  void scrivi(std::string_view byte) const {
    while (!byte.empty()) {
      const ssize_t n = ::write(fd_, byte.data(), byte.size());
      if (n < 0) {
        if (errno == EINTR) continue;
        throw ErroreModulo(errore_sistema("write"));
      }
      byte.remove_prefix(static_cast<size_t>(n));
    }
  }

  // The dynamic loader knows each module also by the name it was opened
  // with: once an earlier module's descriptor is closed, its number and so
  // its /proc name can be given out again, and opening that name would
  // give the earlier module back. Moves to a higher number until the name
  // is no loaded module's.
  std::string nome_libero() {
    for (;;) {
      const std::string nome = nome_proc(fd_);
      void* gia = ::dlopen(nome.c_str(), RTLD_NOW | RTLD_NOLOAD);
      if (!gia) {
        ::dlerror();
        return nome;
      }
      if (::dlclose(gia) != 0) throw ErroreModulo(errore_caricatore());
      const int altro = ::fcntl(fd_, F_DUPFD_CLOEXEC, fd_ + 1);
      if (altro < 0) throw ErroreModulo(errore_sistema("fcntl"));
      chiudi(fd_);
      fd_ = altro;
    }
  }

 private:
  int fd_;
};

void* carica(const ModuloIncorporato& modulo) {
  FileMemoria file(modulo.nome);
  file.scrivi(modulo.immagine);
  void* handle = ::dlopen(file.nome_libero().c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) throw ErroreModulo(errore_caricatore());
  return handle;
}

}  // namespace

void* simbolo_modulo(const ModuloIncorporato& modulo, const char* simbolo) {
  // Asked for a module it has loaded by its soname, the dynamic loader gives
  // back the same copy, with the state its libraries keep (the toolkit's
  // one display connection).
  void* handle = ::dlopen(modulo.nome, RTLD_NOW | RTLD_NOLOAD);
  if (!handle) {
    ::dlerror();  // not loaded yet: no error to report
    handle = carica(modulo);
  }
  void* indirizzo = ::dlsym(handle, simbolo);
  if (!indirizzo) throw ErroreModulo(errore_caricatore());
  return indirizzo;
}

}  // namespace scen
