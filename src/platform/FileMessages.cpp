#include "platform/FileMessages.h"

#include <cerrno>
#include <cstring>

namespace vornik {

namespace {

struct Known {
    int err;
    const char* text;  // as the C library words it, which is the English shown
};

// The reasons a user meets when opening and saving; others are shown in the
// C library's words.
constexpr Known kKnown[] = {
    {ENOENT, VORNIK_TRANSLATE_NOOP("SystemError", "No such file or directory")},
    {EACCES, VORNIK_TRANSLATE_NOOP("SystemError", "Permission denied")},
    {EPERM, VORNIK_TRANSLATE_NOOP("SystemError", "Operation not permitted")},
    {EISDIR, VORNIK_TRANSLATE_NOOP("SystemError", "Is a directory")},
    {ENOTDIR, VORNIK_TRANSLATE_NOOP("SystemError", "Not a directory")},
    {ENOSPC, VORNIK_TRANSLATE_NOOP("SystemError", "No space left on device")},
    {EROFS, VORNIK_TRANSLATE_NOOP("SystemError", "Read-only file system")},
    {ELOOP, VORNIK_TRANSLATE_NOOP("SystemError", "Too many levels of symbolic links")},
    {ENAMETOOLONG, VORNIK_TRANSLATE_NOOP("SystemError", "File name too long")},
    {EIO, VORNIK_TRANSLATE_NOOP("SystemError", "Input/output error")},
    {EDQUOT, VORNIK_TRANSLATE_NOOP("SystemError", "Disk quota exceeded")},
    {EEXIST, VORNIK_TRANSLATE_NOOP("SystemError", "File exists")},
};

}  // namespace

Message SystemReason(int err) {
    const std::string words = std::strerror(err);
    for (const Known& k : kKnown)
        // The library's own words, when they are the ones we translate.
        if (k.err == err && words == k.text) return Message("SystemError", k.text);
    return Message::Plain(words);
}

Message FileProblem(const char* source, const std::string& path, int err) {
    return Message("Files", source, {path, SystemReason(err)});
}

Message FileProblem(const char* source, const std::string& path) { return Message("Files", source, {path}); }

}  // namespace vornik
