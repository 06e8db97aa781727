#include "anim/InfoText.h"

#include <algorithm>
#include <cstdint>

#include "platform/ShiftJis.h"

namespace vornik {

namespace {

// Length of the UTF-8 sequence starting at s[i], 0 when it is not valid.
std::size_t sequenceLength(const std::string& s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = 0;
    std::uint32_t cp = 0;
    if (b < 0x80) return 1;
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
        cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        cp = b & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

}  // namespace

bool IsValidUtf8(const std::string& bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t n = sequenceLength(bytes, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

bool HeldAsUtf8(const std::string& bytes) {
    return IsValidUtf8(bytes) &&
           std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

std::string InfoTextToUtf8(const std::string& bytes) {
    return IsValidUtf8(bytes) ? bytes : ShiftJisToUtf8(bytes);
}

std::vector<std::string> CharsOutsideShiftJis(const std::string& utf8) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = std::max<std::size_t>(sequenceLength(utf8, i), 1);
        const std::string ch = utf8.substr(i, n);
        i += n;
        if (n == 1 && static_cast<unsigned char>(ch[0]) < 0x80) continue;
        if (ShiftJisToUtf8(Utf8ToShiftJis(ch)) != ch && std::find(out.begin(), out.end(), ch) == out.end())
            out.push_back(ch);
    }
    return out;
}

std::string InfoTextBytesForEdit(const std::string& before, const std::string& typed) {
    if (HeldAsUtf8(before)) return typed;
    return CharsOutsideShiftJis(typed).empty() ? Utf8ToShiftJis(typed) : typed;
}

std::vector<std::string> InfoCharsOutsideShiftJis(const std::string& title, const std::string& creator) {
    std::vector<std::string> out;
    for (const std::string* text : {&title, &creator}) {
        if (!HeldAsUtf8(*text)) continue;
        for (const std::string& ch : CharsOutsideShiftJis(*text))
            if (std::find(out.begin(), out.end(), ch) == out.end()) out.push_back(ch);
    }
    return out;
}

std::string InfoTextAsShiftJis(const std::string& bytes) {
    return HeldAsUtf8(bytes) ? Utf8ToShiftJis(bytes) : bytes;
}

}  // namespace vornik
