#include "tools/view/view_page.h"

#include <string_view>

namespace scen::incorporato {
std::string_view pagina_vista_html();
std::string_view pagina_vista_css();
std::string_view pagina_vista_js();
}  // namespace scen::incorporato

namespace scenc::view {

std::string json_nella_pagina(const nlohmann::json& scenario) {
  const std::string testo = scenario.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  std::string out;
  out.reserve(testo.size() + testo.size() / 64);
  for (char c : testo) {
    if (c == '<')
      out += "\\u003c";
    else
      out += c;
  }
  return out;
}

std::string pagina_html(const nlohmann::json& scenario) {
  // The template holds each mark once, in this order.
  const std::string_view modello = scen::incorporato::pagina_vista_html();
  const std::pair<std::string_view, std::string> parti[] = {
      {"@STYLE@", std::string(scen::incorporato::pagina_vista_css())},
      {"@DATA@", json_nella_pagina(scenario)},
      {"@SCRIPT@", std::string(scen::incorporato::pagina_vista_js())},
  };
  std::string out;
  size_t da = 0;
  for (const auto& [marca, testo] : parti) {
    const size_t p = modello.find(marca, da);
    if (p == std::string_view::npos) continue;
    out.append(modello.substr(da, p - da));
    out += testo;
    da = p + marca.size();
  }
  out.append(modello.substr(da));
  return out;
}

}  // namespace scenc::view
