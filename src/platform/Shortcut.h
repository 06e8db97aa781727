#pragma once

#include <string>

namespace vornik {

// The file a shortcut stands for, or empty when path is no shortcut.
// Shortcuts here are symbolic links (followed to the end of the chain) and
// freedesktop link files (".desktop" with Type=Link and a file:// URL).
// A shortcut whose target cannot be worked out (a dangling link, a link file
// without a local URL) shows "Resolve Error" and also answers empty, so the
// caller falls back to the path it was given.
std::string ResolveShortcut(const std::string& path);

}  // namespace vornik
