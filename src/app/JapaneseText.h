#pragma once

#include <string>

namespace vornik {

// The lower layers word their errors in English, for the command-line tool.
// The editor shows Japanese: each line that is one of those English errors is
// reworded, keeping the file names and numbers it carries. Lines already in
// Japanese, and English nobody has reworded yet, pass through unchanged.
std::string JapaneseText(const std::string& text);

}  // namespace vornik
