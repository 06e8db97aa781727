#pragma once

#include <string>

namespace vornik {

// Conversions between the Shift-JIS (code page 932) bytes that files and the
// original user interface use and UTF-8. Both directions use the CP932 table,
// so 0x5C stays a backslash and the NEC/IBM rows round-trip.
//
// Bytes that do not convert are not dropped: an undecodable Shift-JIS byte
// becomes U+FFFD, a character without a CP932 form becomes '?'.
std::string ShiftJisToUtf8(const std::string& sjis);
std::string Utf8ToShiftJis(const std::string& utf8);

}  // namespace vornik
