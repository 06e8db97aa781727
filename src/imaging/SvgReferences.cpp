#include "imaging/SvgReferences.h"

#include <algorithm>
#include <cctype>

namespace vornik {

namespace {

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

bool startsWithNoCase(std::string_view text, std::size_t at, std::string_view word) {
    if (text.size() - at < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (lower(text[at + i]) != word[i]) return false;
    return true;
}

std::string_view trim(std::string_view v) {
    while (!v.empty() && isSpace(v.front())) v.remove_prefix(1);
    while (!v.empty() && isSpace(v.back())) v.remove_suffix(1);
    return v;
}

bool hasScheme(std::string_view v) {
    if (v.empty() || !std::isalpha(static_cast<unsigned char>(v[0]))) return false;
    for (std::size_t i = 1; i < v.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(v[i]);
        if (c == ':') return true;
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
    }
    return false;
}

bool climbsOut(std::string_view v) {
    std::size_t start = 0;
    while (start <= v.size()) {
        std::size_t end = v.find_first_of("/\\?#", start);
        if (end == std::string_view::npos) end = v.size();
        if (v.substr(start, end - start) == "..") return true;
        if (end == v.size() || v[end] == '?' || v[end] == '#') break;
        start = end + 1;
    }
    return false;
}

bool reachesOutside(std::string_view value) {
    const std::string_view v = trim(value);
    if (v.empty() || v[0] == '#') return false;
    if (startsWithNoCase(v, 0, "data:")) return false;
    if (hasScheme(v)) return true;
    if (v[0] == '/' || v[0] == '\\') return true;
    return climbsOut(v);
}

// A quoted value starting at `at` (after optional spaces), or an unquoted one
// up to `stop`.
std::string_view valueAt(std::string_view text, std::size_t at, char stop) {
    while (at < text.size() && isSpace(text[at])) ++at;
    if (at >= text.size()) return {};
    if (text[at] == '"' || text[at] == '\'') {
        const std::size_t end = text.find(text[at], at + 1);
        return text.substr(at + 1, (end == std::string_view::npos ? text.size() : end) - at - 1);
    }
    const std::size_t end = text.find(stop, at);
    return text.substr(at, (end == std::string_view::npos ? text.size() : end) - at);
}

}  // namespace

std::string FindOutsideReference(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = lower(text[i]);
        if (c == 'h' && startsWithNoCase(text, i, "href") &&
            (i == 0 || isSpace(text[i - 1]) || text[i - 1] == ':')) {
            std::size_t at = i + 4;
            while (at < text.size() && isSpace(text[at])) ++at;
            if (at < text.size() && text[at] == '=') {
                const std::string_view v = valueAt(text, at + 1, '>');
                if (reachesOutside(v)) return std::string(trim(v));
            }
        } else if (c == 'u' && startsWithNoCase(text, i, "url(")) {
            const std::string_view v = valueAt(text, i + 4, ')');
            if (reachesOutside(v)) return std::string(trim(v));
        } else if (c == '@' && startsWithNoCase(text, i, "@import")) {
            std::size_t at = i + 7;
            while (at < text.size() && isSpace(text[at])) ++at;
            if (startsWithNoCase(text, at, "url(")) continue;  // seen as url( next
            const std::string_view v = valueAt(text, at, ';');
            if (reachesOutside(v)) return std::string(trim(v));
        } else if (c == '<' && startsWithNoCase(text, i, "<!entity")) {
            // Only the declaration itself: an external one names SYSTEM or PUBLIC
            // outside its quoted value.
            std::size_t at = i + 8;
            char quote = 0;
            for (; at < text.size() && (quote || text[at] != '>'); ++at) {
                if (quote) {
                    if (text[at] == quote) quote = 0;
                } else if (text[at] == '"' || text[at] == '\'') {
                    quote = text[at];
                } else if (isSpace(text[at - 1]) &&
                           (startsWithNoCase(text, at, "system") || startsWithNoCase(text, at, "public")) &&
                           at + 6 < text.size() &&
                           (isSpace(text[at + 6]) || text[at + 6] == '"' || text[at + 6] == '\'')) {
                    return std::string(trim(text.substr(i, std::min<std::size_t>(at + 6 - i, 80))));
                }
            }
        }
    }
    return {};
}

}  // namespace vornik
