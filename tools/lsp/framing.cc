#include "tools/lsp/framing.h"

#include <charconv>

#include "platform/standard_streams.h"

namespace scenc::lsp {

namespace {

constexpr std::string_view kFineIntestazione = "\r\n\r\n";
constexpr size_t kIntestazioneMassima = 8192;

bool uguale_nocase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto basso = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (basso(a[i]) != basso(b[i])) return false;
  }
  return true;
}

std::string_view senza_spazi(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

// The Content-Length of a header block; none when it is missing or wrong.
std::optional<size_t> lunghezza(std::string_view intestazione) {
  std::optional<size_t> trovata;
  while (!intestazione.empty()) {
    const size_t fine = intestazione.find("\r\n");
    const std::string_view riga = intestazione.substr(0, fine);
    intestazione.remove_prefix(fine == std::string_view::npos ? intestazione.size() : fine + 2);
    const size_t due_punti = riga.find(':');
    if (due_punti == std::string_view::npos) return std::nullopt;
    if (!uguale_nocase(senza_spazi(riga.substr(0, due_punti)), "content-length")) continue;
    const std::string_view valore = senza_spazi(riga.substr(due_punti + 1));
    size_t n = 0;
    const auto [p, ec] = std::from_chars(valore.data(), valore.data() + valore.size(), n);
    if (ec != std::errc() || p != valore.data() + valore.size() || valore.empty()) return std::nullopt;
    trovata = n;
  }
  return trovata;
}

}  // namespace

std::optional<Frame> FrameDecoder::prossimo() {
  if (da_saltare_ > 0) {
    const size_t n = std::min(da_saltare_, buffer_.size());
    buffer_.erase(0, n);
    da_saltare_ -= n;
    if (da_saltare_ > 0) return std::nullopt;
  }
  const size_t fine = buffer_.find(kFineIntestazione);
  if (fine == std::string::npos) {
    if (buffer_.size() <= kIntestazioneMassima) return std::nullopt;
    buffer_.clear();
    return Frame{{}, "header longer than " + std::to_string(kIntestazioneMassima) + " bytes"};
  }
  const std::optional<size_t> n = lunghezza(std::string_view(buffer_).substr(0, fine));
  const size_t inizio = fine + kFineIntestazione.size();
  if (!n) {
    buffer_.erase(0, inizio);
    return Frame{{}, "header without a valid Content-Length"};
  }
  if (*n > kCorpoMassimo) {
    buffer_.erase(0, inizio);
    da_saltare_ = *n;
    prossimo();  // drops what has arrived of it
    return Frame{{}, "message of " + std::to_string(*n) + " bytes is too large"};
  }
  if (buffer_.size() - inizio < *n) return std::nullopt;
  Frame f{buffer_.substr(inizio, *n), {}};
  buffer_.erase(0, inizio + *n);
  return f;
}

std::string incornicia(std::string_view corpo) {
  std::string f = "Content-Length: " + std::to_string(corpo.size()) + "\r\n\r\n";
  f.append(corpo);
  return f;
}

std::optional<Frame> MessageReader::leggi() {
  if (pronto_) {
    std::optional<Frame> f = std::move(pronto_);
    pronto_.reset();
    return f;
  }
  char blocco[65536];
  for (;;) {
    if (std::optional<Frame> f = decoder_.prossimo()) return f;
    std::string why;
    const int64_t n = scen::platform::read_descriptor(fd_, blocco, sizeof blocco, why);
    if (n <= 0) return std::nullopt;
    decoder_.aggiungi(std::string_view(blocco, static_cast<size_t>(n)));
  }
}

bool MessageReader::in_attesa() {
  if (pronto_) return true;
  pronto_ = decoder_.prossimo();
  if (pronto_) return true;
  return scen::platform::descriptor_has_input(fd_);
}

bool scrivi_tutto(int fd, std::string_view dati) {
  std::string why;
  return scen::platform::write_descriptor(fd, dati, why);
}

}  // namespace scenc::lsp
