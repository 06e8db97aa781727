#pragma once

#include <string>

#include "platform/Message.h"

namespace vornik {

// What the original platform showed as modal message boxes. Core code calls
// the free functions below; the editor installs a handler that shows boxes,
// tests install a recorder. Without a handler, texts go to standard error.
class NoticeHandler {
public:
    virtual ~NoticeHandler() = default;
    virtual void message(const Message& text) = 0;
    virtual void warning(const Message& text) = 0;
    // true means "yes".
    virtual bool askYesNo(const Message& text) = 0;
};

// Installs handler (nullptr restores the standard-error default) and returns
// the one it replaces.
NoticeHandler* SetNoticeHandler(NoticeHandler* handler);
NoticeHandler* CurrentNoticeHandler();

void ShowMessage(const Message& text);
void ShowWarning(const Message& text);
// Without a handler the question is printed (in English) and answered "no".
bool AskYesNo(const Message& text);
// Text that is shown as it stands (already in the user's language).
inline void ShowMessage(const std::string& text) { ShowMessage(Message::Plain(text)); }
inline void ShowMessage(const char* text) { ShowMessage(Message::Plain(text)); }
inline void ShowWarning(const std::string& text) { ShowWarning(Message::Plain(text)); }
inline void ShowWarning(const char* text) { ShowWarning(Message::Plain(text)); }
inline bool AskYesNo(const std::string& text) { return AskYesNo(Message::Plain(text)); }
inline bool AskYesNo(const char* text) { return AskYesNo(Message::Plain(text)); }

// Installs a handler for the lifetime of a scope.
class ScopedNoticeHandler {
public:
    explicit ScopedNoticeHandler(NoticeHandler* handler) : previous_(SetNoticeHandler(handler)) {}
    ~ScopedNoticeHandler() { SetNoticeHandler(previous_); }
    ScopedNoticeHandler(const ScopedNoticeHandler&) = delete;
    ScopedNoticeHandler& operator=(const ScopedNoticeHandler&) = delete;

private:
    NoticeHandler* previous_;
};

}  // namespace vornik
