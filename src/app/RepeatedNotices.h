#pragma once

#include <set>
#include <string>

#include "platform/Notice.h"

namespace vornik {

// While installed, each distinct message and warning reaches the previous
// handler once: a command that meets the same refusal many times (a full
// set during generation, say) shows it one time. Questions pass through.
class RepeatedNoticesOnce : public NoticeHandler {
public:
    RepeatedNoticesOnce() : previous_(CurrentNoticeHandler()), scope_(this) {}
    RepeatedNoticesOnce(const RepeatedNoticesOnce&) = delete;
    RepeatedNoticesOnce& operator=(const RepeatedNoticesOnce&) = delete;

    void message(const Message& text) override {
        if (shown_.insert(EnglishText(text)).second) forward(text, false);
    }
    void warning(const Message& text) override {
        if (shown_.insert(EnglishText(text)).second) forward(text, true);
    }
    bool askYesNo(const Message& text) override {
        ScopedNoticeHandler back(previous_);
        return AskYesNo(text);
    }

private:
    void forward(const Message& text, bool warning) {
        ScopedNoticeHandler back(previous_);
        if (warning)
            ShowWarning(text);
        else
            ShowMessage(text);
    }
    NoticeHandler* previous_;
    std::set<std::string> shown_;
    ScopedNoticeHandler scope_;
};

}  // namespace vornik
