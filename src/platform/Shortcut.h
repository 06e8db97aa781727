#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vornik {

// The file a shortcut stands for, or empty when path is no shortcut.
// Shortcuts here are symbolic links (followed to the end of the chain) and
// freedesktop link files (".desktop" with Type=Link and a file:// URL).
// A shortcut whose target cannot be worked out (a dangling link, a link file
// without a local URL) shows "Resolve Error" and also answers empty, so the
// caller falls back to the path it was given.
std::string ResolveShortcut(const std::string& path);

// The target of a freedesktop link file's text: nullopt when the text is no
// link file ([Desktop Entry] with Type=Link), empty when its URL names no
// local file, else the decoded path.
std::optional<std::string> DesktopLinkTarget(std::string_view text);

}  // namespace vornik
