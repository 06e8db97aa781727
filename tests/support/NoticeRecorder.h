#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/Notice.h"

namespace vornik::test {

// Records every notice while installed; questions take scripted answers
// (default "no" when the script runs out).
class NoticeRecorder : public NoticeHandler {
public:
    struct Notice {
        std::string kind;  // "message", "warning" or "question"
        std::string text;
        bool operator==(const Notice&) const = default;
    };

    NoticeRecorder() : scope_(this) {}

    // Texts are kept in English, as the command line would print them.
    void message(const Message& text) override {
        notices.push_back({"message", EnglishText(text)});
        messages.push_back(text);
    }
    void warning(const Message& text) override {
        notices.push_back({"warning", EnglishText(text)});
        messages.push_back(text);
    }
    bool askYesNo(const Message& text) override;

    std::vector<std::string> texts() const;

    std::vector<Notice> notices;
    std::vector<Message> messages;  // as raised, in the same order
    std::deque<bool> answers;

private:
    ScopedNoticeHandler scope_;
};

}  // namespace vornik::test
