#include "tools/lsp/uri.h"

#include "platform/drive_letters.h"

namespace scenc::lsp {

namespace {

int cifra_esadecimale(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

char maiuscola(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char minuscola(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool lettera(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// "X:" followed by the end or a separator, from `da`.
bool unita_a(std::string_view p, size_t da) {
  return p.size() >= da + 2 && lettera(p[da]) && p[da + 1] == ':' &&
         (p.size() == da + 2 || p[da + 2] == '/' || p[da + 2] == '\\');
}

}  // namespace

FormaPercorsi forma_del_sistema() {
  return scen::platform::names_have_drive_letters() ? FormaPercorsi::con_unita : FormaPercorsi::dalla_radice;
}

std::optional<std::string> percorso_da_uri(std::string_view uri, FormaPercorsi forma) {
  constexpr std::string_view kSchema = "file://";
  if (uri.substr(0, kSchema.size()) != kSchema) return std::nullopt;
  uri.remove_prefix(kSchema.size());
  // An authority before the path: only the local host is ours.
  const size_t barra = uri.find('/');
  if (barra == std::string_view::npos) return std::nullopt;
  const std::string_view host = uri.substr(0, barra);
  if (!host.empty() && host != "localhost") return std::nullopt;
  uri.remove_prefix(barra);
  std::string p;
  for (size_t i = 0; i < uri.size(); ++i) {
    if (uri[i] == '\0') return std::nullopt;  // it would cut the name short
    if (uri[i] != '%') {
      p.push_back(uri[i]);
      continue;
    }
    if (i + 2 >= uri.size()) return std::nullopt;
    const int a = cifra_esadecimale(uri[i + 1]);
    const int b = cifra_esadecimale(uri[i + 2]);
    if (a < 0 || b < 0 || (a == 0 && b == 0)) return std::nullopt;
    p.push_back(static_cast<char>(a * 16 + b));
    i += 2;
  }
  if (forma == FormaPercorsi::con_unita) {
    for (char& c : p)
      if (c == '\\') c = '/';
    if (unita_a(p, 1)) {
      p.erase(0, 1);
      p[0] = maiuscola(p[0]);
    }
  }
  return p;
}

std::string uri_da_percorso(std::string_view percorso, FormaPercorsi forma) {
  static constexpr char kCifre[] = "0123456789ABCDEF";
  std::string u = "file://";
  std::string con_barre;
  if (forma == FormaPercorsi::con_unita) {
    con_barre = percorso;
    for (char& c : con_barre)
      if (c == '\\') c = '/';
    if (unita_a(con_barre, 0)) con_barre = "/" + std::string(1, minuscola(con_barre[0])) + con_barre.substr(1);
    percorso = con_barre;
  }
  for (const char c : percorso) {
    const auto b = static_cast<unsigned char>(c);
    const bool libero = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') ||
                        c == '/' || c == '-' || c == '_' || c == '.' || c == '~';
    if (libero) {
      u.push_back(c);
    } else {
      u.push_back('%');
      u.push_back(kCifre[b >> 4]);
      u.push_back(kCifre[b & 15]);
    }
  }
  return u;
}

}  // namespace scenc::lsp
