#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Bytes.h"

namespace vornik::test {

// The shared corpus of real files; empty path when it is not beside the project.
std::filesystem::path CorpusDir();
// Files of one corpus folder (sorted), optionally only those ending in ext
// (case-insensitive, e.g. ".ico").
std::vector<std::filesystem::path> CorpusFiles(const std::string& folder, const std::string& ext = "");

// A fresh folder under the system temp folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

Bytes ReadAll(const std::filesystem::path& path);
void WriteAll(const std::filesystem::path& path, const Bytes& data);

}  // namespace vornik::test

// Skips the current test when the corpus is absent.
#define VORNIK_REQUIRE_CORPUS()                                                         \
    do {                                                                               \
        if (::vornik::test::CorpusDir().empty())                                       \
            GTEST_SKIP() << "../shared/corpus is not beside the project; corpus test skipped"; \
    } while (0)
