#pragma once

#include <string>

#include "platform/SettingsStore.h"

namespace vornik {

struct WindowRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const WindowRect&) const = default;
};

// The section that holds a window's placement: its name followed by "Rect".
std::string PlacementSection(const std::string& windowName);

// Where a window goes at start. Without stored values a sizeable window gets
// 70 % of the screen (integer arithmetic), a fixed one keeps ownWidth x
// ownHeight, and either is centred on the screen. Stored "left"/"top" (and
// for a sizeable window "width"/"height") replace the defaults one by one.
WindowRect RestoreWindowRect(const SettingsStore& store, const std::string& windowName, int screenWidth,
                             int screenHeight, bool sizeable, int ownWidth, int ownHeight);

// Writes "left", "top", "width", "height", but only for a window in its
// normal state (neither minimised nor maximised).
void SaveWindowRect(SettingsStore& store, const std::string& windowName, const WindowRect& rect,
                    bool normalState);

// A dialog's placement over the main window. placedOnce is the dialog's tag:
// once it is set the dialog stays wherever the user left it and nothing
// changes. Otherwise left/top are set (centred over a visible main window
// where the dialog is narrower/shorter than it, else on the screen) and
// placedOnce becomes true. Returns true when it moved the dialog.
bool CentreOverMain(bool& placedOnce, int& left, int& top, int dialogWidth, int dialogHeight,
                    bool mainVisible, const WindowRect& main, int screenWidth, int screenHeight);

}  // namespace vornik
