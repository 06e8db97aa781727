#include <gtest/gtest.h>

#include "platform/MemorySettingsStore.h"

using vornik::MemorySettingsStore;

TEST(MemorySettingsStore, SectionsHoldStringValues) {
    MemorySettingsStore store;
    EXPECT_FALSE(store.read("option", "color"));
    EXPECT_FALSE(store.hasSection("option"));
    store.write("option", "color", "255");
    store.write("option", "flat", "1");
    store.write("recent", "Count", "0");
    EXPECT_EQ(store.read("option", "color"), "255");
    EXPECT_FALSE(store.read("recent", "color"));
    store.write("option", "color", "0");
    EXPECT_EQ(store.read("option", "color"), "0");
    auto keys = store.keys("option");
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(keys, (std::vector<std::string>{"color", "flat"}));

    store.remove("option", "color");
    store.remove("option", "nothing");
    store.remove("nosection", "x");
    EXPECT_FALSE(store.read("option", "color"));
    EXPECT_EQ(store.read("option", "flat"), "1");

    store.eraseSection("option");
    EXPECT_FALSE(store.hasSection("option"));
    EXPECT_TRUE(store.keys("option").empty());
    EXPECT_EQ(store.read("recent", "Count"), "0");
    EXPECT_EQ(store.writeCount(), 4);
}
