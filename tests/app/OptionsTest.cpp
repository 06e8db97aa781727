#include <gtest/gtest.h>

#include "app/Options.h"
#include "platform/MemorySettingsStore.h"

using namespace vornik;

TEST(Options, CancelChangesNothing) {
    MemorySettingsStore store;
    Settings s;
    const Settings before = s;
    EXPECT_FALSE(RunOptionsDialog(s, store, [](OptionDialogValues& d) {
        d.color = 0x0000FF;
        d.CheckListBox1 = {};
        d.chkiconcolor = true;
        return false;
    }));
    EXPECT_EQ(s, before);
    EXPECT_EQ(store.writeCount(), 0);
}

TEST(Options, ConfirmStoresEveryControlInTheRecord) {
    MemorySettingsStore store;
    Settings s;
    s.defrate = 500;
    EXPECT_TRUE(RunOptionsDialog(s, store, [](OptionDialogValues& d) {
        EXPECT_EQ(d.sedefrate, 100);  // clamped into the field's range
        EXPECT_EQ(d.color, 0xC0C0C0);
        EXPECT_TRUE(d.chkautomaskplus);
        ResetToDefaultFormats(d);
        d.color = 0xFF;
        d.chktoolbar = true;
        d.rdoSCAP = 1;
        d.rgp_stretchbltmode = 2;
        d.chk16 = true;
        d.chkautomaskplus = false;
        d.sedefrate = 3;
        d.chkiconbackadd = true;
        return true;
    }));
    EXPECT_EQ(s.color, 0xFF);
    EXPECT_TRUE(s.flat);
    EXPECT_EQ(s.screencapture, 1);
    EXPECT_EQ(s.stretchbltmode, 2);
    EXPECT_TRUE(s.fixedpalette16);
    EXPECT_FALSE(s.automaskplus);
    EXPECT_EQ(s.defrate, 3);
    EXPECT_TRUE(s.iconbackadd);
    EXPECT_EQ(s.autoicon, DefaultAutoIconFormats());
    EXPECT_FALSE(store.hasSection("option"));  // settings reach the store only at exit
}

TEST(Options, DesktopIconDepthWrittenOnlyWhenTheBoxDisagrees) {
    struct Case {
        const char* stored;  // nullptr: absent (4)
        bool touch;          // flip the box before OK
        const char* after;   // expected stored value afterwards (nullptr: absent)
        bool boxShown;
    };
    const Case cases[] = {
        {nullptr, false, nullptr, false}, {nullptr, true, "16", false}, {"4", false, "4", false},
        {"16", false, "16", true},        {"32", false, "32", true},    {"8", false, "4", false},
        {"15", false, "4", false},        {"16", true, "4", true},
    };
    for (const Case& c : cases) {
        MemorySettingsStore store;
        if (c.stored) store.write(kShellIconSection, kShellIconValue, c.stored);
        const int writesBefore = store.writeCount();
        Settings s;
        bool shown = false;
        RunOptionsDialog(s, store, [&](OptionDialogValues& d) {
            shown = d.chkiconcolor;
            if (c.touch) d.chkiconcolor = !d.chkiconcolor;
            return true;
        });
        EXPECT_EQ(shown, c.boxShown) << (c.stored ? c.stored : "absent");
        auto v = store.read(kShellIconSection, kShellIconValue);
        if (c.after)
            EXPECT_EQ(v, c.after) << (c.stored ? c.stored : "absent");
        else
            EXPECT_FALSE(v);
        const bool wrote = store.writeCount() != writesBefore;
        const bool shouldWrite = !(c.after == nullptr || (c.stored && std::string(c.stored) == c.after));
        EXPECT_EQ(wrote, shouldWrite) << (c.stored ? c.stored : "absent");
    }
}
