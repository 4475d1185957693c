// `file:` URIs as editors send them, and the paths they name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace scenc::lsp {

// The path of a `file://` URI, its %XX escapes decoded; none for another
// scheme or a malformed escape.
std::optional<std::string> percorso_da_uri(std::string_view uri);

// The URI of an absolute path, escaping what a URI may not hold.
std::string uri_da_percorso(std::string_view percorso);

}  // namespace scenc::lsp
