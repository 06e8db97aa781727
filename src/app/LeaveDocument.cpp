#include "app/LeaveDocument.h"

#include <filesystem>

#include "app/PendingViews.h"
#include "app/SaveExport.h"
#include "app/UndoCommands.h"

namespace vornik {

Message SaveChangesQuestion(const MainState& s, int page) {
    const std::string& path = s.doc.FileNameOfPage(page);
    const MessageArg name =
        path.empty()
            ? MessageArg(page == kAnimationPage
                             ? Message("Editor", VORNIK_TRANSLATE_NOOP("Editor", "Untitled animation"))
                             : Message("Editor", VORNIK_TRANSLATE_NOOP("Editor", "Untitled icon")))
            : MessageArg(std::filesystem::path(path).filename().string());
    return Message("Editor", VORNIK_TRANSLATE_NOOP("Editor", "\"%1\" has been changed. Save the changes?"),
                   {name});
}

bool ConfirmLeave(MainState& s, int page) {
    if (page == kIconPage && !ConfirmPendingViews(s)) return false;
    if (!PageModified(s, page)) return true;
    const SaveChoice choice =
        s.AskSaveChanges ? s.AskSaveChanges(SaveChangesQuestion(s, page)) : SaveChoice::Discard;
    if (choice == SaveChoice::Cancel) return false;
    if (choice == SaveChoice::Discard) return true;
    // Save runs on the page whose document it writes.
    const int shown = s.edit.PageControl1;
    s.edit.PageControl1 = page;
    struct Back {
        MainState& s;
        int page;
        ~Back() { s.edit.PageControl1 = page; }
    } back{s, shown};
    return SaveDocument(s) && !PageModified(s, page);
}

bool ConfirmClose(MainState& s) {
    if (!ConfirmPendingViews(s)) return false;
    const int shown = s.edit.PageControl1;
    const int other = shown == kAnimationPage ? kIconPage : kAnimationPage;
    if (shown != kBitmapPage && !ConfirmLeave(s, shown)) return false;
    if (!ConfirmLeave(s, other)) return false;
    return shown != kBitmapPage || ConfirmLeave(s, kIconPage);
}

void DocumentReplaced(MainState& s, int page) {
    if (page == kBitmapPage) return;  // the views' steps stay valid: only the picture changed
    MarkClean(s, page);
    s.History.Clear();
}

}  // namespace vornik
