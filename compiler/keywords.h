// Keyword tests: a field matches when it contains the keyword anywhere.
// The tests belong to the format's keyword table (format/keywords.h).
#pragma once

#include "format/keywords.h"
