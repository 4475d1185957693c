// A new, private directory under the system's folder for temporary files.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace scen::platform {

// Makes `<temporary folder>/<prefix><random>`, readable by this user only
// where the system has such rights. false, with the reason, when it cannot.
bool make_temporary_directory(std::string_view prefix, std::filesystem::path& made, std::string& why);

}  // namespace scen::platform
