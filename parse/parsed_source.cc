#include "parse/parsed_source.h"

#include <algorithm>

namespace scen {

namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

ParsedSource::ParsedSource(SourceText text)
    : ParsedSource(std::move(text.name), std::make_shared<const std::string>(std::move(text.bytes))) {}

ParsedSource::ParsedSource(std::string name, std::shared_ptr<const std::string> bytes)
    : name_(std::move(name)), bytes_(bytes ? std::move(bytes) : std::make_shared<const std::string>()) {
  const std::string& b = *bytes_;
  // Room for every line at once: growing step by step would copy the
  // offsets over and over, into fresh pages each time.
  size_t lines = 1;
  for (size_t i = 0; i < b.size(); ++i)
    if (b[i] == '\n' ? i == 0 || b[i - 1] != '\r' : b[i] == '\r') ++lines;
  starts_.reserve(lines);
  ends_.reserve(lines);
  size_t start = 0;
  for (size_t i = 0; i < b.size(); ++i) {
    if (b[i] != '\n' && b[i] != '\r') continue;
    starts_.push_back(start);
    ends_.push_back(i);
    if (b[i] == '\r' && i + 1 < b.size() && b[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < b.size()) {
    starts_.push_back(start);
    ends_.push_back(b.size());
  }
}

std::string_view ParsedSource::line(int64_t n) const {
  if (n < 1 || n > line_count()) return {};
  const size_t i = static_cast<size_t>(n - 1);
  return std::string_view((*bytes_)).substr(starts_[i], ends_[i] - starts_[i]);
}

PosizioneCampo ParsedSource::position(size_t offset) const {
  offset = std::min(offset, (*bytes_).size());
  const auto after = std::upper_bound(starts_.begin(), starts_.end(), offset);
  if (after == starts_.begin()) return {1, static_cast<int64_t>(offset) + 1};
  const size_t i = static_cast<size_t>(after - starts_.begin()) - 1;
  // Past a line's end (after its CR, or at the end of a text that ends
  // with a line end), the place is the next line's first byte.
  if (offset > ends_[i]) return {static_cast<int64_t>(i) + 2, 1};
  return {static_cast<int64_t>(i) + 1, static_cast<int64_t>(offset - starts_[i]) + 1};
}

size_t ParsedSource::offset(PosizioneCampo p) const {
  if (p.linea < 1) return 0;
  if (p.linea > line_count()) return (*bytes_).size();
  const size_t i = static_cast<size_t>(p.linea - 1);
  const int64_t colonna = std::clamp<int64_t>(p.colonna, 1, static_cast<int64_t>(ends_[i] - starts_[i]) + 1);
  return starts_[i] + static_cast<size_t>(colonna - 1);
}

std::vector<FieldSpan> ParsedSource::fields(int64_t n) const {
  std::vector<FieldSpan> campi;
  const std::string_view riga = line(n);
  if (n < 1 || n > line_count()) return campi;
  size_t inizio = 0;
  for (;;) {
    size_t fine = riga.find(',', inizio);
    const bool ultimo = fine == std::string_view::npos;
    if (ultimo) fine = riga.size();
    size_t a = inizio, b = fine;
    while (a < b && blank(riga[a])) ++a;
    while (b > a && blank(riga[b - 1])) --b;
    campi.push_back({riga.substr(a, b - a), static_cast<int64_t>(a) + 1, static_cast<int64_t>(b) + 1});
    if (ultimo) break;
    inizio = fine + 1;
  }
  return campi;
}

}  // namespace scen
