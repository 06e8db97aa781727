#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "anim/TAniEX.h"
#include "app/EditState.h"
#include "model/TIconEx.h"

namespace vornik {

// What a command may change; a step copies only these.
enum UndoParts : unsigned {
    kUndoViews = 1,    // the editing state: views, selectors, Bitmap page picture
    kUndoIconSet = 2,  // the Icon page's set and its list selection
    kUndoAniSet = 4,   // the animation
};

// The state before (or, on the redo side, after) one command.
struct UndoStep {
    std::string label;
    unsigned parts = 0;
    EditState edit;  // pictures are copy-on-write: holding them shares the views' storage
    int listSelected = -1;
    std::unique_ptr<TIconCurEX> icon;  // kUndoIconSet (null when there was no set)
    std::unique_ptr<TAniEX> ani;       // kUndoAniSet
    std::size_t bytes = 0;             // what this step holds on its own
};

// Undo and redo stacks, bounded by step count and by bytes held: the oldest
// steps are dropped first.
class UndoHistory {
public:
    static constexpr std::size_t kDefaultMaxSteps = 100;
    static constexpr std::size_t kDefaultMaxBytes = std::size_t{128} << 20;

    explicit UndoHistory(std::size_t maxSteps = kDefaultMaxSteps, std::size_t maxBytes = kDefaultMaxBytes)
        : maxSteps_(maxSteps), maxBytes_(maxBytes) {}

    // A new step: the redo side is dropped.
    void Push(UndoStep step);
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    std::optional<UndoStep> TakeUndo();
    std::optional<UndoStep> TakeRedo();
    // The other side of an undo or redo; keeps the opposite stack.
    void PushRedo(UndoStep step);
    void PushUndoKeepRedo(UndoStep step);
    void Clear();

    std::size_t UndoCount() const { return undo_.size(); }
    std::size_t RedoCount() const { return redo_.size(); }
    std::size_t BytesHeld() const { return bytes_; }

private:
    void trim();
    std::deque<UndoStep> undo_;  // newest at the back
    std::deque<UndoStep> redo_;
    std::size_t maxSteps_, maxBytes_;
    std::size_t bytes_ = 0;
};

}  // namespace vornik
