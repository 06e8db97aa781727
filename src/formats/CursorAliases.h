#pragma once

#include <string>
#include <vector>

namespace vornik {

// The other names under which programs look up the same cursor shape as
// `name`: the X core name, the CSS and freedesktop names, and the hash names
// Qt and GTK programs ask for (an md5 of the old X bitmap). Empty when the
// name belongs to no known group. Names of different shapes are never
// grouped, so a theme missing one still falls back to the theme it inherits.
const std::vector<std::string>& CursorSynonyms(const std::string& name);

}  // namespace vornik
