#include "platform/Message.h"

namespace vornik {

MessageArg::MessageArg(const Message& message) : message(std::make_shared<const Message>(message)) {}

Message Message::Plain(std::string text) { return Message("", "%1", {std::move(text)}); }

std::string RenderMessage(const Message& message, const TranslateFn& translate) {
    const std::string form = (message.context[0] != '\0' && translate)
                                 ? translate(message.context, message.source)
                                 : message.source;
    std::string out;
    out.reserve(form.size());
    for (std::size_t i = 0; i < form.size(); ++i) {
        const char c = form[i];
        if (c == '%' && i + 1 < form.size() && form[i + 1] >= '1' && form[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(form[i + 1] - '1');
            ++i;
            if (n < message.args.size()) {
                const MessageArg& arg = message.args[n];
                out += arg.message ? RenderMessage(*arg.message, translate) : arg.text;
            }
            // A template that names a value it was not given drops the marker
            // rather than showing "%3" to the user.
            continue;
        }
        out += c;
    }
    return out;
}

std::string EnglishText(const Message& message) { return RenderMessage(message, nullptr); }

}  // namespace vornik
