#include <gtest/gtest.h>

#include "platform/ShiftJis.h"

namespace vornik {
namespace {

TEST(ShiftJis, RoundTripsCp932Texts) {
    const std::string sjis[] = {"\xB1\xC6\xD2\xB0\xBC\xAE\xDD\xB6\xB0\xBF\xD9",  // half-width katakana
                                "\x83\x41\x83\x43\x83\x52\x83\x93",              // アイコン
                                "\x81\x60\x87\x40\xFB\xFC",                      // ～ ① 髙 (CP932 only)
                                "C:\\dir\\a b.ani"};
    const std::string utf8[] = {"ｱﾆﾒｰｼｮﾝｶｰｿﾙ", "アイコン", "～①髙", "C:\\dir\\a b.ani"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ShiftJisToUtf8(sjis[i]), utf8[i]);
        EXPECT_EQ(Utf8ToShiftJis(utf8[i]), sjis[i]);
    }
    EXPECT_EQ(ShiftJisToUtf8(""), "");
}

TEST(ShiftJis, BadInputIsReplacedNotDropped) {
    EXPECT_EQ(ShiftJisToUtf8("a\x81\xFF"
                             "b"),
              "a\xEF\xBF\xBD\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(ShiftJisToUtf8("x\x83"), "x\xEF\xBF\xBD");  // cut in a double-byte character
    EXPECT_EQ(Utf8ToShiftJis("a\xF0\x9F\x98\x80"
                             "b"),
              "a?b");  // no CP932 form
    EXPECT_EQ(Utf8ToShiftJis("a\xFF"
                             "b"),
              "a?b");  // not UTF-8
}

}  // namespace
}  // namespace vornik
