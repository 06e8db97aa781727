#include "anim/AnimationScript.h"

#include <cctype>
#include <cstdlib>

#include "platform/Errors.h"

namespace vornik {

namespace {

class LineReader {
public:
    LineReader(const std::string& line, const std::string& where) : line_(line), where_(where) {}

    [[noreturn]] void fail(const std::string& what) const { throw EVornikError(where_ + ": " + what); }

    bool atEnd() {
        skipBlanks();
        return pos_ >= line_.size();
    }
    // A bare word or a quoted text.
    std::string word(const char* what) {
        if (atEnd()) fail(std::string("missing ") + what);
        std::string out;
        if (line_[pos_] != '"') {
            while (pos_ < line_.size() && !std::isspace(static_cast<unsigned char>(line_[pos_])))
                out += line_[pos_++];
            return out;
        }
        ++pos_;
        for (;;) {
            if (pos_ >= line_.size()) fail(std::string("the quoted ") + what + " is not closed");
            char c = line_[pos_++];
            if (c == '"') return out;
            if (c == '\\' && pos_ < line_.size()) c = line_[pos_++];
            out += c;
        }
    }
    int number(const char* what, int low, int high) {
        const std::string text = word(what);
        return toNumber(text, what, low, high);
    }
    std::pair<int, int> point(const char* what) {
        const std::string text = word(what);
        const auto comma = text.find(',');
        if (comma == std::string::npos) fail(std::string(what) + " needs X,Y, not \"" + text + "\"");
        return {toNumber(text.substr(0, comma), what, 0, 0x7FFF),
                toNumber(text.substr(comma + 1), what, 0, 0x7FFF)};
    }
    void end() {
        if (!atEnd()) fail("unexpected \"" + line_.substr(pos_) + "\"");
    }

private:
    int toNumber(const std::string& text, const char* what, int low, int high) const {
        bool digits = !text.empty() && text.size() <= 9;
        for (char c : text) digits = digits && std::isdigit(static_cast<unsigned char>(c));
        const long n = digits ? std::strtol(text.c_str(), nullptr, 10) : -1;
        if (!digits || n < low || n > high)
            fail(std::string(what) + " takes " + std::to_string(low) + " to " + std::to_string(high) +
                 ", not \"" + text + "\"");
        return static_cast<int>(n);
    }
    void skipBlanks() {
        while (pos_ < line_.size() && std::isspace(static_cast<unsigned char>(line_[pos_]))) ++pos_;
    }
    const std::string& line_;
    std::string where_;
    std::size_t pos_ = 0;
};

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        // A line break in a text would end the statement.
        out += (c == '\n' || c == '\r') ? ' ' : c;
    }
    return out + "\"";
}

}  // namespace

AnimationScript ParseAnimationScript(const std::string& text, const std::string& name) {
    AnimationScript script;
    std::size_t start = 0;
    for (int lineNo = 1; start <= text.size(); ++lineNo) {
        std::size_t stop = text.find('\n', start);
        if (stop == std::string::npos) stop = text.size();
        std::string line = text.substr(start, stop - start);
        start = stop + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (lineNo == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
        LineReader in(line, "\"" + name + "\" line " + std::to_string(lineNo));
        if (in.atEnd()) continue;
        const std::string keyword = in.word("statement");
        if (keyword[0] == '#') continue;
        if (keyword == "title") {
            script.title = in.word("title");
        } else if (keyword == "creator") {
            script.creator = in.word("creator");
        } else if (keyword == "rate") {
            script.rate = in.number("rate", 1, kMaxScriptRate);
        } else if (keyword == "frame") {
            const int frame = in.number("frame number", 0, kMaxScriptFrames - 1);
            if (frame > static_cast<int>(script.frames.size()))
                in.fail("frame " + std::to_string(frame) + " comes before frame " +
                        std::to_string(script.frames.size()));
            if (frame == static_cast<int>(script.frames.size())) script.frames.emplace_back();
            auto& images = script.frames[static_cast<std::size_t>(frame)];
            if (images.size() >= static_cast<std::size_t>(kMaxScriptImagesPerFrame))
                in.fail("more than " + std::to_string(kMaxScriptImagesPerFrame) + " images in one frame");
            AnimationScript::Image image;
            image.file = in.word("file name");
            if (image.file.empty()) in.fail("empty file name");
            if (!in.atEnd()) {
                if (in.word("hotspot") != "hotspot") in.fail("expected hotspot X,Y after the file name");
                image.hotspot = in.point("hotspot");
            }
            images.push_back(std::move(image));
        } else if (keyword == "step") {
            if (script.steps.size() >= static_cast<std::size_t>(kMaxScriptSteps))
                in.fail("more than " + std::to_string(kMaxScriptSteps) + " steps");
            AnimationScript::Step step;
            step.frame = in.number("frame number", 0, kMaxScriptFrames - 1);
            if (!in.atEnd()) {
                if (in.word("rate") != "rate") in.fail("expected rate N after the frame number");
                step.rate = in.number("rate", 0, kMaxScriptRate);  // files may hold steps of 0
            }
            script.steps.push_back(step);
        } else {
            in.fail("unknown statement \"" + keyword + "\"");
        }
        in.end();
    }
    for (const auto& step : script.steps)
        if (step.frame >= static_cast<int>(script.frames.size()))
            throw EVornikError("\"" + name + "\": a step shows frame " + std::to_string(step.frame) +
                               ", but the script has " + std::to_string(script.frames.size()) + " frames");
    return script;
}

std::string FormatAnimationScript(const AnimationScript& script, const std::string& comment) {
    std::string out;
    if (!comment.empty()) out += "# " + comment + "\n";
    if (script.title) out += "title " + quoted(*script.title) + "\n";
    if (script.creator) out += "creator " + quoted(*script.creator) + "\n";
    if (script.rate) out += "rate " + std::to_string(*script.rate) + "\n";
    for (std::size_t f = 0; f < script.frames.size(); ++f)
        for (const auto& image : script.frames[f]) {
            out += "frame " + std::to_string(f) + " " + quoted(image.file);
            if (image.hotspot)
                out += " hotspot " + std::to_string(image.hotspot->first) + "," +
                       std::to_string(image.hotspot->second);
            out += "\n";
        }
    for (const auto& step : script.steps) {
        out += "step " + std::to_string(step.frame);
        if (step.rate) out += " rate " + std::to_string(*step.rate);
        out += "\n";
    }
    return out;
}

}  // namespace vornik
