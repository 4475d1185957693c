#include "platform/drive_letters.h"

namespace scen::platform {

bool names_have_drive_letters() { return false; }

}  // namespace scen::platform
