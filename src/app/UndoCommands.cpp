#include "app/UndoCommands.h"

#include "app/EditActions.h"
#include "app/PendingViews.h"
#include "app/SetCopy.h"

namespace vornik {

namespace {

bool samePicture(const std::optional<TQvDIB>& a, const std::optional<TQvDIB>& b) {
    if (a.has_value() != b.has_value()) return false;
    return !a || a->SharesStorageWith(*b);
}

std::size_t pictureBytes(const std::optional<TQvDIB>& p) {
    return p ? static_cast<std::size_t>(std::max(p->DataSize(), 0)) + 1024 : 0;
}

// Only the fields a command changes: the list style and the page belong to
// the user's way of looking, not to the edit.
bool sameEdit(const EditState& a, const EditState& b) {
    return a.cmbtype == b.cmbtype && a.cmbsize == b.cmbsize && a.cmbcolor == b.cmbcolor && a.spex == b.spex &&
           a.spey == b.spey && a.spebx == b.spebx && a.speby == b.speby && a.target == b.target &&
           samePicture(a.imgxor, b.imgxor) && samePicture(a.imgand, b.imgand) &&
           samePicture(a.imgbmp, b.imgbmp);
}

// Bytes a step holds beyond what the current state shares with it.
std::size_t ownBytes(const MainState& s, const UndoStep& step) {
    std::size_t n = sizeof(UndoStep) + step.label.size();
    if (step.parts & kUndoViews) {
        const EditState& e = step.edit;
        if (!samePicture(e.imgxor, s.edit.imgxor)) n += pictureBytes(e.imgxor);
        if (!samePicture(e.imgand, s.edit.imgand)) n += pictureBytes(e.imgand);
        if (!samePicture(e.imgbmp, s.edit.imgbmp)) n += pictureBytes(e.imgbmp);
    }
    if (step.icon) n += SetBytes(*step.icon);
    if (step.ani) n += SetBytes(*step.ani) + sizeof(TAniEX) - sizeof(TIconEx);
    return n;
}

void refill(MainState& s, unsigned parts) {
    if (parts & kUndoIconSet) RefillResourceList(s);
    if ((parts & kUndoAniSet) && s.RefillAnimation) s.RefillAnimation(s);
}

bool iconDiffers(const UndoStep& step, const MainState& s) {
    if (bool(step.icon) != bool(s.doc.IconSet)) return true;
    return step.icon && !SameSet(*step.icon, *s.doc.IconSet);
}

bool aniDiffers(const UndoStep& step, const MainState& s) {
    if (bool(step.ani) != bool(s.doc.AniSet)) return true;
    return step.ani && !SameAniSet(*step.ani, *s.doc.AniSet);
}

// Modified means: differs from the state last opened or saved, when that is
// known; otherwise any change marks it.
void followClean(MainState& s, unsigned parts) {
    Document& d = s.doc;
    if ((parts & kUndoIconSet) && d.IconCleanKnown)
        d.IconModified = bool(d.IconSet) != bool(d.IconClean) || (d.IconSet && !SameSet(*d.IconSet, *d.IconClean));
    if ((parts & kUndoAniSet) && d.AniCleanKnown)
        d.AniModified = bool(d.AniSet) != bool(d.AniClean) || (d.AniSet && !SameAniSet(*d.AniSet, *d.AniClean));
}

// Undo and redo show the page whose work they change.
void showPageOf(MainState& s, const UndoStep& step) {
    const int page = step.edit.PageControl1;
    if (page == s.edit.PageControl1) return;
    s.edit.PageControl1 = page;
    UpdatePageCommands(s, page);
}

}  // namespace

UndoStep CaptureStep(const MainState& s, unsigned parts, const std::string& label) {
    UndoStep step;
    step.label = label;
    step.parts = parts;
    step.edit = s.edit;
    step.listSelected = s.LVIcon.selected;
    if ((parts & kUndoIconSet) && s.doc.IconSet) step.icon = CopySet(*s.doc.IconSet);
    if ((parts & kUndoAniSet) && s.doc.AniSet) step.ani = CopyAniSet(*s.doc.AniSet);
    return step;
}

bool Unchanged(const MainState& s, const UndoStep& step) {
    if ((step.parts & kUndoViews) && !sameEdit(step.edit, s.edit)) return false;
    if ((step.parts & kUndoIconSet) && iconDiffers(step, s)) return false;
    if ((step.parts & kUndoAniSet) && aniDiffers(step, s)) return false;
    return true;
}

UndoStep RestoreStep(MainState& s, UndoStep step) {
    UndoStep current;
    current.label = step.label;
    current.parts = step.parts;
    current.listSelected = s.LVIcon.selected;
    current.edit = s.edit;
    if (step.parts & kUndoViews) {
        EditState restored = step.edit;
        restored.PageControl1 = s.edit.PageControl1;
        restored.LVIconStyle = s.edit.LVIconStyle;
        s.edit = std::move(restored);
    }
    if (step.parts & kUndoIconSet) {
        if (iconDiffers(step, s)) s.doc.IconModified = true;
        current.icon = std::move(s.doc.IconSet);
        s.doc.IconSet = std::move(step.icon);
        s.LVIcon.selected = step.listSelected;
    }
    if (step.parts & kUndoAniSet) {
        if (aniDiffers(step, s)) s.doc.AniModified = true;
        current.ani = std::move(s.doc.AniSet);
        s.doc.AniSet = std::move(step.ani);
    }
    followClean(s, step.parts);
    refill(s, step.parts);
    if (step.parts & kUndoIconSet) s.LVIcon.selected = step.listSelected;
    current.bytes = ownBytes(s, current);
    return current;
}

void CommitStep(MainState& s, UndoStep before) {
    if (Unchanged(s, before)) return;
    if ((before.parts & kUndoIconSet) && iconDiffers(before, s)) s.doc.IconModified = true;
    if ((before.parts & kUndoAniSet) && aniDiffers(before, s)) s.doc.AniModified = true;
    followClean(s, before.parts);
    before.bytes = ownBytes(s, before);
    s.History.Push(std::move(before));
}

void RunUndoable(MainState& s, unsigned parts, const std::string& label,
                 const std::function<void()>& command) {
    UndoStep before = CaptureStep(s, parts, label);
    try {
        command();
    } catch (...) {
        // All or nothing: what the command may have changed goes back.
        if (!Unchanged(s, before)) {
            const bool iconModified = s.doc.IconModified, aniModified = s.doc.AniModified;
            RestoreStep(s, std::move(before));
            s.doc.IconModified = iconModified;
            s.doc.AniModified = aniModified;
        }
        throw;
    }
    CommitStep(s, std::move(before));
}

bool UndoEdit(MainState& s) {
    std::optional<UndoStep> step = s.History.TakeUndo();
    if (!step) return false;
    showPageOf(s, *step);
    s.History.PushRedo(RestoreStep(s, std::move(*step)));
    return true;
}

bool RedoEdit(MainState& s) {
    std::optional<UndoStep> step = s.History.TakeRedo();
    if (!step) return false;
    showPageOf(s, *step);
    s.History.PushUndoKeepRedo(RestoreStep(s, std::move(*step)));
    return true;
}

void SetModified(MainState& s, int page, bool modified) {
    if (page == kIconPage) s.doc.IconModified = modified;
    if (page == kAnimationPage) s.doc.AniModified = modified;
}

void MarkClean(MainState& s, int page) {
    Document& d = s.doc;
    SetModified(s, page, false);
    if (page == kIconPage) {
        d.IconClean = d.IconSet ? CopySet(*d.IconSet) : nullptr;
        d.IconCleanKnown = true;
    } else if (page == kAnimationPage) {
        d.AniClean = d.AniSet ? CopyAniSet(*d.AniSet) : nullptr;
        d.AniCleanKnown = true;
    }
}

bool PageModified(const MainState& s, int page) {
    if (page == kIconPage) return s.doc.IconModified && !s.doc.ExeShown;
    if (page == kAnimationPage) return s.doc.AniModified;
    return false;
}

std::string WindowTitle(const MainState& s) {
    // Edits in the views that no entry holds yet count as changes too.
    const bool pending = s.edit.PageControl1 != kBitmapPage && ViewsPending(s);
    return (PageModified(s, s.edit.PageControl1) || pending ? "*" : "") + s.Caption;
}

}  // namespace vornik
