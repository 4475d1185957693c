#include "run/output_names.h"

#include <system_error>

#include "platform/path_text.h"
namespace scen {

std::optional<std::string> nome_non_valido(std::string_view nome, std::string_view cosa) {
  const std::string chi = "the " + std::string(cosa) + " name";
  if (nome.empty()) return chi + " is empty";
  if (nome == "." || nome == "..") return chi + " must not be \".\" or \"..\"";
  if (nome.find('/') != std::string_view::npos) return chi + " must not contain '/'";
  for (const char c : nome)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
      return chi + " must not contain control characters (a line end, a tab, ...)";
  return std::nullopt;
}

namespace {

// The same file: the same name once made absolute, or, when both exist,
// the same device and inode (a link, another spelling of the path).
bool stesso_file(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ec;
  if (std::filesystem::absolute(a, ec).lexically_normal() == std::filesystem::absolute(b, ec).lexically_normal())
    return true;
  return std::filesystem::equivalent(a, b, ec) && !ec;
}

}  // namespace

std::optional<std::string> uscite_in_conflitto(const NomiCompilati& n, bool scrivi_linea,
                                               const std::vector<std::filesystem::path>& sorgenti) {
  std::vector<std::filesystem::path> uscite{n.sim, n.dat};
  if (scrivi_linea) uscite.insert(uscite.begin(), n.linea_dat);
  for (size_t i = 0; i < uscite.size(); ++i)
    for (size_t j = i + 1; j < uscite.size(); ++j)
      if (stesso_file(uscite[i], uscite[j]))
        return "the compiled files " + utf8_of(uscite[i]) + " and " + utf8_of(uscite[j]) +
               " would be one file: choose other route or train names";
  for (const auto& u : uscite)
    for (const auto& s : sorgenti)
      if (stesso_file(u, s))
        return "the compiled file " + utf8_of(u) + " would replace the source " + utf8_of(s) +
               ": sources are never changed";
  return std::nullopt;
}

}  // namespace scen
