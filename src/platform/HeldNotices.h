#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/Notice.h"

namespace vornik {

// While installed, messages and warnings are held back instead of shown. A
// reader that refuses a file says why in its own words and then fails; the
// opener puts those words into its one failure message rather than showing
// two boxes. After a successful read, Release() shows what was held.
// Questions pass straight through.
class HeldNotices : public NoticeHandler {
public:
    HeldNotices() : previous_(CurrentNoticeHandler()), scope_(this) {}
    HeldNotices(const HeldNotices&) = delete;
    HeldNotices& operator=(const HeldNotices&) = delete;

    void message(const Message& text) override { held_.emplace_back(text, false); }
    void warning(const Message& text) override { held_.emplace_back(text, true); }
    bool askYesNo(const Message& text) override {
        ScopedNoticeHandler back(previous_);
        return AskYesNo(text);
    }

    // The held texts in English, one per line; empty when nothing was said.
    std::string Text() const {
        std::string all;
        for (const auto& [text, warning] : held_) all += (all.empty() ? "" : "\n") + EnglishText(text);
        return all;
    }
    std::vector<Message> Messages() const {
        std::vector<Message> all;
        for (const auto& held : held_) all.push_back(held.first);
        return all;
    }
    // Shows the held texts through the handler that was there before, once.
    void Release() {
        ScopedNoticeHandler back(previous_);
        for (const auto& [text, warning] : held_) warning ? ShowWarning(text) : ShowMessage(text);
        held_.clear();
    }

private:
    NoticeHandler* previous_;
    std::vector<std::pair<Message, bool>> held_;
    ScopedNoticeHandler scope_;
};

}  // namespace vornik
