#include "app/PendingViews.h"

#include "app/EntryCommands.h"
#include "app/UndoCommands.h"

namespace vornik {

namespace {

bool same(const std::optional<TQvDIB>& a, const std::optional<TQvDIB>& b) {
    if (a.has_value() != b.has_value()) return false;
    return !a || a->SharesStorageWith(*b);
}

}  // namespace

void MarkViewsClean(MainState& s, int entry) {
    s.ViewsCleanImage = s.edit.imgxor;
    s.ViewsCleanMask = s.edit.imgand;
    s.ViewsEntry = entry;
}

bool ViewsPending(const MainState& s) {
    if (!s.edit.imgxor || !s.edit.imgand) return false;
    return !same(s.edit.imgxor, s.ViewsCleanImage) || !same(s.edit.imgand, s.ViewsCleanMask);
}

bool ConfirmPendingViews(MainState& s) {
    if (!ViewsPending(s)) return true;
    const SaveChoice choice =
        s.AskSaveChanges ? s.AskSaveChanges(Message("Editor", kStoreViewsQuestion)) : SaveChoice::Discard;
    if (choice == SaveChoice::Cancel) return false;
    if (choice == SaveChoice::Discard) {
        MarkViewsClean(s, s.ViewsEntry);
        return true;
    }
    TIconCurEX* set = s.doc.ExeShown ? nullptr : s.doc.IconSet.get();
    if (!set) return false;
    // Stored as the replace and add commands would: one undoable step.
    const int page = s.edit.PageControl1;
    const int selected = s.LVIcon.selected;
    s.edit.PageControl1 = kIconPage;
    struct Back {
        MainState& s;
        int page, selected;
        ~Back() {
            s.edit.PageControl1 = page;
            s.LVIcon.selected = selected;
        }
    } back{s, page, selected};
    const int entry = s.ViewsEntry;
    RunUndoable(s, kUndoIconSet, "store", [&] {
        if (entry >= 0 && entry < set->Count) {
            s.LVIcon.selected = entry;
            ReplaceEntryFromViews(s, -1);
        } else {
            AddEntryFromViews(s);
        }
    });
    MarkViewsClean(s, entry >= 0 && entry < set->Count ? entry : 0);
    return true;
}

}  // namespace vornik
