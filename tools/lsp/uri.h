// `file:` URIs as editors send them, and the paths they name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace scenc::lsp {

// How the paths of this system are written. With drive letters (Windows),
// an editor's "file:///c%3A/Users/x" or "file:///C:/Users\x" names the
// path "C:/Users/x": no slash before the drive, its letter upper case,
// every backslash a slash, so that the two spellings of one file are one
// path. From the root (Linux), the path is the URI's, decoded.
enum class FormaPercorsi { dalla_radice, con_unita };

// This system's.
FormaPercorsi forma_del_sistema();

// The path of a `file://` URI, its %XX escapes decoded; none for another
// scheme or a malformed escape.
std::optional<std::string> percorso_da_uri(std::string_view uri, FormaPercorsi forma = forma_del_sistema());

// The URI of an absolute path, escaping what a URI may not hold. A drive
// is written as Visual Studio Code writes it: "file:///c%3A/Users/x".
std::string uri_da_percorso(std::string_view percorso, FormaPercorsi forma = forma_del_sistema());

}  // namespace scenc::lsp
