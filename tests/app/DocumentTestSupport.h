#pragma once

#include <filesystem>
#include <string>

#include "TestFiles.h"
#include "platform/TempFolder.h"

namespace vornik::test {

inline std::filesystem::path CorpusFile(const std::string& relative) { return CorpusDir() / relative; }

// Copies a corpus file under a new name into dir. The corpus is read-only
// and a copy keeps its mode; the copy is made writable so that saving over
// it is a test of saving, not of the write-protection refusal.
inline std::string CopyAs(const TempDir& dir, const std::string& corpusFile, const std::string& name) {
    const std::string to = dir.file(name);
    std::filesystem::copy_file(CorpusFile(corpusFile), to, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::permissions(to, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    return to;
}

// Points the temporary folder at a fresh folder for the scope.
class ScopedTempFolder {
public:
    ScopedTempFolder() { SetTempFolderOverride(dir.path().string()); }
    ~ScopedTempFolder() { SetTempFolderOverride(""); }
    bool empty() const { return std::filesystem::is_empty(dir.path()); }
    TempDir dir;
};

}  // namespace vornik::test
