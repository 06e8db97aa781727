#pragma once

#include <optional>
#include <string>

namespace vornik {

// What a file chooser is asked. The filter is written "Name|*.a;*.b|Name|*.c";
// the Qt side translates it (app/FileFilter.h).
struct FileDialogRequest {
    std::string dialog;  // which chooser: "OpenPictureDialog2", "SavePictureDialog2", ...
    std::string title;   // empty: the chooser's own
    std::string filter;
    int filterIndex = 1;     // 1-based, as the filter's pairs are counted
    std::string initialDir;  // empty: wherever the chooser was last
    std::string fileName;    // proposed name
    std::string defaultExt;  // without dot; added when the user types none
};

struct FileDialogAnswer {
    std::string path;
    int filterIndex = 1;  // the filter pair chosen, 1-based
};

// The file choosers of the original platform. The editor installs Qt dialogs;
// tests install FileDialogsScript and check what was asked.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // nullopt: cancelled.
    virtual std::optional<FileDialogAnswer> open(const FileDialogRequest& request) = 0;
    virtual std::optional<FileDialogAnswer> save(const FileDialogRequest& request) = 0;
};

// Installs dialogs (nullptr: none, every question is cancelled) and returns the previous ones.
FileDialogs* SetFileDialogs(FileDialogs* dialogs);
FileDialogs* CurrentFileDialogs();

std::optional<FileDialogAnswer> AskOpenFile(const FileDialogRequest& request);
std::optional<FileDialogAnswer> AskSaveFile(const FileDialogRequest& request);

}  // namespace vornik
