// The window module: the toolkit's window, built as a shared object of its
// own. The program carries its bytes and loads it only when a display is
// named, so that a run without one never loads the toolkit and X11.
#pragma once

#include <string_view>

#include "platform/window.h"

namespace scen {

// Opens the display named by DISPLAY and returns the real window, owned by
// the caller; null, with nothing printed, when the display cannot be opened.
using OpenToolkitWindow = platform::ProgramWindow*(const char* titolo);
inline constexpr char kOpenToolkitWindow[] = "scen_open_toolkit_window";

// The module's bytes and soname, generated at build time.
namespace incorporato {
std::string_view modulo_finestra();
const char* modulo_finestra_nome();
}  // namespace incorporato

}  // namespace scen

extern "C" scen::OpenToolkitWindow scen_open_toolkit_window;
