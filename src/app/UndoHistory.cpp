#include "app/UndoHistory.h"

namespace vornik {

void UndoHistory::Push(UndoStep step) {
    for (const UndoStep& s : redo_) bytes_ -= s.bytes;
    redo_.clear();
    PushUndoKeepRedo(std::move(step));
}

void UndoHistory::PushUndoKeepRedo(UndoStep step) {
    bytes_ += step.bytes;
    undo_.push_back(std::move(step));
    trim();
}

void UndoHistory::PushRedo(UndoStep step) {
    bytes_ += step.bytes;
    redo_.push_back(std::move(step));
    trim();
}

std::optional<UndoStep> UndoHistory::TakeUndo() {
    if (undo_.empty()) return std::nullopt;
    UndoStep s = std::move(undo_.back());
    undo_.pop_back();
    bytes_ -= s.bytes;
    return s;
}

std::optional<UndoStep> UndoHistory::TakeRedo() {
    if (redo_.empty()) return std::nullopt;
    UndoStep s = std::move(redo_.back());
    redo_.pop_back();
    bytes_ -= s.bytes;
    return s;
}

void UndoHistory::Clear() {
    undo_.clear();
    redo_.clear();
    bytes_ = 0;
}

void UndoHistory::trim() {
    // The oldest undo steps go first; the redo side (the most recent
    // undone work) only when nothing else is left to drop. The newest undo
    // step always stays, however large.
    while (undo_.size() + redo_.size() > 1 &&
           (undo_.size() + redo_.size() > maxSteps_ || bytes_ > maxBytes_)) {
        std::deque<UndoStep>& from = undo_.size() > 1 || redo_.empty() ? undo_ : redo_;
        bytes_ -= from.front().bytes;
        from.pop_front();
    }
}

}  // namespace vornik
