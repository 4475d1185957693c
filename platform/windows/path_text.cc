#include "platform/path_text.h"

#include "platform/windows/utf16.h"

namespace scen {

std::filesystem::path path_from_utf8(std::string_view utf8) { return std::filesystem::path(platform::utf16_of(utf8)); }

std::string utf8_of(const std::filesystem::path& p) { return platform::utf8_of_utf16(p.native()); }

}  // namespace scen
