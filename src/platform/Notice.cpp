#include "platform/Notice.h"

#include <cstdio>

namespace vornik {

namespace {

NoticeHandler* g_handler = nullptr;

void printLine(const char* kind, const Message& text) {
    std::fprintf(stderr, "%s%s\n", kind, EnglishText(text).c_str());
}

}  // namespace

NoticeHandler* SetNoticeHandler(NoticeHandler* handler) {
    NoticeHandler* previous = g_handler;
    g_handler = handler;
    return previous;
}

NoticeHandler* CurrentNoticeHandler() { return g_handler; }

void ShowMessage(const Message& text) {
    if (g_handler) g_handler->message(text);
    else printLine("", text);
}

void ShowWarning(const Message& text) {
    if (g_handler) g_handler->warning(text);
    else printLine("warning: ", text);
}

bool AskYesNo(const Message& text) {
    if (g_handler) return g_handler->askYesNo(text);
    printLine("question (answered no): ", text);
    return false;
}

}  // namespace vornik
