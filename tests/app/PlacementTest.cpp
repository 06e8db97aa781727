#include <gtest/gtest.h>

#include "app/WindowPlacement.h"
#include "platform/MemorySettingsStore.h"

using namespace vornik;

TEST(WindowPlacement, WithoutStoredValuesSeventyPercentCentred) {
    MemorySettingsStore store;
    EXPECT_EQ(RestoreWindowRect(store, "frmMain", 1024, 768, true, 0, 0), (WindowRect{154, 115, 716, 537}));
    EXPECT_EQ(RestoreWindowRect(store, "frmMain", 1001, 999, true, 0, 0), (WindowRect{150, 150, 700, 699}));
    EXPECT_EQ(RestoreWindowRect(store, "frmOption", 800, 600, false, 335, 290),
              (WindowRect{232, 155, 335, 290}));
}

TEST(WindowPlacement, StoredValuesReplaceDefaultsOneByOne) {
    MemorySettingsStore store;
    store.write("frmMainRect", "left", "10");
    store.write("frmMainRect", "height", "500");
    store.write("frmMainRect", "width", "bad");
    EXPECT_EQ(RestoreWindowRect(store, "frmMain", 1000, 1000, true, 0, 0), (WindowRect{10, 150, 700, 500}));
    // a fixed window never takes a stored size
    store.write("dlgRect", "width", "900");
    store.write("dlgRect", "top", "-5");
    EXPECT_EQ(RestoreWindowRect(store, "dlg", 1000, 1000, false, 100, 50), (WindowRect{450, -5, 100, 50}));
}

TEST(WindowPlacement, SavedOnlyInNormalState) {
    MemorySettingsStore store;
    SaveWindowRect(store, "frmMain", {1, 2, 640, 560}, false);
    EXPECT_FALSE(store.hasSection("frmMainRect"));
    SaveWindowRect(store, "frmMain", {1, 2, 640, 560}, true);
    EXPECT_EQ(store.read("frmMainRect", "left"), "1");
    EXPECT_EQ(store.read("frmMainRect", "top"), "2");
    EXPECT_EQ(store.read("frmMainRect", "width"), "640");
    EXPECT_EQ(store.read("frmMainRect", "height"), "560");
    EXPECT_EQ(RestoreWindowRect(store, "frmMain", 1920, 1080, true, 0, 0), (WindowRect{1, 2, 640, 560}));
}

TEST(CentreOverMain, CentresOnceOverTheMainWindowOrTheScreen) {
    const WindowRect main{100, 50, 700, 500};
    bool tag = false;
    int left = -1, top = -1;
    EXPECT_TRUE(CentreOverMain(tag, left, top, 301, 200, true, main, 1280, 1024));
    EXPECT_EQ(left, 100 + 399 / 2);
    EXPECT_EQ(top, 50 + 150);
    EXPECT_TRUE(tag);
    left = 5, top = 6;  // the user moved it
    EXPECT_FALSE(CentreOverMain(tag, left, top, 301, 200, true, main, 1280, 1024));
    EXPECT_EQ(left, 5);
    EXPECT_EQ(top, 6);

    // wider than the main window but shorter: left on the screen, top over the window
    tag = false;
    CentreOverMain(tag, left, top, 700, 100, true, main, 1280, 1024);
    EXPECT_EQ(left, (1280 - 700) / 2);
    EXPECT_EQ(top, 50 + 200);
    // main window not visible: screen
    tag = false;
    CentreOverMain(tag, left, top, 301, 201, false, main, 1280, 1024);
    EXPECT_EQ(left, 489);
    EXPECT_EQ(top, 411);
}
