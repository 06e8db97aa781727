#pragma once

#include <set>
#include <string>
#include <vector>

#include "model/TIconEx.h"

namespace vornik::cli {

// The entries of a set as the resource list's details view shows them:
// a column # with the entry's number (from 0, as export --entry counts), then
// columns No (caption "W x H - colour"), X, Y, Color, Offset (hexadecimal),
// Size, HX, HY, aligned with blanks; one line per entry after a header line.
std::string FormatEntryTable(const TIconEx& set);

// What a table row shows of one entry; kept without the entry's pixels, so a
// listing of any number of images holds one image at a time.
struct EntryRow {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
    int hotX = 0;
    int hotY = 0;
};
EntryRow RowOf(const IconEntry& e);
std::string FormatEntryTable(const std::vector<EntryRow>& rows);
std::string FormatEntryTsv(const std::vector<EntryRow>& rows);

// Rows (the first a header) as columns two blanks apart, each as wide as its
// widest cell: the given columns left-aligned, the rest right-aligned;
// trailing blanks cut.
std::string AlignedColumns(const std::vector<std::vector<std::string>>& rows, const std::set<std::size_t>& leftAligned);

// The same entries tab-separated, for scripts. Stable form: a header line
// "No\tX\tY\tBitCount\tColor\tOffset\tSize\tHX\tHY", then one line per entry
// with No counting from 0 and BitCount the image header's bit count.
std::string FormatEntryTsv(const TIconEx& set);

}  // namespace vornik::cli
