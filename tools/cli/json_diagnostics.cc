#include "tools/cli/json_diagnostics.h"

#include <nlohmann/json.hpp>

#include <string>

#include "run/error_report.h"
#include "util/cp1252.h"

namespace scenc {

namespace {

using json = nlohmann::ordered_json;  // keys in the order written

// A file's name, or null for a diagnostic about the run as a whole.
json nome_file(const std::string& file) { return file.empty() ? json(nullptr) : json(file); }

// The place's fields; null where the diagnostic has no place in a file.
void luogo(json& j, const scen::SourceRange& r) {
  const auto numero = [&r](int64_t n) { return r.line > 0 ? json(n) : json(nullptr); };
  j["line"] = numero(r.line);
  j["column"] = numero(r.column);
  j["end_line"] = numero(r.end_line);
  j["end_column"] = numero(r.end_column);
}

json elemento(const scen::Diagnostic& d, bool utf8) {
  const auto testo = [utf8](const std::string& t) { return utf8 ? t : scen::da_cp1252(t); };
  json j;
  j["level"] = scen::level_name(d.level);
  if (d.number != 0)
    j["code"] = d.number;
  else if (d.level == scen::Level::warning && !d.flag.empty())
    j["code"] = d.flag;
  else
    j["code"] = nullptr;
  j["file"] = nome_file(d.file);
  luogo(j, d.range);
  // A numbered error without words of its own is told by what its number means.
  j["message"] = testo(d.number != 0 && d.message.empty() ? std::string(scen::descrizione_errore(d.number)) : d.message);
  json related = json::array();
  for (const scen::RelatedLocation& r : d.related) {
    json l;
    l["file"] = nome_file(r.file);
    luogo(l, r.range);
    l["message"] = testo(r.message);
    related.push_back(std::move(l));
  }
  j["related"] = std::move(related);
  return j;
}

}  // namespace

void scrivi_diagnostiche_json(std::ostream& out, const std::vector<scen::Diagnostic>& diagnostiche, bool utf8) {
  json tutte = json::array();
  for (const scen::Diagnostic& d : diagnostiche) tutte.push_back(elemento(d, utf8));
  out << tutte.dump(-1, ' ', false, json::error_handler_t::replace) << "\n";
}

}  // namespace scenc
