#pragma once

#include <string>

#include "model/ExeResources.h"
#include "platform/Bytes.h"

namespace vornik::cli {

// An executable's bytes and what its resource directory says of icons and
// cursors, for the commands that work on groups.
struct ExeGroupsInput {
    Bytes bytes;
    ExeResources resources;
};

// Reads the file; an empty string, or a message naming the file when it
// cannot be read, has no resource directory or a damaged one.
std::string ReadExeGroups(const std::string& path, ExeGroupsInput& in);

// Prints each problem the reader noted to standard error, prefixed with the
// command's name; returns how many there were.
std::size_t PrintProblems(const char* command, const std::string& path, const ExeResources& res);

}  // namespace vornik::cli
