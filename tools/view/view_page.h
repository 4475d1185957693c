// The page of `scenc view`: one HTML file that carries its styles, its
// script and the scenario's JSON, and fetches nothing.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace scenc::view {

std::string pagina_html(const nlohmann::json& scenario);

// The scenario's JSON as it goes inside the page's script element: every
// '<' written as \u003c, so that no text of the scenario can close the
// element; a byte that is not UTF-8 becomes U+FFFD.
std::string json_nella_pagina(const nlohmann::json& scenario);

}  // namespace scenc::view
