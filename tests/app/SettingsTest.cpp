#include <gtest/gtest.h>

#include "app/Settings.h"
#include "app/StoredValues.h"
#include "platform/MemorySettingsStore.h"

using namespace vornik;

TEST(Settings, EmptyStoreGivesTheDefaults) {
    MemorySettingsStore store;
    Settings s = LoadSettings(store);
    EXPECT_EQ(s.color, 0xC0C0C0);
    EXPECT_EQ(s.color, 12632256);
    EXPECT_FALSE(s.flat);
    EXPECT_TRUE(s.hint);
    for (bool f : s.autoicon) EXPECT_FALSE(f);
    EXPECT_EQ(s.screencapture, 0);
    EXPECT_EQ(s.stretchbltmode, 0);
    EXPECT_EQ(StretchModeOf(s), 3);
    EXPECT_FALSE(s.fixedpalette16);
    EXPECT_TRUE(s.automaskplus);
    EXPECT_EQ(s.defrate, 10);
    EXPECT_FALSE(s.iconbackadd);
    EXPECT_EQ(store.writeCount(), 0);  // reading writes nothing
}

TEST(Settings, StoredTextsAreReadAsIntegersHexAndBooleans) {
    MemorySettingsStore store;
    store.write("option", "color", "0xFF");
    store.write("option", "flat", "2");  // any non-zero number is true
    store.write("option", "hint", "0");
    store.write("option", "autoicon7", "1");
    store.write("option", "autoicon19", "0X1");
    store.write("option", "stretchbltmode", "2");
    store.write("option", "16fixedpalette", "1");
    store.write("option", "automaskplus", "yes");  // unreadable: default
    store.write("option", "defrate", " 25 ");
    store.write("option", "screencapture", "");
    Settings s = LoadSettings(store);
    EXPECT_EQ(s.color, 0xFF);  // pure red: red is the low byte
    EXPECT_TRUE(s.flat);
    EXPECT_FALSE(s.hint);
    EXPECT_TRUE(s.autoicon[7]);
    EXPECT_TRUE(s.autoicon[19]);
    EXPECT_FALSE(s.autoicon[0]);
    EXPECT_EQ(s.stretchbltmode, 2);
    EXPECT_EQ(StretchModeOf(s), 4);
    store.write("option", "stretchbltmode", "1");
    EXPECT_EQ(StretchModeOf(LoadSettings(store)), 4);
    EXPECT_TRUE(s.fixedpalette16);
    EXPECT_TRUE(s.automaskplus);
    EXPECT_EQ(s.defrate, 25);
    EXPECT_EQ(s.screencapture, 0);
}

TEST(Settings, RoundTripWritesEveryValueAsText) {
    MemorySettingsStore store;
    Settings s;
    s.color = 0x123456;
    s.flat = true;
    s.autoicon = DefaultAutoIconFormats();
    s.screencapture = 2;
    s.stretchbltmode = 1;
    s.automaskplus = false;
    s.defrate = 99;
    s.iconbackadd = true;
    s.zoom = 8;
    s.pixelgrid = false;
    s.language = kLanguageSystem;
    SaveSettings(s, store);
    EXPECT_EQ(store.read("option", "language"), "2");
    EXPECT_EQ(store.keys("option").size(), 38u);  // 12 values and 26 formats
    EXPECT_EQ(store.read("option", "zoom"), "8");
    EXPECT_EQ(store.read("option", "pixelgrid"), "0");
    EXPECT_EQ(store.read("option", "color"), "1193046");
    EXPECT_EQ(store.read("option", "flat"), "1");
    EXPECT_EQ(store.read("option", "hint"), "1");
    EXPECT_EQ(store.read("option", "automaskplus"), "0");
    EXPECT_EQ(store.read("option", "autoicon5"), "1");
    EXPECT_EQ(store.read("option", "autoicon4"), "0");
    EXPECT_EQ(store.read("option", "16fixedpalette"), "0");
    EXPECT_EQ(LoadSettings(store), s);
}

TEST(Settings, DefaultFormatsAreTheSixteenAndTwoFiftySixColourIcons) {
    auto f = DefaultAutoIconFormats();
    std::vector<int> on;
    for (int n = 0; n < kAutoIconFormats; ++n)
        if (f[n]) on.push_back(n);
    EXPECT_EQ(on, (std::vector<int>{5, 6, 7, 10, 11, 12}));
}

TEST(Settings, ShellIconDepthHasItsOwnSection) {
    MemorySettingsStore store;
    EXPECT_EQ(ReadShellIconDepth(store), 4);
    WriteShellIconDepth(store, 16);
    EXPECT_EQ(store.read("WindowMetrics", "Shell Icon BPP"), "16");
    EXPECT_EQ(ReadShellIconDepth(store), 16);
    EXPECT_FALSE(store.hasSection("option"));
}

TEST(StoredValues, ParsesDecimalAndHexAndRefusesTheRest) {
    int v = 0;
    EXPECT_TRUE(ParseStoredInt("-12", v));
    EXPECT_EQ(v, -12);
    EXPECT_TRUE(ParseStoredInt("0xC0C0C0", v));
    EXPECT_EQ(v, 0xC0C0C0);
    EXPECT_TRUE(ParseStoredInt("0xFFFFFFFF", v));
    EXPECT_EQ(v, -1);
    EXPECT_TRUE(ParseStoredInt("2147483647", v));
    v = 7;
    for (const char* bad :
         {"", " ", "0x", "12a", "2147483648", "0x100000000", "1.5", "--1", "99999999999999999999"}) {
        EXPECT_FALSE(ParseStoredInt(bad, v)) << bad;
    }
    EXPECT_EQ(v, 7);  // untouched by refusals
}
