#pragma once

#include <string>

namespace vornik {

// The filter of the file choosers, as written throughout the program:
// "Name|*.a;*.b|Name|*.c".
inline constexpr const char* kOpenFilter =
    "対象ﾌｧｲﾙ|*.dib;*.bmp;*.ico;*.cur;*.ani;*.jpg;*.jpeg;*.exe;*.dll|ﾋﾞｯﾄﾏｯﾌﾟ|*.bmp;*.dib|ｱｲｺﾝ|*.ico|"
    "ｶｰｿﾙ|*.cur|ｱﾆﾒｰｼｮﾝｶｰｿﾙ|*.ani|Jpeg|*.jpg;*.jpeg|Exe/dll|*.exe;*.dll|All|*.*";

// The same filter in Qt's form "Name (*.a *.b);;Name (*.c)": names and
// patterns unchanged, pattern lists blank-separated. A name without patterns
// stands alone; empty pairs are dropped.
std::string ToQtFilter(const std::string& filter);

}  // namespace vornik
