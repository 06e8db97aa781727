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

    void message(const std::string& text) override { notices.push_back({"message", text}); }
    void warning(const std::string& text) override { notices.push_back({"warning", text}); }
    bool askYesNo(const std::string& text) override;

    std::vector<std::string> texts() const;

    std::vector<Notice> notices;
    std::deque<bool> answers;

private:
    ScopedNoticeHandler scope_;
};

}  // namespace vornik::test
