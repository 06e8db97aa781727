#pragma once

#include <string>

namespace vornik {

// The folder for short-lived working copies: the system's temporary folder,
// unless an override is in place (tests point it at a folder of their own).
std::string TempFolder();

// Replaces the folder TempFolder() answers; an empty path restores the system's.
void SetTempFolderOverride(const std::string& path);

}  // namespace vornik
