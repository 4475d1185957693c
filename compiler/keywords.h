// Keyword tests: a field matches when it contains the keyword anywhere.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace scen {

inline bool contiene(std::string_view campo, std::string_view parola) {
  return campo.find(parola) != std::string_view::npos;
}

// Letter case of A-Z is ignored; `parola` is given in lower case.
inline bool contiene_nocase(std::string_view campo, std::string_view parola) {
  auto basso = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::search(campo.begin(), campo.end(), parola.begin(), parola.end(),
                     [&](char a, char b) { return basso(a) == b; }) != campo.end();
}

}  // namespace scen
