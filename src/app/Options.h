#pragma once

#include <array>
#include <functional>

#include "app/Settings.h"
#include "platform/Message.h"
#include "platform/SettingsStore.h"

namespace vornik {

// What the options dialog TfrmOption shows, by control.
struct OptionDialogValues {
    int color = 0;            // the swatch Shape1
    bool chktoolbar = false;  // "flat"
    std::array<bool, kAutoIconFormats> CheckListBox1{};
    int rdoSCAP = 0;  // "screencapture"
    int rgp_stretchbltmode = 0;
    bool chk16 = false;  // "16fixedpalette"
    bool chkautomaskplus = false;
    int sedefrate = 10;  // 1..100
    bool chkiconbackadd = false;
    bool chkiconcolor = false;  // "Shell Icon BPP" above 15
    int cmblanguage = 0;        // "language"
};

inline constexpr const char* kIconColorNotice = VORNIK_TRANSLATE_NOOP(
    "Editor",
    "For this setting to take effect, set the colour palette in the display settings of the control panel "
    "to 16 bit or more. Windows restarts after the setting.");

OptionDialogValues FillOptionDialog(const Settings& settings, int shellIconDepth);

// "Default": the six default formats, nothing else.
void ResetToDefaultFormats(OptionDialogValues& dialog);

// "&OK": every value into the settings; the desktop icon depth is written
// (to 4 or 16) only when the check box disagrees with it.
void ConfirmOptionDialog(Settings& settings, const OptionDialogValues& dialog, SettingsStore& store);

// The options command: fill, let showDialog edit the values (true for "&OK"),
// confirm. False when cancelled, nothing changed then.
bool RunOptionsDialog(Settings& settings, SettingsStore& store,
                  const std::function<bool(OptionDialogValues&)>& showDialog);

}  // namespace vornik
