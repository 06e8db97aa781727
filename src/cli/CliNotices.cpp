#include "cli/CliNotices.h"

#include <algorithm>

namespace vornik::cli {

void CliNoticeHandler::add(const Message& message) {
    const std::string text = EnglishText(message);
    auto it = std::find_if(seen_.begin(), seen_.end(), [&](const Seen& s) { return s.text == text; });
    if (it != seen_.end())
        ++it->count;
    else
        seen_.push_back({text, message.dataLeftOut, 1});
}

void CliNoticeHandler::Print(std::FILE* out, const std::string& command,
                             const std::function<std::string(const std::string&)>& describe) const {
    for (const Seen& s : seen_) {
        std::string text = describe(s.text);
        // Texts written for a message box may break lines; one notice, one line.
        std::replace(text.begin(), text.end(), '\r', ' ');
        std::replace(text.begin(), text.end(), '\n', ' ');
        if (s.count > 1) text += " (" + std::to_string(s.count) + " times)";
        std::fprintf(out, "vornik-cli %s: %s\n", command.c_str(), text.c_str());
    }
}

bool CliNoticeHandler::DroppedData() const {
    return std::any_of(seen_.begin(), seen_.end(), [](const Seen& s) { return s.dataLeftOut; });
}

}  // namespace vornik::cli
