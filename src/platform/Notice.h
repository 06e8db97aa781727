#pragma once

#include <string>

namespace vornik {

// What the original platform showed as modal message boxes. Core code calls
// the free functions below; the editor installs a handler that shows boxes,
// tests install a recorder. Without a handler, texts go to standard error.
class NoticeHandler {
public:
    virtual ~NoticeHandler() = default;
    virtual void message(const std::string& text) = 0;
    virtual void warning(const std::string& text) = 0;
    // true means "yes".
    virtual bool askYesNo(const std::string& text) = 0;
};

// Installs handler (nullptr restores the standard-error default) and returns
// the one it replaces.
NoticeHandler* SetNoticeHandler(NoticeHandler* handler);
NoticeHandler* CurrentNoticeHandler();

void ShowMessage(const std::string& text);
void ShowWarning(const std::string& text);
// Without a handler the question is printed and answered "no".
bool AskYesNo(const std::string& text);

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
