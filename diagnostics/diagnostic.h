// One list of diagnostics for a whole run: every stage (reading, compiling,
// the code track, stamping, writing, the warnings) appends to it, and the
// edges (scenc's text and JSON, the program's " Errore n. N", the exit
// status) are formatted from it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace scen {

enum class Level { error, warning, note };

// "error", "warning", "note": as the text and the JSON forms name a level.
constexpr const char* level_name(Level l) {
  switch (l) {
    case Level::error: return "error";
    case Level::warning: return "warning";
    case Level::note: return "note";
  }
  return "error";
}

// A stretch of a source: 1-based lines and byte columns, the end just past
// the last byte. Line 0: the diagnostic has no place in a file.
struct SourceRange {
  int64_t line = 0;
  int64_t column = 0;
  int64_t end_line = 0;
  int64_t end_column = 0;
  bool operator==(const SourceRange&) const = default;
};

// Another place that a message names, e.g. the line that placed the object
// taking a cell.
struct RelatedLocation {
  std::string file;
  SourceRange range;
  std::string message;
  bool operator==(const RelatedLocation&) const = default;
};

struct Diagnostic {
  Level level = Level::error;
  int32_t number = 0;  // the error number; 0 for a warning known by its flag
  std::string flag;    // the warning's flag, e.g. "no-warn-signal-spacing"
  std::string file;    // empty: about the run as a whole
  SourceRange range;
  std::string message;  // what is wrong, in plain words, with the values involved
  std::vector<RelatedLocation> related;
  bool operator==(const Diagnostic&) const = default;
};

class DiagnosticList {
 public:
  void add(Diagnostic d) { items_.push_back(std::move(d)); }
  const std::vector<Diagnostic>& items() const { return items_; }
  bool empty() const { return items_.empty(); }
  size_t size() const { return items_.size(); }

  // The first diagnostic of level error; null when there is none.
  const Diagnostic* first_error() const;
  bool has_errors() const { return first_error() != nullptr; }

 private:
  std::vector<Diagnostic> items_;
};

}  // namespace scen
