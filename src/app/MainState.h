#pragma once

#include <functional>
#include <optional>
#include <string>

#include "VornikVersion.h"
#include "app/CommandStates.h"
#include "app/Document.h"
#include "app/EditState.h"
#include "app/ResourceList.h"
#include "app/Settings.h"
#include "app/THistoryMenu.h"
#include "app/UndoHistory.h"
#include "platform/Message.h"

namespace vornik {

inline constexpr const char* kAppTitle = "Vornik Ver " VORNIK_VERSION;
inline constexpr const char* kMainWindowName = "frmMain";

// The answer to "save the changes?" before a modified document is left.
enum class SaveChoice { Save, Discard, Cancel };

// Everything the main window holds apart from its widgets. The window binds
// its controls to these fields, calls the operations of app/ on a command and
// re-reads what changed.
struct MainState {
    Settings settings;
    THistoryMenu HistoryMenu1;
    Document doc;
    EditState edit;
    CommandStates commands;
    ResourceList LVIcon;
    UndoHistory History;  // undo and redo of edits

    // The views as last shown from or stored into an entry: edits beyond
    // them are not in any document yet (PendingViews.h). ViewsEntry: the
    // Icon page entry they came from, or -1.
    std::optional<TQvDIB> ViewsCleanImage;
    std::optional<TQvDIB> ViewsCleanMask;
    int ViewsEntry = -1;

    std::string Caption = kAppTitle;  // window title
    Message StatusPanel0;             // status bar panel 0
    bool WaitCursor = false;          // busy pointer while a file is opened
    int OpenFilterIndex = 1;          // the open chooser's filter pair, 1-based

    // Steps that later parts of the editor supply; unset ones do nothing.
    std::function<void(MainState&)> TakeInBitmap;        // fill the views from the Bitmap page
    std::function<void(MainState&)> RefillAnimation;     // frame and step lists of the Animation page
    std::function<void(MainState&)> ClearAnimationView;  // the preview imganiview
    std::function<void(MainState&)> RealizePalette;      // the window takes the picture's palette anew
    // Asks save / discard / cancel; unset: the changes are discarded.
    std::function<SaveChoice(const Message& text)> AskSaveChanges;
};

// Window caption: name + " - " + title, or the title alone for an empty name.
void SetCaptionFile(MainState& s, const std::string& name);

}  // namespace vornik
