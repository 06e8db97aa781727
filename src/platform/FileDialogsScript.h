#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileDialogs.h"

namespace vornik {

// Scripted file choosers, installed for the object's lifetime: every question
// is recorded and answered from the script (cancel once it runs out).
class FileDialogsScript : public FileDialogs {
public:
    struct Asked {
        std::string kind;  // "open" or "save"
        FileDialogRequest request;
    };

    FileDialogsScript() : previous_(SetFileDialogs(this)) {}
    ~FileDialogsScript() override { SetFileDialogs(previous_); }
    FileDialogsScript(const FileDialogsScript&) = delete;
    FileDialogsScript& operator=(const FileDialogsScript&) = delete;

    void answer(const std::string& path, int filterIndex = 1) {
        answers.push_back(FileDialogAnswer{path, filterIndex});
    }
    void cancel() { answers.push_back(std::nullopt); }

    std::optional<FileDialogAnswer> open(const FileDialogRequest& request) override {
        return next("open", request);
    }
    std::optional<FileDialogAnswer> save(const FileDialogRequest& request) override {
        return next("save", request);
    }

    std::vector<Asked> asked;
    std::deque<std::optional<FileDialogAnswer>> answers;

private:
    std::optional<FileDialogAnswer> next(const char* kind, const FileDialogRequest& request) {
        asked.push_back({kind, request});
        if (answers.empty()) return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }

    FileDialogs* previous_;
};

}  // namespace vornik
