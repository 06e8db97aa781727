// libFuzzer target for the two cursor descriptions a user writes: an
// xcursorgen config and a theme's TOML. Any text is either read or refused
// with a message naming a line; nothing else may escape, and what is read
// keeps within the limits the builders rely on.
#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/ThemeDescription.h"
#include "formats/XcursorConfig.h"
#include "model/XcursorFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        for (const vornik::XcursorConfigLine& l : vornik::ParseXcursorConfig(text, "f.in"))
            if (l.size == 0 || l.size > vornik::kMaxXcursorSide || l.file.empty() || l.line < 1) __builtin_trap();
    } catch (const vornik::ECursorSourceError& e) {
        if (std::string(e.what()).rfind("f.in: ", 0) != 0) __builtin_trap();
    }
    try {
        const vornik::ThemeDescription theme = vornik::ParseThemeDescription(text, "f.toml");
        if (theme.name.empty() || theme.sizes.empty() || theme.cursors.empty()) __builtin_trap();
        for (const vornik::ThemeCursor& c : theme.cursors)
            if (c.names.empty() || c.frames.empty() || (!c.animated && c.frames.size() != 1)) __builtin_trap();
    } catch (const vornik::ECursorSourceError& e) {
        if (std::string(e.what()).find(": line ") == std::string::npos) __builtin_trap();
    }
    return 0;
}
