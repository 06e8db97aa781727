#pragma once

#include <string>

#include "platform/Message.h"

namespace vornik {

// The file layer's failures. %1 is the file, %2 the system's reason.
namespace filemsg {
inline constexpr const char* kCannotOpen = VORNIK_TRANSLATE_NOOP("Files", "Cannot open file \"%1\": %2");
inline constexpr const char* kCannotOpenPlain = VORNIK_TRANSLATE_NOOP("Files", "Cannot open file \"%1\"");
inline constexpr const char* kCannotCreate = VORNIK_TRANSLATE_NOOP("Files", "Cannot create file \"%1\": %2");
inline constexpr const char* kCannotReplace =
    VORNIK_TRANSLATE_NOOP("Files", "Cannot replace file \"%1\": %2");
inline constexpr const char* kWriteError = VORNIK_TRANSLATE_NOOP("Files", "Write error on file \"%1\": %2");
inline constexpr const char* kReadError = VORNIK_TRANSLATE_NOOP("Files", "Read error on file \"%1\": %2");
inline constexpr const char* kTooShort =
    VORNIK_TRANSLATE_NOOP("Files", "Read error on file \"%1\": the file is too short");
inline constexpr const char* kNotRegular = VORNIK_TRANSLATE_NOOP("Files", "Not a regular file \"%1\"");
inline constexpr const char* kTooLarge = VORNIK_TRANSLATE_NOOP("Files", "File too large \"%1\"");
inline constexpr const char* kWriteProtected =
    VORNIK_TRANSLATE_NOOP("Files", "Cannot replace file \"%1\": %2 (the file is write-protected)");
inline constexpr const char* kLinkNowhere = VORNIK_TRANSLATE_NOOP(
    "Files",
    "Cannot create file \"%1\": the symbolic link points nowhere (to \"%2\", whose folder does not exist)");
inline constexpr const char* kBeyondEnd =
    VORNIK_TRANSLATE_NOOP("Files", "Read beyond end of file \"%1\" (%2 at offset %3)");
inline constexpr const char* kNoSuchFile = VORNIK_TRANSLATE_NOOP("Files", "no such file \"%1\"");
inline constexpr const char* kNoSuchFolder = VORNIK_TRANSLATE_NOOP("Files", "no such folder \"%1\"");
inline constexpr const char* kCannotCreateFolder =
    VORNIK_TRANSLATE_NOOP("Files", "cannot create the folder \"%1\": %2");
inline constexpr const char* kCannotCreateLink =
    VORNIK_TRANSLATE_NOOP("Files", "cannot create the link \"%1\": %2");
inline constexpr const char* kStreamReadError = VORNIK_TRANSLATE_NOOP("Files", "Stream read error");
}  // namespace filemsg

// The system's words for an error number, translated where we know them.
Message SystemReason(int err);
// One of the templates above filled with the file and the system's reason.
Message FileProblem(const char* source, const std::string& path, int err);
Message FileProblem(const char* source, const std::string& path);

}  // namespace vornik
