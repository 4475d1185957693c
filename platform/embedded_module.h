// Shared objects carried inside an executable and loaded only when used:
// the parts of the programs that need a big library (the window toolkit,
// cairo) are built as modules of their own, so that a run that never needs
// that library never loads it. The executable stays one file that works
// wherever it is copied: the module's bytes are part of it, and they are
// loaded from memory. On Windows, whose programs ship with what they need,
// a module is linked into the executable instead (its image is then empty)
// and its entry points are the executable's own exports: callers look them
// up the same way on both.
#pragma once

#include <stdexcept>
#include <string_view>

namespace scen {

struct ModuloIncorporato {
  const char* nome;           // the module's soname
  std::string_view immagine;  // the bytes of its file
};

// A module that could not be loaded, or lacks the symbol looked for; the
// message is the system's or the dynamic loader's reason.
class ErroreModulo : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The address of `simbolo` in the module, which is loaded first unless this
// process has it loaded already. A module once loaded stays for the life of
// the process. Throws ErroreModulo.
void* simbolo_modulo(const ModuloIncorporato& modulo, const char* simbolo);

// The same, as the function of type `Funzione` that the module defines
// under that name.
template <typename Funzione>
Funzione* funzione_modulo(const ModuloIncorporato& modulo, const char* simbolo) {
  return reinterpret_cast<Funzione*>(simbolo_modulo(modulo, simbolo));
}

}  // namespace scen
