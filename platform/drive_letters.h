// How an absolute file name begins on this system: at the root, "/home/x",
// or at a drive letter, "C:/Users/x". Code that turns names into text for
// others (an editor's file: URIs) asks here instead of knowing the system.
#pragma once

namespace scen::platform {

bool names_have_drive_letters();

}  // namespace scen::platform
