#pragma once

#include <string>

namespace vornik::cli {

// Refuses (EInOutError, exit status 1) an output that is the input file
// itself, by device and inode, so links and other spellings are caught too:
// writing a part of a file over the whole of it would silently lose the rest.
void RefuseOutputOverInput(const std::string& input, const std::string& output);

}  // namespace vornik::cli
