#include "app/Settings.h"

#include "app/StoredValues.h"
#include "app/ViewZoom.h"

namespace vornik {

namespace {

std::string autoiconName(int n) { return "autoicon" + std::to_string(n); }

}  // namespace

Settings LoadSettings(const SettingsStore& store) {
    const Settings d;
    const std::string s = kOptionSection;
    Settings r;
    r.color = ReadStoredInt(store, s, "color", d.color);
    r.flat = ReadStoredBool(store, s, "flat", d.flat);
    r.hint = ReadStoredBool(store, s, "hint", d.hint);
    for (int n = 0; n < kAutoIconFormats; ++n)
        r.autoicon[n] = ReadStoredBool(store, s, autoiconName(n), false);
    r.screencapture = ReadStoredInt(store, s, "screencapture", d.screencapture);
    r.stretchbltmode = ReadStoredInt(store, s, "stretchbltmode", d.stretchbltmode);
    r.fixedpalette16 = ReadStoredBool(store, s, "16fixedpalette", d.fixedpalette16);
    r.automaskplus = ReadStoredBool(store, s, "automaskplus", d.automaskplus);
    r.defrate = ReadStoredInt(store, s, "defrate", d.defrate);
    r.iconbackadd = ReadStoredBool(store, s, "iconbackadd", d.iconbackadd);
    r.zoom = ValidZoomChoice(ReadStoredInt(store, s, "zoom", d.zoom));
    r.pixelgrid = ReadStoredBool(store, s, "pixelgrid", d.pixelgrid);
    r.language = ReadStoredInt(store, s, "language", d.language);
    if (r.language < kLanguageJapanese || r.language > kLanguageSystem) r.language = d.language;
    return r;
}

void SaveSettings(const Settings& v, SettingsStore& store) {
    const std::string s = kOptionSection;
    WriteStoredInt(store, s, "color", v.color);
    WriteStoredBool(store, s, "flat", v.flat);
    WriteStoredBool(store, s, "hint", v.hint);
    for (int n = 0; n < kAutoIconFormats; ++n) WriteStoredBool(store, s, autoiconName(n), v.autoicon[n]);
    WriteStoredInt(store, s, "screencapture", v.screencapture);
    WriteStoredInt(store, s, "stretchbltmode", v.stretchbltmode);
    WriteStoredBool(store, s, "16fixedpalette", v.fixedpalette16);
    WriteStoredBool(store, s, "automaskplus", v.automaskplus);
    WriteStoredInt(store, s, "defrate", v.defrate);
    WriteStoredBool(store, s, "iconbackadd", v.iconbackadd);
    WriteStoredInt(store, s, "zoom", v.zoom);
    WriteStoredBool(store, s, "pixelgrid", v.pixelgrid);
    WriteStoredInt(store, s, "language", v.language);
}

int StretchModeOf(const Settings& settings) { return settings.stretchbltmode == 0 ? 3 : 4; }

std::array<bool, kAutoIconFormats> DefaultAutoIconFormats() {
    std::array<bool, kAutoIconFormats> f{};
    for (int n : {5, 6, 7, 10, 11, 12}) f[n] = true;
    return f;
}

int ReadShellIconDepth(const SettingsStore& store) {
    return ReadStoredInt(store, kShellIconSection, kShellIconValue, 4);
}

void WriteShellIconDepth(SettingsStore& store, int depth) {
    WriteStoredInt(store, kShellIconSection, kShellIconValue, depth);
}

}  // namespace vornik
