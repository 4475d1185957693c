#include "platform/path_text.h"

namespace scen {

// A Linux name is bytes, which the programs take as UTF-8 without
// checking: a name in another encoding still names its file.
std::filesystem::path path_from_utf8(std::string_view utf8) { return std::filesystem::path(std::string(utf8)); }

std::string utf8_of(const std::filesystem::path& p) { return p.native(); }

}  // namespace scen
