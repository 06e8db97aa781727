#pragma once

#include <string>

#include "imaging/TQvDIB.h"
#include "model/TIconEx.h"
#include "platform/Bytes.h"

namespace vornik::cli {

// vornik-cli list for an ICNS file: one line per image with its type in the
// caption and, with tsv, as the last column. Images left out on reading are
// named on stderr and make the status 1.
int ListIcns(const std::string& path, bool tsv);

// vornik-cli resave: every element written back, PNG, run-length, JPEG 2000
// and unknown ones byte for byte, the table of contents afresh.
int ResaveIcns(const std::string& in, const std::string& out);

// vornik-cli extract: each image as a one-image .icns (its element and mask
// as they are), or with asPng as a .png (a PNG element as it is); JPEG 2000
// images are skipped with a note. Names as extract gives them.
int ExtractIcns(const std::string& path, const std::string& dir, const std::string& stem, long long first,
                bool overwrite, bool asPng);

// Image `index` (as list numbers them) as a one-entry 32-bit icon set; the
// element's own bytes in png when it is a PNG. EVornikError with the reason
// when the file is refused or the image cannot be decoded.
void IcnsEntryAsSet(const std::string& path, int index, TIconCurEX& set, Bytes& png);

// The file's largest image that decodes, as a 32-bit picture with alpha.
TQvDIB LargestIcnsPicture(const std::string& path);

}  // namespace vornik::cli
