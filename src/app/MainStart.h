#pragma once

#include <string>
#include <vector>

#include "app/MainState.h"
#include "platform/SettingsStore.h"

namespace vornik {

// The headless part of the main window's creation: selectors and document to
// their start values, the Icon page with its commands, the settings, the
// recent files (activated), an empty icon set and an empty animated cursor.
// The window restores its placement before and applies the settings to its
// widgets after.
void StartEditor(MainState& s, const SettingsStore& store);

// The first command-line parameter, when there is one, is opened.
void OpenCommandLine(MainState& s, const std::vector<std::string>& args);

// At the window's destruction: settings and recent files are written back and
// the sets released. (The window saves its placement first.)
void FinishEditor(MainState& s, SettingsStore& store);

}  // namespace vornik
