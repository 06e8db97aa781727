#include <gtest/gtest.h>

#include "app/FileFilter.h"

using vornik::ToQtFilter;

TEST(FileFilter, OpenFilterInQtForm) {
    EXPECT_EQ(ToQtFilter(vornik::kOpenFilter),
              "対象ﾌｧｲﾙ (*.dib *.bmp *.ico *.cur *.ani *.jpg *.jpeg *.exe *.dll);;ﾋﾞｯﾄﾏｯﾌﾟ (*.bmp *.dib);;"
              "ｱｲｺﾝ (*.ico);;ｶｰｿﾙ (*.cur);;ｱﾆﾒｰｼｮﾝｶｰｿﾙ (*.ani);;Jpeg (*.jpg *.jpeg);;Exe/dll (*.exe *.dll);;"
              "All (*.*)");
}

TEST(FileFilter, OddShapes) {
    EXPECT_EQ(ToQtFilter(""), "");
    EXPECT_EQ(ToQtFilter("Icon|*.ico"), "Icon (*.ico)");
    EXPECT_EQ(ToQtFilter("Icon|*.ico|"), "Icon (*.ico)");  // trailing separator
    EXPECT_EQ(ToQtFilter("Icon|*.ico|Bare"), "Icon (*.ico);;Bare");
    EXPECT_EQ(ToQtFilter("A| *.a ; ;*.b |B|*.c"), "A (*.a *.b);;B (*.c)");
    EXPECT_EQ(ToQtFilter("|*.x"), "*.x");
}
