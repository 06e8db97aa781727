#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/Commands.h"

using namespace vornik;

TEST(Commands, MenuItemsCarryTheirExactCaptionShortcutHintAndHelp) {
    const CommandInfo* cut = FindCommand("Cut1");
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(cut->caption, "Cu&t");  // English source; the editor shows it translated
    EXPECT_EQ(cut->shortcut, "Ctrl+X");
    EXPECT_EQ(cut->hint, "");
    EXPECT_EQ(cut->helpContext, 10018);
    EXPECT_EQ(cut->menu, "Edit1");

    EXPECT_EQ(FindCommand("Copy1")->shortcut, "Ctrl+C");
    EXPECT_EQ(FindCommand("Paste1")->shortcut, "Ctrl+V");
    EXPECT_EQ(FindCommand("Open1")->caption, "&Open...");
    EXPECT_EQ(FindCommand("Open1")->shortcut, "Ctrl+O");
    EXPECT_EQ(FindCommand("SaveAs1")->shortcut, "Ctrl+Shift+S");
    EXPECT_EQ(FindCommand("Undo1")->shortcut, "Ctrl+Z");
    EXPECT_EQ(FindCommand("SaveAs1")->hint, "Saves under a new name");
    EXPECT_EQ(FindCommand("mnu_maskinv")->caption, "Invert &Mask");
    EXPECT_EQ(FindCommand("mnu_l90")->hint, "Rotates 90 degrees left");
    EXPECT_EQ(FindCommand("mnu_r180")->menu, "mnu_rotate");
    EXPECT_EQ(FindCommand("inport1")->helpContext, 10009);
    EXPECT_EQ(FindCommand("mnu_iconadd")->helpContext, 10071);
    EXPECT_EQ(FindCommand("mnu_allsave")->helpContext, 0);
    // The options command sits on the menu bar itself.
    EXPECT_EQ(FindCommand("Option1")->menu, "");
    EXPECT_EQ(FindCommand("Option1")->caption, "&Options");
    EXPECT_EQ(FindCommand("nothing"), nullptr);
}

TEST(Commands, ButtonsShareAnExistingMenuHandlerAndItsHelpContext) {
    std::set<std::string> names;
    for (const auto& c : CommandTable()) {
        EXPECT_TRUE(names.insert(std::string(c.name)).second) << "duplicate " << c.name;
        if (c.place == CommandPlace::Menu) continue;
        const CommandInfo* item = FindCommand(c.sameAs);
        ASSERT_NE(item, nullptr) << c.name;
        EXPECT_EQ(item->place, CommandPlace::Menu) << c.name;
        EXPECT_EQ(c.helpContext, item->helpContext) << c.name;
        EXPECT_EQ(c.tag, item->tag) << c.name;
        EXPECT_FALSE(c.hint.empty()) << c.name;
    }
    EXPECT_EQ(FindCommand("tbl90")->hint, "Rotate 90 degrees left");
    EXPECT_EQ(FindCommand("tbhelp")->sameAs, "Contents1");
    EXPECT_EQ(FindCommand("tbview4")->tag, 3);
    EXPECT_EQ(CommandsAt(CommandPlace::ToolBar).size(), 14u);
    EXPECT_EQ(CommandsAt(CommandPlace::EditPanel).size(), 13u);
}

TEST(Commands, MenusListTheirItemsInOrder) {
    auto view = CommandsOfMenu("View1");
    ASSERT_EQ(view.size(), 8u);
    EXPECT_EQ(view[3]->name, "view1");
    EXPECT_EQ(view[6]->name, "view4");
    EXPECT_EQ(view[6]->caption, "Details");
    EXPECT_EQ(CommandsOfMenu("mnu_rotate").size(), 6u);
    for (const auto& m : MenuTable()) EXPECT_FALSE(CommandsOfMenu(m.name).empty()) << m.name;
}

TEST(Commands, OtherControlsCarryHelpContexts) {
    EXPECT_EQ(HelpContextOf("cmbtype"), 10065);
    EXPECT_EQ(HelpContextOf("speby"), 10073);
    EXPECT_EQ(HelpContextOf("btnanieft"), 10084);
    EXPECT_EQ(HelpContextOf("tbconvert"), 10070);
    EXPECT_EQ(HelpContextOf("unknown"), 0);
}
