#pragma once

#include <string>

#include "model/TIconEx.h"

namespace vornik::cli {

// The entries of a set as the resource list's details view shows them:
// a column # with the entry's number (from 0, as export --entry counts), then
// columns No (caption "W x H - colour"), X, Y, Color, Offset (hexadecimal),
// Size, HX, HY, aligned with blanks; one line per entry after a header line.
std::string FormatEntryTable(const TIconEx& set);

// The same entries tab-separated, for scripts. Stable form: a header line
// "No\tX\tY\tBitCount\tColor\tOffset\tSize\tHX\tHY", then one line per entry
// with No counting from 0 and BitCount the image header's bit count.
std::string FormatEntryTsv(const TIconEx& set);

}  // namespace vornik::cli
