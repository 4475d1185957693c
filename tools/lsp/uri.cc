#include "tools/lsp/uri.h"

namespace scenc::lsp {

namespace {

int cifra_esadecimale(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::string> percorso_da_uri(std::string_view uri) {
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
  return p;
}

std::string uri_da_percorso(std::string_view percorso) {
  static constexpr char kCifre[] = "0123456789ABCDEF";
  std::string u = "file://";
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
