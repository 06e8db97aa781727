#pragma once

#include <string_view>
#include <vector>

namespace vornik {

// Where a command's control sits in the main window.
enum class CommandPlace {
    Menu,       // a menu item (menu says which)
    ToolBar,    // a button of the tool bar "Vornik"
    EditPanel,  // a command button of the editing panel
};

// One command of the main window. Buttons that run the handler of a menu item
// name it in sameAs; they carry that item's help context.
struct CommandInfo {
    std::string_view name;      // control name: New1, tbnew, mnu_convert ...
    // Captions and hints are English source texts of the translation context
    // "Command": the editor shows them translated, keeping the & mnemonic.
    std::string_view caption;   // menu caption with its & mnemonic; for buttons the short label
    std::string_view shortcut;  // key sequence text ("Ctrl+X") or empty
    std::string_view hint;      // shown in status bar panel 0 while the pointer is over it
    int helpContext = 0;        // 0: none
    CommandPlace place = CommandPlace::Menu;
    std::string_view menu;    // for menu items: File1, View1, Edit1, mnu_rotate, Option1 (top level), Help1
    std::string_view sameAs;  // the menu item whose handler a button shares, or empty
    int tag = -1;             // list style 0..3 for view1..view4 / tbview1..tbview4, else -1
    bool separatorBefore = false;  // menu items: a separator goes above this item
};

// A top-level menu (or the rotation submenu) of the menu bar.
struct MenuInfo {
    std::string_view name;
    std::string_view caption;
    std::string_view parent;  // empty for the menu bar itself
};

// Every command in display order: menu items in menu order, then the tool
// bar, then the editing panel.
const std::vector<CommandInfo>& CommandTable();

// The menus in menu-bar order (the rotation submenu follows Edit1).
// Option1 is a command of the menu bar itself, not a menu.
const std::vector<MenuInfo>& MenuTable();

// nullptr when no command has that name.
const CommandInfo* FindCommand(std::string_view name);

// The commands of one menu, in order.
std::vector<const CommandInfo*> CommandsOfMenu(std::string_view menu);

// The commands of a button row, in order.
std::vector<const CommandInfo*> CommandsAt(CommandPlace place);

// The help context of any named control: commands first, then the other
// controls of the window (cmbtype, LVIcon, StatusBar1 ...). 0 when it has none.
int HelpContextOf(std::string_view controlName);

// Controls other than commands that carry a help context.
struct ControlHelp {
    std::string_view name;
    int helpContext;
};
const std::vector<ControlHelp>& ControlHelpTable();

}  // namespace vornik
