#include "app/WindowPlacement.h"

#include "app/StoredValues.h"

namespace vornik {

std::string PlacementSection(const std::string& windowName) { return windowName + "Rect"; }

WindowRect RestoreWindowRect(const SettingsStore& store, const std::string& windowName, int screenWidth,
                             int screenHeight, bool sizeable, int ownWidth, int ownHeight) {
    const std::string s = PlacementSection(windowName);
    WindowRect r;
    r.width = sizeable ? screenWidth * 70 / 100 : ownWidth;
    r.height = sizeable ? screenHeight * 70 / 100 : ownHeight;
    r.left = ReadStoredInt(store, s, "left", (screenWidth - r.width) / 2);
    r.top = ReadStoredInt(store, s, "top", (screenHeight - r.height) / 2);
    if (sizeable) {
        r.width = ReadStoredInt(store, s, "width", r.width);
        r.height = ReadStoredInt(store, s, "height", r.height);
    }
    return r;
}

void SaveWindowRect(SettingsStore& store, const std::string& windowName, const WindowRect& rect,
                    bool normalState) {
    if (!normalState) return;
    const std::string s = PlacementSection(windowName);
    WriteStoredInt(store, s, "left", rect.left);
    WriteStoredInt(store, s, "top", rect.top);
    WriteStoredInt(store, s, "width", rect.width);
    WriteStoredInt(store, s, "height", rect.height);
}

bool CentreOverMain(bool& placedOnce, int& left, int& top, int dialogWidth, int dialogHeight,
                    bool mainVisible, const WindowRect& main, int screenWidth, int screenHeight) {
    if (placedOnce) return false;
    if (mainVisible) {
        left = dialogWidth < main.width ? main.left + (main.width - dialogWidth) / 2
                                        : (screenWidth - dialogWidth) / 2;
        top = dialogHeight < main.height ? main.top + (main.height - dialogHeight) / 2
                                         : (screenHeight - dialogHeight) / 2;
    } else {
        left = (screenWidth - dialogWidth) / 2;
        top = (screenHeight - dialogHeight) / 2;
    }
    placedOnce = true;
    return true;
}

}  // namespace vornik
