#include <gtest/gtest.h>

#include "app/THistoryMenu.h"
#include "platform/MemorySettingsStore.h"

using namespace vornik;

TEST(THistoryList, MostRecentFirstWithoutCaseDuplicatesAndAtMost32) {
    THistoryList h;
    h.Add("/a/One.ico");
    h.Add("/a/two.ico");
    h.Add("/A/ONE.ICO");
    EXPECT_EQ(h.Items(), (std::vector<std::string>{"/A/ONE.ICO", "/a/two.ico"}));
    for (int i = 0; i < 40; ++i) h.Add("/p" + std::to_string(i));
    EXPECT_EQ(h.Count(), 32);
    EXPECT_EQ(h.Items().front(), "/p39");
    EXPECT_EQ(h.Items().back(), "/p8");
}

TEST(THistoryMenu, ShowsTheFirstEightNumberedFromZero) {
    MemorySettingsStore store;
    THistoryMenu m;
    m.Activate(store);
    EXPECT_TRUE(m.MenuCaptions().empty());
    for (int i = 0; i < 10; ++i) m.Add("/f" + std::to_string(i));
    ASSERT_EQ(m.MenuCaptions().size(), 8u);
    EXPECT_EQ(m.MenuCaptions()[0], "&0 /f9");
    EXPECT_EQ(m.MenuCaptions()[7], "&7 /f2");
    EXPECT_EQ(m.PathAt(1), "/f8");
    EXPECT_EQ(m.PathAt(8), "");
    EXPECT_EQ(m.PathAt(-1), "");
    m.Add(m.PathAt(3));  // choosing an entry brings it to the front
    EXPECT_EQ(m.MenuCaptions()[0], "&0 /f6");
    EXPECT_EQ(m.MenuCaptions()[1], "&1 /f9");
}

TEST(THistoryMenu, StoredAsCountAndNumberedValues) {
    MemorySettingsStore store;
    {
        THistoryMenu m;
        m.Activate(store);
        m.Add("/x");
        m.Add("/y");
        m.Deactivate(store);
        EXPECT_TRUE(m.MenuCaptions().empty());
    }
    EXPECT_EQ(store.read("recent", "Count"), "2");
    EXPECT_EQ(store.read("recent", "H0"), "/y");
    EXPECT_EQ(store.read("recent", "H1"), "/x");
    THistoryMenu again;
    again.Activate(store);
    EXPECT_EQ(again.History.Items(), (std::vector<std::string>{"/y", "/x"}));
    again.Add("/z");
    again.History.Add("/y");
    again.Deactivate(store);
    EXPECT_EQ(store.read("recent", "Count"), "3");
    EXPECT_EQ(store.read("recent", "H0"), "/y");
    EXPECT_EQ(store.read("recent", "H2"), "/x");
}

TEST(THistoryMenu, MissingValuesReadAsBUG) {
    MemorySettingsStore store;
    store.write("recent", "Count", "3");
    store.write("recent", "H0", "/first");
    store.write("recent", "H2", "/third");
    THistoryMenu m;
    m.Activate(store);
    EXPECT_EQ(m.History.Items(), (std::vector<std::string>{"/first", "BUG", "/third"}));

    store.write("recent", "Count", "junk");
    m.Activate(store);
    EXPECT_EQ(m.History.Count(), 0);

    store.write("recent", "Count", "2000000000");  // damaged: read only a bounded part
    m.Activate(store);
    EXPECT_EQ(m.History.Items(), (std::vector<std::string>{"/first", "BUG", "/third"}));
}
