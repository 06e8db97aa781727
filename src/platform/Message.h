#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Marks an English text that the editor shows translated. lupdate reads it as
// QT_TRANSLATE_NOOP (an alias set where the translations are built), so the
// texts are extracted without Qt below the interface; here it is the text.
#define VORNIK_TRANSLATE_NOOP(context, text) text

namespace vornik {

struct Message;

// One value put into a message: plain text (a file name, a number, a
// library's own words) or a message of its own, translated with the outer one.
struct MessageArg {
    MessageArg(std::string text) : text(std::move(text)) {}         // NOLINT(google-explicit-constructor)
    MessageArg(const char* text) : text(text) {}                    // NOLINT(google-explicit-constructor)
    MessageArg(long long number) : text(std::to_string(number)) {}  // NOLINT(google-explicit-constructor)
    MessageArg(int number) : text(std::to_string(number)) {}        // NOLINT(google-explicit-constructor)
    MessageArg(unsigned long long number) : text(std::to_string(number)) {}  // NOLINT
    MessageArg(unsigned long number) : text(std::to_string(number)) {}       // NOLINT
    MessageArg(long number) : text(std::to_string(number)) {}                // NOLINT
    MessageArg(unsigned number) : text(std::to_string(number)) {}            // NOLINT
    MessageArg(const Message& message);                                      // NOLINT

    std::string text;
    std::shared_ptr<const Message> message;
};

// A text for the user, kept as its English template (with %1 … %9) and the
// values that fill it, so that each place that shows it can choose the
// language: the command line prints the English, the editor translates the
// template. context groups templates for translators; an empty context marks
// text that is shown as it stands.
struct Message {
    const char* context = "";
    const char* source = "%1";
    std::vector<MessageArg> args;
    // The notice reports data left out of what was read (entries cut at a
    // limit, frames or steps dropped); the command line then exits 1.
    bool dataLeftOut = false;

    Message() = default;
    Message(const char* context, const char* source, std::vector<MessageArg> args = {})
        : context(context), source(source), args(std::move(args)) {}

    // Text that is not ours to translate (a library's words, a name).
    static Message Plain(std::string text);
    Message& leavesOutData() {
        dataLeftOut = true;
        return *this;
    }
};

// Fills a template's %1 … %9 with the args, each rendered the same way.
// translate maps (context, source) to the template to use; it is not asked
// for plain text.
using TranslateFn = std::function<std::string(const char* context, const char* source)>;
std::string RenderMessage(const Message& message, const TranslateFn& translate);
// The English text, as the command line and the logs show it.
std::string EnglishText(const Message& message);

}  // namespace vornik
