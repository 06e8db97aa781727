#pragma once

#include <string>
#include <vector>

namespace vornik::cli {

// vornik-cli extract FILE --groups -o DIR [--overwrite]: each icon or cursor
// group of an executable as one .ico or .cur file in DIR (created when
// missing). Returns the exit status.
int RunExtractGroups(const std::vector<std::string>& arguments);

}  // namespace vornik::cli
