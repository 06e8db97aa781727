#include "platform/FileDialogs.h"

namespace vornik {

namespace {
FileDialogs* g_dialogs = nullptr;
}

FileDialogs* SetFileDialogs(FileDialogs* dialogs) {
    FileDialogs* previous = g_dialogs;
    g_dialogs = dialogs;
    return previous;
}

FileDialogs* CurrentFileDialogs() { return g_dialogs; }

std::optional<FileDialogAnswer> AskOpenFile(const FileDialogRequest& request) {
    if (!g_dialogs) return std::nullopt;
    return g_dialogs->open(request);
}

std::optional<FileDialogAnswer> AskSaveFile(const FileDialogRequest& request) {
    if (!g_dialogs) return std::nullopt;
    return g_dialogs->save(request);
}

}  // namespace vornik
