#include "cli/CliNotices.h"

#include <algorithm>

#include "anim/AniMessages.h"

namespace vornik::cli {

namespace {

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

EnglishNotice TranslateNotice(const std::string& t) {
    using namespace animsg;
    if (t == kTooManySteps) return {"more than 100 steps; only the first 100 were read", true};
    if (t == kTooManyFrames) return {"more than 1000 frames; only the first 1000 were read", true};
    // The set is full: whatever came after was not added.
    const std::string full = "これ以上追加できません";
    if (t == full) return {"the set is full (1000 images); nothing more can be added", true};
    const std::string notRead = " 個の画像は読み込まれていません";
    const std::string head = full + "。";
    if (t.rfind(head, 0) == 0 && t.find(notRead) != std::string::npos) {
        const std::string count = t.substr(head.size(), t.find(notRead) - head.size());
        return {"the set is full (1000 images); " + count + " more " + (count == "1" ? "image was" : "images were") +
                    " not read",
                true};
    }
    if (t == kSeqFrameTooLarge) return {"a step names a frame that does not exist; the step was corrected", false};
    if (t.rfind(kDamaged, 0) == 0)
        return {"the file is damaged (" + t.substr(std::string(kDamaged).size()) + " chunk)", false};
    if (endsWith(t, kNotAniRiff))
        return {"not an animated cursor (no RIFF header; found \"" + t.substr(0, t.size() - std::string(kNotAniRiff).size()) + "\")", false};
    if (endsWith(t, kNotAniAcon))
        return {"not an animated cursor (no ACON form; found \"" + t.substr(0, t.size() - std::string(kNotAniAcon).size()) + "\")", false};
    if (t == "これ以上削除できません") return {"nothing left to delete", false};
    if (t == "削除できません") return {"cannot delete that entry", false};
    if (t == "Resolve Error") return {"cannot resolve the link", false};
    return {t, false};
}

void CliNoticeHandler::add(const std::string& text) {
    auto it = std::find_if(seen_.begin(), seen_.end(), [&](const Seen& s) { return s.text == text; });
    if (it != seen_.end())
        ++it->count;
    else
        seen_.push_back({text, 1});
}

void CliNoticeHandler::Print(std::FILE* out, const std::string& command,
                             const std::function<std::string(const std::string&)>& describe) const {
    for (const Seen& s : seen_) {
        std::string text = describe(TranslateNotice(s.text).text);
        // Texts written for a message box may break lines; one notice, one line.
        std::replace(text.begin(), text.end(), '\r', ' ');
        std::replace(text.begin(), text.end(), '\n', ' ');
        if (s.count > 1) text += " (" + std::to_string(s.count) + " times)";
        std::fprintf(out, "vornik-cli %s: %s\n", command.c_str(), text.c_str());
    }
}

bool CliNoticeHandler::DroppedData() const {
    return std::any_of(seen_.begin(), seen_.end(), [](const Seen& s) { return TranslateNotice(s.text).droppedData; });
}

}  // namespace vornik::cli
