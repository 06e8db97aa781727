#pragma once

#include <functional>
#include <string>

#include "app/MainState.h"
#include "app/UndoHistory.h"

namespace vornik {

// The state a command given these parts may change.
UndoStep CaptureStep(const MainState& s, unsigned parts, const std::string& label);
// True when the state still equals the captured one.
bool Unchanged(const MainState& s, const UndoStep& step);
// Puts a captured state back and returns the state it replaced.
UndoStep RestoreStep(MainState& s, UndoStep step);

// Records a step captured before a change (a mask stroke, say) when the
// state differs from it now; marks the documents it changed as modified.
void CommitStep(MainState& s, UndoStep before);

// Runs a command as one undoable step. A command that throws leaves what it
// may change exactly as it was, and the exception passes on; a command that
// changed nothing records no step.
void RunUndoable(MainState& s, unsigned parts, const std::string& label,
                 const std::function<void()>& command);

// Edit menu Undo / Redo: false when there is nothing to undo or redo.
bool UndoEdit(MainState& s);
bool RedoEdit(MainState& s);

// Marks the page's document as changed or saved.
void SetModified(MainState& s, int page, bool modified);
// The page's document as it is now is the saved one: not modified, and
// undo or redo that returns to this state clears the marker again.
void MarkClean(MainState& s, int page);
bool PageModified(const MainState& s, int page);

// The window title: the caption, with a leading "*" while the shown page's
// document has unsaved changes.
std::string WindowTitle(const MainState& s);

}  // namespace vornik
