#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/Notice.h"

namespace vornik::cli {

// The core's notices are the editor's message boxes. The command line gathers
// them while a command runs and then prints each distinct one once, in
// English, with how often it came.
class CliNoticeHandler : public NoticeHandler {
public:
    void message(const Message& text) override { add(text); }
    void warning(const Message& text) override { add(text); }
    // No one is there to answer; "no" leaves the data as it is.
    bool askYesNo(const Message& text) override {
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
        std::string text;  // English
        bool dataLeftOut;
        int count;
    };
    void add(const Message& text);
    std::vector<Seen> seen_;
};

}  // namespace vornik::cli
