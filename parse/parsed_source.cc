#include "parse/parsed_source.h"

#include <algorithm>
#include <cstring>

namespace scen {

namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<FieldSpan> split_fields(std::string_view riga) {
  std::vector<FieldSpan> campi;
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

ParsedSource::ParsedSource(SourceText text)
    : ParsedSource(std::move(text.name), std::make_shared<const std::string>(std::move(text.bytes))) {}

ParsedSource::ParsedSource(std::string name, std::shared_ptr<const std::string> bytes)
    : name_(std::move(name)), bytes_(bytes ? std::move(bytes) : std::make_shared<const std::string>()) {
  for (size_t start = 0; start < bytes_->size(); start = line_end(start).next) {
    if (line_count_ % kLineStride == 0) every_stride_.push_back(start);
    ++line_count_;
  }
}

ParsedSource::LineEnd ParsedSource::line_end(size_t start) const {
  const std::string& b = *bytes_;
  size_t i = start;
  // The next CR or LF: LF first, the usual line end, then a CR before it.
  const char* lf = static_cast<const char*>(std::memchr(b.data() + i, '\n', b.size() - i));
  const size_t limite = lf ? static_cast<size_t>(lf - b.data()) : b.size();
  const char* cr = static_cast<const char*>(std::memchr(b.data() + i, '\r', limite - i));
  i = cr ? static_cast<size_t>(cr - b.data()) : limite;
  if (i == b.size()) return {i, i};
  const size_t next = b[i] == '\r' && i + 1 < b.size() && b[i + 1] == '\n' ? i + 2 : i + 1;
  return {i, next};
}

size_t ParsedSource::start_of(int64_t n) const {
  const auto k = static_cast<size_t>((n - 1) / kLineStride);
  size_t start = every_stride_[k];
  for (int64_t i = static_cast<int64_t>(k) * kLineStride + 1; i < n; ++i) start = line_end(start).next;
  return start;
}

std::string_view ParsedSource::line(int64_t n) const {
  if (n < 1 || n > line_count()) return {};
  const size_t start = start_of(n);
  return std::string_view(*bytes_).substr(start, line_end(start).end - start);
}

PosizioneCampo ParsedSource::position(size_t offset) const {
  offset = std::min(offset, bytes_->size());
  const auto after = std::upper_bound(every_stride_.begin(), every_stride_.end(), offset);
  if (after == every_stride_.begin()) return {1, static_cast<int64_t>(offset) + 1};
  const auto k = static_cast<size_t>(after - every_stride_.begin()) - 1;
  int64_t n = static_cast<int64_t>(k) * kLineStride + 1;
  size_t start = every_stride_[k];
  for (;; ++n) {
    const LineEnd e = line_end(start);
    // Past a line's end (after its CR, or at the end of a text that ends
    // with a line end), the place is the next line's first byte.
    if (offset < e.next || e.next == bytes_->size()) {
      if (offset > e.end) return {n + 1, 1};
      return {n, static_cast<int64_t>(offset - start) + 1};
    }
    start = e.next;
  }
}

size_t ParsedSource::offset(PosizioneCampo p) const {
  if (p.linea < 1) return 0;
  if (p.linea > line_count()) return bytes_->size();
  const size_t start = start_of(p.linea);
  const size_t end = line_end(start).end;
  const int64_t colonna = std::clamp<int64_t>(p.colonna, 1, static_cast<int64_t>(end - start) + 1);
  return start + static_cast<size_t>(colonna - 1);
}

std::vector<FieldSpan> ParsedSource::fields(int64_t n) const {
  if (n < 1 || n > line_count()) return {};
  return split_fields(line(n));
}

}  // namespace scen
