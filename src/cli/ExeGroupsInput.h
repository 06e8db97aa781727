#pragma once

#include <memory>
#include <string>

#include "model/ExeFileView.h"
#include "model/ExeResources.h"

namespace vornik::cli {

// An executable's bytes and what its resource directory says of icons and
// cursors, for the commands that work on groups.
// The file is mapped, not read: only the headers, the directory and the
// images the commands use are touched.
struct ExeGroupsInput {
    std::unique_ptr<ExeFileView> file;
    ExeResources resources;
    const std::uint8_t* data() const { return file ? file->data() : nullptr; }
    std::size_t size() const { return file ? file->size() : 0; }
};

// Reads the file; an empty string, or a message naming the file when it
// cannot be read, has no resource directory or a damaged one.
std::string ReadExeGroups(const std::string& path, ExeGroupsInput& in);

// Prints each problem the reader noted to standard error, prefixed with the
// command's name; returns how many there were.
std::size_t PrintProblems(const char* command, const std::string& path, const ExeResources& res);

}  // namespace vornik::cli
