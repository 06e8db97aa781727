#include "app/Options.h"

#include <algorithm>

namespace vornik {

OptionDialogValues FillOptionDialog(const Settings& s, int shellIconDepth) {
    OptionDialogValues d;
    d.color = s.color;
    d.chktoolbar = s.flat;
    d.CheckListBox1 = s.autoicon;
    d.rdoSCAP = s.screencapture;
    d.rgp_stretchbltmode = s.stretchbltmode;
    d.chk16 = s.fixedpalette16;
    d.chkautomaskplus = s.automaskplus;
    d.sedefrate = std::clamp(s.defrate, 1, 100);
    d.chkiconbackadd = s.iconbackadd;
    d.chkiconcolor = shellIconDepth > 15;
    d.cmblanguage = s.language;
    return d;
}

void ResetToDefaultFormats(OptionDialogValues& dialog) { dialog.CheckListBox1 = DefaultAutoIconFormats(); }

void ConfirmOptionDialog(Settings& s, const OptionDialogValues& d, SettingsStore& store) {
    s.color = d.color;
    s.flat = d.chktoolbar;
    s.screencapture = d.rdoSCAP;
    s.stretchbltmode = d.rgp_stretchbltmode;
    s.fixedpalette16 = d.chk16;
    s.automaskplus = d.chkautomaskplus;
    s.autoicon = d.CheckListBox1;
    s.defrate = d.sedefrate;
    s.iconbackadd = d.chkiconbackadd;
    s.language = d.cmblanguage;
    const int depth = ReadShellIconDepth(store);
    if (!d.chkiconcolor && depth > 4)
        WriteShellIconDepth(store, 4);
    else if (d.chkiconcolor && depth < 16)
        WriteShellIconDepth(store, 16);
}

bool RunOptionsDialog(Settings& settings, SettingsStore& store,
                  const std::function<bool(OptionDialogValues&)>& showDialog) {
    OptionDialogValues d = FillOptionDialog(settings, ReadShellIconDepth(store));
    if (!showDialog || !showDialog(d)) return false;
    ConfirmOptionDialog(settings, d, store);
    return true;
}

}  // namespace vornik
