#include "platform/embedded_module.h"

#include <windows.h>

#include <string>

#include "platform/windows/system_error_text.h"

namespace scen {

// The module is linked into the executable, which exports its entry points.
void* simbolo_modulo(const ModuloIncorporato& modulo, const char* simbolo) {
  const HMODULE self = ::GetModuleHandleW(nullptr);
  FARPROC address = self ? ::GetProcAddress(self, simbolo) : nullptr;
  if (!address)
    throw ErroreModulo(std::string(modulo.nome) + ": no entry point " + simbolo + ": " +
                       platform::system_error_text(::GetLastError()));
  return reinterpret_cast<void*>(address);
}

}  // namespace scen
