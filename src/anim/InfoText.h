#pragma once

#include <string>
#include <vector>

namespace vornik {

// The title ("INAM") and creator ("IART") texts of an animated cursor are
// held as the bytes the file has. Older writers store Shift-JIS, newer ones
// UTF-8; a text that is valid UTF-8 is taken as UTF-8 (Shift-JIS with
// characters above ASCII hardly ever is).
bool IsValidUtf8(const std::string& bytes);
bool HeldAsUtf8(const std::string& bytes);  // valid UTF-8 with something above ASCII
// The held bytes as text (UTF-8) for showing.
std::string InfoTextToUtf8(const std::string& bytes);

// The characters of a text (UTF-8) that Shift-JIS cannot hold, each once, in
// their order.
std::vector<std::string> CharsOutsideShiftJis(const std::string& utf8);

// The bytes to hold for a text the user typed into a field that held
// `before`: a text read as UTF-8 stays UTF-8; otherwise Shift-JIS when every
// character fits, and UTF-8 (so nothing is lost before saving) when not.
std::string InfoTextBytesForEdit(const std::string& before, const std::string& typed);

// Before saving: the characters of the held title and creator that Shift-JIS
// cannot hold (so the user can choose how to save). Empty when none.
std::vector<std::string> InfoCharsOutsideShiftJis(const std::string& title, const std::string& creator);
// Converts a text held as UTF-8 to Shift-JIS, the characters it cannot hold
// becoming "?"; Shift-JIS bytes stay as they are.
std::string InfoTextAsShiftJis(const std::string& bytes);

}  // namespace vornik
