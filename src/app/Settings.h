#pragma once

#include <array>
#include <string>

#include "platform/SettingsStore.h"

namespace vornik {

// Names under which the program keeps its settings.
inline constexpr const char* kRegistryKeyName = "vornik2";
inline constexpr const char* kSettingsRoot = "Software\\Vesko\\vornik2";
inline constexpr const char* kOptionSection = "option";

// The number of icon formats auto-completion knows: the classic twenty
// (" 16x 16 -   2" ... "128x128 - 16M"), then 32 bits with alpha at 16, 32,
// 48, 64, 128 and 256 pixels. New ones go at the end, so stored settings
// keep their numbers.
inline constexpr int kAutoIconFormats = 26;

// The user's preferences; fields carry their stored value names
// ("16fixedpalette" is not an identifier, hence fixedpalette16).
struct Settings {
    int color = 0xC0C0C0;                           // RGB, red in the low byte: background of the views
    bool flat = false;                              // flat tool bar and panel buttons
    bool hint = true;                               // read and written back; nothing else uses it
    std::array<bool, kAutoIconFormats> autoicon{};  // formats auto-completion fills in
    int screencapture = 0;                          // 0 desktop, 1 foreground window, 2 none
    int stretchbltmode = 0;                         // 0 COLORONCOLOR; 1 and 2 HALFTONE
    bool fixedpalette16 = false;                    // 16-colour reduction snaps to the fixed palette
    bool automaskplus = true;                       // blacken the image under a mask built from a colour
    int defrate = 10;                               // display rate of a new animated cursor's steps
    bool iconbackadd = false;                       // exported bitmaps get "color" under transparent pixels
    int zoom = 0;                                   // magnification of the views: 0 fit, else 1, 2, 4, 8, 16
    bool pixelgrid = true;                          // grid between pixels in the views at 4x and above
    int language = 0;                               // interface: 0 Japanese, 1 English, 2 the system's

    bool operator==(const Settings&) const = default;
};

// Missing or unreadable values give the defaults above, silently.
Settings LoadSettings(const SettingsStore& store);
// Writes every value, creating the section when missing.
void SaveSettings(const Settings& settings, SettingsStore& store);

// The platform stretch mode of the "stretchbltmode" setting:
// 3 (COLORONCOLOR) for 0, 4 (HALFTONE) for 1 and 2.
int StretchModeOf(const Settings& settings);

// The interface languages of the "language" setting; other stored values
// read as Japanese.
inline constexpr int kLanguageJapanese = 0;
inline constexpr int kLanguageEnglish = 1;
inline constexpr int kLanguageSystem = 2;

// The formats the options dialog's "Default" button checks: 5, 6, 7, 10, 11, 12.
std::array<bool, kAutoIconFormats> DefaultAutoIconFormats();

// The desktop's icon colour depth "Shell Icon BPP", kept in a section of its
// own (4 when absent).
inline constexpr const char* kShellIconSection = "WindowMetrics";
inline constexpr const char* kShellIconValue = "Shell Icon BPP";
int ReadShellIconDepth(const SettingsStore& store);
void WriteShellIconDepth(SettingsStore& store, int depth);

}  // namespace vornik
