// The format's vocabulary in one include: keywords and sections, cell
// kinds, general records, error numbers and warnings. `FileParola` is the
// former name of the source files' enum.
#pragma once

#include "format/cell_kinds.h"
#include "format/errors.h"
#include "format/keywords.h"
#include "format/records.h"
#include "format/sections.h"
#include "format/warnings.h"

namespace scen {

using FileParola = FileFormato;

}  // namespace scen
