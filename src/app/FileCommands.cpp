#include "app/FileCommands.h"

#include "app/DocumentOpen.h"
#include "app/FileFilter.h"
#include "platform/FileDialogs.h"

namespace vornik {

bool ChooseAndOpenDocument(MainState& s) {
    FileDialogRequest request;
    request.dialog = "OpenPictureDialog2";
    request.filter = kOpenFilter;
    request.filterIndex = s.OpenFilterIndex;
    auto answer = AskOpenFile(request);
    if (!answer || answer->path.empty()) return false;
    s.OpenFilterIndex = answer->filterIndex;
    OpenDocument(s, answer->path);
    return true;
}

void OpenRecentFile(MainState& s, int index) {
    const std::string path = s.HistoryMenu1.PathAt(index);
    if (path.empty()) return;
    OpenDocument(s, path);
    s.HistoryMenu1.Add(path);
}

}  // namespace vornik
