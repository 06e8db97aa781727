#pragma once

#include <string>

#include "platform/Bytes.h"

namespace vornik {

// Makes `link` a symbolic link to `target` (a name in the same folder),
// replacing whatever file or link had that name. EInOutError naming the link.
void ReplaceWithLink(const std::string& link, const std::string& target);

// Writes a theme's file as WriteFileReplacing does, but first removes a link
// of that name, so that a name that used to be an alias does not write
// through to the cursor it pointed at.
void WriteThemeFile(const std::string& path, const Bytes& data);

}  // namespace vornik
