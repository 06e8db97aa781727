#pragma once

#include <cstdint>
#include <string>

#include "platform/Bytes.h"
#include "platform/Errors.h"

namespace vornik {

bool FileExists(const std::string& path);

// Size of a regular file; throws EInOutError naming the file when it cannot be
// examined.
std::uint64_t FileSizeOf(const std::string& path);

// Reads the whole file. Refuses (EInOutError) files larger than maxBytes so a
// hostile or mistaken path never makes us allocate without bound.
Bytes ReadFileBytes(const std::string& path, std::uint64_t maxBytes = 1ull << 31);

// Writes data so that the target holds either its old content or all of the
// new, never a part. A symbolic link is written through: the file it finally
// points to is replaced, in that file's folder, and the link stays. The data
// goes to an unnamed file (O_TMPFILE) that is linked in only when complete,
// so a killed save leaves nothing behind; where the file system lacks that,
// to one fixed hidden name per target, so leftovers cannot pile up. An
// existing target keeps its permissions. Throws EInOutError naming the file.
void WriteFileReplacing(const std::string& path, const std::uint8_t* data, std::size_t size);
inline void WriteFileReplacing(const std::string& path, const Bytes& data) {
    WriteFileReplacing(path, data.data(), data.size());
}

// The file a path finally names once every symbolic link in its last part is
// followed (relative links from the link's folder); the path itself when it
// is no link or does not exist. Throws EInOutError on a loop.
std::string FollowLinks(const std::string& path);

// The hidden name beside path's final target that a save uses when the file
// system has no unnamed files, and briefly while a complete file is swapped in.
std::string SaveTempNameFor(const std::string& path);

// True when both paths name one existing file (same device and inode), as
// when an output would overwrite the input being read.
bool SameFile(const std::string& a, const std::string& b);

// A save refused because its target is write-protected: we may not write it,
// or nobody may (no write bit at all, as chmod a-w leaves a file, which root
// would otherwise replace silently).
class EWriteProtected : public EInOutError {
public:
    using EInOutError::EInOutError;
};

// Whether saves replace write-protected files (off unless asked, as cp).
void ReplaceWriteProtected(bool allowed);

namespace detail {
// WriteFileReplacing without the unnamed temporary file (the fallback path).
void WriteFileReplacingNamed(const std::string& path, const std::uint8_t* data, std::size_t size);
}  // namespace detail

}  // namespace vornik
