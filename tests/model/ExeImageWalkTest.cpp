#include <gtest/gtest.h>

#include <filesystem>

#include "PeBuilder.h"
#include "TestFiles.h"
#include "model/ExeImageWalk.h"
#include "model/ExeResources.h"
#include "model/TIconEx.h"
#include "platform/FileIO.h"

namespace vornik {
namespace {

using namespace test;

struct Seen {
    std::uint32_t offset;
    std::uint32_t size;
    int width;
    std::string label;
    bool operator==(const Seen&) const = default;
};

std::vector<Seen> walked(const std::string& path) {
    std::vector<Seen> seen;
    WalkExeImages(path, [&](ExeImage& image) {
        seen.push_back({image.entry.ImageOffset, image.entry.ImageSize, image.entry.PixelWidth(), image.origin.label});
        return true;
    });
    return seen;
}

// The walk the command line uses and the editor's table agree, image for
// image, on real programs and on a content scan.
TEST(ExeImageWalk, AgreesWithTheEditorsTableOnRealPrograms) {
    VORNIK_REQUIRE_CORPUS();
    int files = 0;
    for (const auto& f : std::filesystem::directory_iterator(CorpusDir() / "pe")) {
        const std::string path = f.path().string();
        TExeEXsub set;
        set.LoadFromExe(path);
        const std::vector<Seen> seen = walked(path);
        ASSERT_EQ(seen.size(), static_cast<std::size_t>(set.Count)) << path;
        for (int i = 0; i < set.Count; ++i) {
            const IconEntry& e = set.Entries[static_cast<std::size_t>(i)];
            EXPECT_EQ(seen[static_cast<std::size_t>(i)],
                      (Seen{e.ImageOffset, e.ImageSize, e.PixelWidth(),
                            set.Origins.empty() ? std::string() : set.Origins[static_cast<std::size_t>(i)].label}))
                << path << " #" << i;
        }
        // Reading from the mapped file (pages let go behind) gives what reading from bytes gives.
        const Bytes bytes = ReadAll(path);
        std::vector<Seen> fromBytes;
        WalkExeImages(bytes.data(), bytes.size(), [&](ExeImage& image) {
            fromBytes.push_back({image.entry.ImageOffset, image.entry.ImageSize, image.entry.PixelWidth(),
                                 image.origin.label});
            return true;
        });
        EXPECT_EQ(fromBytes, seen) << path;
        ++files;
    }
    EXPECT_GT(files, 0);
}

TEST(ExeImageWalk, GoesBeyondTheTableAndStopsWhenAsked) {
    TempDir dir;
    PeBuilder b;
    for (std::uint16_t id = 1; id <= 1200; ++id) b.Add(kRtIcon, id, DibIconImage(16, 16, 4, static_cast<std::uint8_t>(id)));
    WriteAll(dir.path() / "many.dll", b.Build());
    std::size_t n = 0;
    const ExeWalkResult all = WalkExeImages(dir.file("many.dll"), [&](ExeImage&) { return ++n, true; });
    EXPECT_TRUE(all.fromResources);
    EXPECT_EQ(all.images, 1200u);
    EXPECT_EQ(n, 1200u);
    EXPECT_TRUE(all.notes.empty());
    n = 0;
    const ExeWalkResult some = WalkExeImages(dir.file("many.dll"), [&](ExeImage&) { return ++n < 7; });
    EXPECT_EQ(n, 7u);
    EXPECT_EQ(some.images, 7u);
    // The editor keeps its table and counts the rest.
    TExeEXsub set;
    set.LoadFromExe(dir.file("many.dll"));
    EXPECT_EQ(set.Count, TIconEx::kMaxEntries);
    EXPECT_EQ(set.LeftOut, 200);
}

}  // namespace
}  // namespace vornik
