#pragma once

#include <string>
#include <string_view>

namespace vornik {

// The first reference in an SVG's text that would reach outside its own
// folder: a URL with a scheme (http:, file:, ...), an absolute path, a path
// through "..", or an external XML entity. Fragments ("#id"), data: URLs and
// plain relative names are allowed. Returns "" when there is none.
//
// This is a first line only: librsvg itself is handed the file's location and
// loads nothing but data: URLs and files in that folder (after resolving
// symbolic links), so references this scan cannot see (entities, character
// references) are still kept in.
std::string FindOutsideReference(std::string_view svgText);

}  // namespace vornik
