#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/Notice.h"

namespace vornik::cli {

// The core's notices are the editor's Japanese message-box texts. The command
// line gathers them while a command runs and then prints each distinct one
// once, in English, with how often it came.
class CliNoticeHandler : public NoticeHandler {
public:
    void message(const std::string& text) override { add(text); }
    void warning(const std::string& text) override { add(text); }
    // No one is there to answer; "no" leaves the data as it is.
    bool askYesNo(const std::string& text) override {
        add(text);
        return false;
    }

    // Prints "vornik-cli COMMAND: TEXT" lines (with " (N times)" for repeats)
    // on out, each text passed through describe first.
    void Print(std::FILE* out, const std::string& command,
               const std::function<std::string(const std::string&)>& describe) const;
    // Whether a notice said that data was left out (entries cut at a limit,
    // frames or steps dropped).
    bool DroppedData() const;

private:
    struct Seen {
        std::string text;
        int count;
    };
    void add(const std::string& text);
    std::vector<Seen> seen_;
};

// A notice in English, and whether it reports data left out. Texts we do not
// know are passed on as they are.
struct EnglishNotice {
    std::string text;
    bool droppedData = false;
};
EnglishNotice TranslateNotice(const std::string& japanese);

}  // namespace vornik::cli
