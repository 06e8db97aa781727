#include "app/Commands.h"

#include "platform/Message.h"

// Captions and hints are English; lupdate collects them into the catalogs
// under the context "Command" and the editor shows them translated.

namespace vornik {

namespace {

using P = CommandPlace;

CommandInfo Item(std::string_view menu, std::string_view name, std::string_view caption,
                 std::string_view hint, int help, std::string_view shortcut = {},
                 bool separatorBefore = false, int tag = -1) {
    CommandInfo c;
    c.name = name;
    c.caption = caption;
    c.shortcut = shortcut;
    c.hint = hint;
    c.helpContext = help;
    c.place = P::Menu;
    c.menu = menu;
    c.tag = tag;
    c.separatorBefore = separatorBefore;
    return c;
}

CommandInfo Button(P place, std::string_view name, std::string_view label, std::string_view hint,
                   std::string_view sameAs, int tag = -1, bool separatorBefore = false) {
    CommandInfo c;
    c.name = name;
    c.caption = label;
    c.hint = hint;
    c.place = place;
    c.sameAs = sameAs;
    c.tag = tag;
    c.separatorBefore = separatorBefore;
    return c;
}

std::vector<CommandInfo> BuildTable() {
    std::vector<CommandInfo> t = {
        // File
        Item("File1", "New1", VORNIK_TRANSLATE_NOOP("Command", "&New"),
             VORNIK_TRANSLATE_NOOP("Command", "Creates a new document"), 10004, "Ctrl+N"),
        Item("File1", "Open1", VORNIK_TRANSLATE_NOOP("Command", "&Open..."),
             VORNIK_TRANSLATE_NOOP("Command", "Opens a file"), 10005, "Ctrl+O"),
        Item("File1", "Save1", VORNIK_TRANSLATE_NOOP("Command", "&Save"),
             VORNIK_TRANSLATE_NOOP("Command", "Saves over the file"), 10006, "Ctrl+S"),
        Item("File1", "SaveAs1", VORNIK_TRANSLATE_NOOP("Command", "Save &As..."),
             VORNIK_TRANSLATE_NOOP("Command", "Saves under a new name"), 10007, "Ctrl+Shift+S"),
        Item("File1", "mnu_allsave", VORNIK_TRANSLATE_NOOP("Command", "&Batch Save..."), "", 0, {}, true),
        Item("File1", "inport1", VORNIK_TRANSLATE_NOOP("Command", "&Import..."),
             VORNIK_TRANSLATE_NOOP("Command", "Takes in a resource from a file"), 10009, {}, true),
        Item("File1", "export1", VORNIK_TRANSLATE_NOOP("Command", "&Export..."),
             VORNIK_TRANSLATE_NOOP("Command", "Saves a resource to a file"), 10010),
        Item("File1", "mnu_exegroup",
             VORNIK_TRANSLATE_NOOP("Command", "Replace This &Group with the Current Icon and Save..."),
             VORNIK_TRANSLATE_NOOP(
                 "Command",
                 "Replaces this group of the program with the icon being edited and saves under a new name"),
             0),
        Item("File1", "Exit1", VORNIK_TRANSLATE_NOOP("Command", "E&xit"),
             VORNIK_TRANSLATE_NOOP("Command", "Quits the program"), 10011, "Ctrl+Q", true),
        // View
        Item("View1", "tlbar1", VORNIK_TRANSLATE_NOOP("Command", "&Tool Bar"),
             VORNIK_TRANSLATE_NOOP("Command", "Shows or hides the tool bar"), 10013),
        Item("View1", "stbar1", VORNIK_TRANSLATE_NOOP("Command", "&Status Bar"),
             VORNIK_TRANSLATE_NOOP("Command", "Shows or hides the status bar"), 10014),
        Item("View1", "mnu_editpanelview", VORNIK_TRANSLATE_NOOP("Command", "&Editing Panel"),
             VORNIK_TRANSLATE_NOOP("Command", "Shows or hides the editing panel"), 10015),
        Item("View1", "view1", VORNIK_TRANSLATE_NOOP("Command", "Large Icons"), "", 10016, {}, true, 0),
        Item("View1", "view2", VORNIK_TRANSLATE_NOOP("Command", "Small Icons"), "", 10016, {}, false, 1),
        Item("View1", "view3", VORNIK_TRANSLATE_NOOP("Command", "List"), "", 10016, {}, false, 2),
        Item("View1", "view4", VORNIK_TRANSLATE_NOOP("Command", "Details"), "", 10016, {}, false, 3),
        Item("View1", "m_iconchk", VORNIK_TRANSLATE_NOOP("Command", "Icon &Check..."),
             VORNIK_TRANSLATE_NOOP("Command", "Checks the icon's transparent areas."), 0, {}, true),
        // Edit
        Item("Edit1", "Undo1", VORNIK_TRANSLATE_NOOP("Command", "&Undo"),
             VORNIK_TRANSLATE_NOOP("Command", "Undoes the last edit"), 10018, "Ctrl+Z"),
        Item("Edit1", "Redo1", VORNIK_TRANSLATE_NOOP("Command", "&Redo"),
             VORNIK_TRANSLATE_NOOP("Command", "Redoes the edit undone"), 10018, "Ctrl+Y"),
        Item("Edit1", "Cut1", VORNIK_TRANSLATE_NOOP("Command", "Cu&t"), "", 10018, "Ctrl+X", true),
        Item("Edit1", "Copy1", VORNIK_TRANSLATE_NOOP("Command", "&Copy"), "", 10018, "Ctrl+C"),
        Item("Edit1", "Paste1", VORNIK_TRANSLATE_NOOP("Command", "&Paste"), "", 10018, "Ctrl+V"),
        Item("Edit1", "mnu_bmpget", VORNIK_TRANSLATE_NOOP("Command", "Take In &Bitmap"),
             VORNIK_TRANSLATE_NOOP("Command", "Takes in the bitmap"), 10069, {}, true),
        Item("Edit1", "mnu_convert", VORNIK_TRANSLATE_NOOP("Command", "C&onvert Resource"),
             VORNIK_TRANSLATE_NOOP("Command", "Changes the resource's kind, size and colours"), 10070),
        Item("Edit1", "mnu_iconrep", VORNIK_TRANSLATE_NOOP("Command", "Rep&lace Resource"),
             VORNIK_TRANSLATE_NOOP("Command", "Replace the resource"), 10072, "Ctrl+U"),
        Item("Edit1", "mnu_iconadd", VORNIK_TRANSLATE_NOOP("Command", "&Add Resource"),
             VORNIK_TRANSLATE_NOOP("Command", "Insert a resource"), 10071),
        // Edit, rotation submenu (mnu_rotate sits between mnu_iconadd and mnu_maskinv)
        Item("mnu_rotate", "mnu_r180", VORNIK_TRANSLATE_NOOP("Command", "&180 Degrees"),
             VORNIK_TRANSLATE_NOOP("Command", "Rotate 180 degrees"), 10031),
        Item("mnu_rotate", "mnu_r90", VORNIK_TRANSLATE_NOOP("Command", "Rotate 90 Degrees &Right"),
             VORNIK_TRANSLATE_NOOP("Command", "Rotate 90 degrees right"), 10032, "Ctrl+R"),
        Item("mnu_rotate", "mnu_l90", VORNIK_TRANSLATE_NOOP("Command", "Rotate 90 Degrees &Left"),
             VORNIK_TRANSLATE_NOOP("Command", "Rotates 90 degrees left"), 10033, "Ctrl+Shift+R"),
        Item("mnu_rotate", "mnu_rotimage", VORNIK_TRANSLATE_NOOP("Command", "By Angle..."),
             VORNIK_TRANSLATE_NOOP("Command", "Rotates by any angle"), 10034),
        Item("mnu_rotate", "mnu_flip", VORNIK_TRANSLATE_NOOP("Command", "Flip Vertically"),
             VORNIK_TRANSLATE_NOOP("Command", "Flip vertically"), 10035, "Shift+V", true),
        Item("mnu_rotate", "mnu_millor", VORNIK_TRANSLATE_NOOP("Command", "Flip Horizontally"),
             VORNIK_TRANSLATE_NOOP("Command", "Flip horizontally"), 10036, "Shift+H"),
        Item("Edit1", "mnu_maskinv", VORNIK_TRANSLATE_NOOP("Command", "Invert &Mask"),
             VORNIK_TRANSLATE_NOOP("Command", "Invert the mask"), 10037),
        Item("Edit1", "mnu_maskfill", VORNIK_TRANSLATE_NOOP("Command", "&Fill Mask"),
             VORNIK_TRANSLATE_NOOP("Command", "Fill the mask"), 10038),
        Item("Edit1", "iconauto", VORNIK_TRANSLATE_NOOP("Command", "Auto-Complete &Icons"),
             VORNIK_TRANSLATE_NOOP("Command", "Auto-complete icons"), 10039, {}, true),
        Item("Edit1", "mnu_bitmapzoom", VORNIK_TRANSLATE_NOOP("Command", "Resi&ze Bitmap..."), "", 10040),
        // Option: a command of the menu bar itself
        Item("", "Option1", VORNIK_TRANSLATE_NOOP("Command", "&Options"),
             VORNIK_TRANSLATE_NOOP("Command", "Sets the options"), 10041),
        // Help
        Item("Help1", "Contents1", VORNIK_TRANSLATE_NOOP("Command", "&Contents"), "", 10042),
        Item("Help1", "SearchforHelpOn1", VORNIK_TRANSLATE_NOOP("Command", "&Search for Help On..."),
             VORNIK_TRANSLATE_NOOP("Command", "Searches the topics"), 10042),
        Item("Help1", "HowtoUseHelp1", VORNIK_TRANSLATE_NOOP("Command", "&How to Use Help"),
             VORNIK_TRANSLATE_NOOP("Command", "Shows how to use the help"), 10042),
        Item("Help1", "About1", VORNIK_TRANSLATE_NOOP("Command", "&About..."),
             VORNIK_TRANSLATE_NOOP("Command", "Shows the program's version"), 10042, {}, true),

        // Tool bar "Vornik"
        Button(P::ToolBar, "tbnew", VORNIK_TRANSLATE_NOOP("Command", "New"),
               VORNIK_TRANSLATE_NOOP("Command", "Creates a new document"), "New1"),
        Button(P::ToolBar, "tbopen", VORNIK_TRANSLATE_NOOP("Command", "Open"),
               VORNIK_TRANSLATE_NOOP("Command", "Open a file"), "Open1"),
        Button(P::ToolBar, "tbsave", VORNIK_TRANSLATE_NOOP("Command", "Save"),
               VORNIK_TRANSLATE_NOOP("Command", "Save the file"), "Save1"),
        Button(P::ToolBar, "tbundo", VORNIK_TRANSLATE_NOOP("Command", "Undo"),
               VORNIK_TRANSLATE_NOOP("Command", "Undo the last edit"), "Undo1", -1, true),
        Button(P::ToolBar, "tbredo", VORNIK_TRANSLATE_NOOP("Command", "Redo"),
               VORNIK_TRANSLATE_NOOP("Command", "Redo"), "Redo1"),
        Button(P::ToolBar, "tbcut", VORNIK_TRANSLATE_NOOP("Command", "Cut"),
               VORNIK_TRANSLATE_NOOP("Command", "Cut the selection"), "Cut1", -1, true),
        Button(P::ToolBar, "tbcopy", VORNIK_TRANSLATE_NOOP("Command", "Copy"),
               VORNIK_TRANSLATE_NOOP("Command", "Copy the selection"), "Copy1"),
        Button(P::ToolBar, "tbpaste", VORNIK_TRANSLATE_NOOP("Command", "Paste"),
               VORNIK_TRANSLATE_NOOP("Command", "Paste from the clipboard"), "Paste1"),
        Button(P::ToolBar, "tbview1", VORNIK_TRANSLATE_NOOP("Command", "Large"),
               VORNIK_TRANSLATE_NOOP("Command", "Large icons"), "view1", 0, true),
        Button(P::ToolBar, "tbview2", VORNIK_TRANSLATE_NOOP("Command", "Small"),
               VORNIK_TRANSLATE_NOOP("Command", "Small icons"), "view2", 1),
        Button(P::ToolBar, "tbview3", VORNIK_TRANSLATE_NOOP("Command", "List"),
               VORNIK_TRANSLATE_NOOP("Command", "List"), "view3", 2),
        Button(P::ToolBar, "tbview4", VORNIK_TRANSLATE_NOOP("Command", "Details"),
               VORNIK_TRANSLATE_NOOP("Command", "Details"), "view4", 3),
        Button(P::ToolBar, "tbiconchk", VORNIK_TRANSLATE_NOOP("Command", "Check"),
               VORNIK_TRANSLATE_NOOP("Command", "Check the icon's transparent areas"), "m_iconchk", -1, true),
        Button(P::ToolBar, "tbhelp", VORNIK_TRANSLATE_NOOP("Command", "Help"),
               VORNIK_TRANSLATE_NOOP("Command", "Show the help"), "Contents1", -1, true),

        // Editing panel command buttons
        Button(P::EditPanel, "tbbmpget", VORNIK_TRANSLATE_NOOP("Command", "Take In"),
               VORNIK_TRANSLATE_NOOP("Command", "Takes in the bitmap"), "mnu_bmpget"),
        Button(P::EditPanel, "tbconvert", VORNIK_TRANSLATE_NOOP("Command", "Convert"),
               VORNIK_TRANSLATE_NOOP("Command", "Changes the resource's kind, size and colours"),
               "mnu_convert"),
        Button(P::EditPanel, "tbinport", VORNIK_TRANSLATE_NOOP("Command", "Import"),
               VORNIK_TRANSLATE_NOOP("Command", "Import a resource"), "inport1"),
        Button(P::EditPanel, "tbexport", VORNIK_TRANSLATE_NOOP("Command", "Export"),
               VORNIK_TRANSLATE_NOOP("Command", "Export the resource"), "export1"),
        Button(P::EditPanel, "tbiconrep", VORNIK_TRANSLATE_NOOP("Command", "Replace"),
               VORNIK_TRANSLATE_NOOP("Command", "Replace the resource"), "mnu_iconrep"),
        Button(P::EditPanel, "tbiconadd", VORNIK_TRANSLATE_NOOP("Command", "Add"),
               VORNIK_TRANSLATE_NOOP("Command", "Insert a resource"), "mnu_iconadd"),
        Button(P::EditPanel, "tbflip", VORNIK_TRANSLATE_NOOP("Command", "Flip V"),
               VORNIK_TRANSLATE_NOOP("Command", "Flips top and bottom"), "mnu_flip"),
        Button(P::EditPanel, "tbmillor", VORNIK_TRANSLATE_NOOP("Command", "Flip H"),
               VORNIK_TRANSLATE_NOOP("Command", "Flips left and right"), "mnu_millor"),
        Button(P::EditPanel, "tbl90", VORNIK_TRANSLATE_NOOP("Command", "Left 90"),
               VORNIK_TRANSLATE_NOOP("Command", "Rotate 90 degrees left"), "mnu_l90"),
        Button(P::EditPanel, "tbr90", VORNIK_TRANSLATE_NOOP("Command", "Right 90"),
               VORNIK_TRANSLATE_NOOP("Command", "Rotates 90 degrees right"), "mnu_r90"),
        Button(P::EditPanel, "tbmaskinv", VORNIK_TRANSLATE_NOOP("Command", "Invert"),
               VORNIK_TRANSLATE_NOOP("Command", "Invert the mask"), "mnu_maskinv"),
        Button(P::EditPanel, "tbmaskfill", VORNIK_TRANSLATE_NOOP("Command", "Fill"),
               VORNIK_TRANSLATE_NOOP("Command", "Fill the mask"), "mnu_maskfill"),
        Button(P::EditPanel, "tbiconauto", VORNIK_TRANSLATE_NOOP("Command", "Auto"),
               VORNIK_TRANSLATE_NOOP("Command", "Auto-complete icons"), "iconauto"),
    };
    // Buttons carry the help context of the item whose handler they share.
    for (auto& c : t) {
        if (c.sameAs.empty()) continue;
        for (const auto& m : t) {
            if (m.name == c.sameAs) {
                c.helpContext = m.helpContext;
                break;
            }
        }
    }
    return t;
}

}  // namespace

const std::vector<CommandInfo>& CommandTable() {
    static const std::vector<CommandInfo> table = BuildTable();
    return table;
}

const std::vector<MenuInfo>& MenuTable() {
    static const std::vector<MenuInfo> menus = {
        {"File1", VORNIK_TRANSLATE_NOOP("Command", "&File"), ""},
        {"View1", VORNIK_TRANSLATE_NOOP("Command", "&View"), ""},
        {"Edit1", VORNIK_TRANSLATE_NOOP("Command", "&Edit"), ""},
        {"mnu_rotate", VORNIK_TRANSLATE_NOOP("Command", "Rotat&e"), "Edit1"},
        {"Help1", VORNIK_TRANSLATE_NOOP("Command", "&Help"), ""},
    };
    return menus;
}

const CommandInfo* FindCommand(std::string_view name) {
    for (const auto& c : CommandTable())
        if (c.name == name) return &c;
    return nullptr;
}

std::vector<const CommandInfo*> CommandsOfMenu(std::string_view menu) {
    std::vector<const CommandInfo*> out;
    for (const auto& c : CommandTable())
        if (c.place == CommandPlace::Menu && c.menu == menu && !c.name.empty()) out.push_back(&c);
    return out;
}

std::vector<const CommandInfo*> CommandsAt(CommandPlace place) {
    std::vector<const CommandInfo*> out;
    for (const auto& c : CommandTable())
        if (c.place == place) out.push_back(&c);
    return out;
}

const std::vector<ControlHelp>& ControlHelpTable() {
    static const std::vector<ControlHelp> table = {
        {"cmbtype", 10065},      {"cmbsize", 10066},    {"cmbcolor", 10067},   {"spex", 10068},
        {"spey", 10068},         {"spebx", 10073},      {"speby", 10073},      {"sprate", 10053},
        {"edttitle", 10057},     {"edtcreator", 10056}, {"LVIcon", 10045},     {"lvani1", 10047},
        {"lvani2", 10047},       {"ScrollBox3", 10058}, {"grpselect", 10064},  {"StatusBar1", 10075},
        {"PageControl1", 10074}, {"ScrollBox1", 10062}, {"ScrollBox2", 10063}, {"btnanieft", 10084},
    };
    return table;
}

int HelpContextOf(std::string_view controlName) {
    if (const CommandInfo* c = FindCommand(controlName)) return c->helpContext;
    for (const auto& h : ControlHelpTable())
        if (h.name == controlName) return h.helpContext;
    return 0;
}

}  // namespace vornik
