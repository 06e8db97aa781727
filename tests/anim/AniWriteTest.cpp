#include <gtest/gtest.h>

#include <cstring>

#include "AniBuilder.h"
#include "NoticeRecorder.h"
#include "TestFiles.h"
#include "anim/TAniEX.h"
#include "platform/Errors.h"

namespace vornik {
namespace {

using namespace test;

// A set of n frames, 32 x 32 at 4 bits, frame i filled with i + 1.
void addFrames(TAniEX& a, int n) {
    for (int i = 0; i < n; ++i) {
        const int f = a.AddFrame();
        ASSERT_EQ(f, i);
        a.InitEntry(f, 2, 32, 32, 4);
        a.Entries[f].XorBits.assign(a.Entries[f].XorBits.size(), static_cast<std::uint8_t>(i + 1));
        a.Entries[f].HotSpotX = 5;
        a.Entries[f].HotSpotY = 7;
    }
}

std::size_t find(const Bytes& b, const char* tag, std::size_t from = 0) {
    for (std::size_t i = from; i + 4 <= b.size(); ++i)
        if (std::memcmp(b.data() + i, tag, 4) == 0) return i;
    return std::string::npos;
}

TEST(AniWrite, ExactLayoutOfANewSet) {
    NoticeRecorder rec;
    TAniEX a;
    addFrames(a, 2);
    a.Title = "abc";
    const Bytes b = a.SaveToBytes();
    std::size_t p = 0;
    auto tagIs = [&](const char* t) {
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[p]), 4), t) << p;
        p += 4;
    };
    auto u32 = [&] {
        const auto v = ReadU32LE(&b[p]);
        p += 4;
        return v;
    };
    tagIs("RIFF");
    EXPECT_EQ(u32(), b.size() - 8);
    tagIs("ACON");
    tagIs("LIST");
    EXPECT_EQ(u32(), 4u + 8 + 4);
    tagIs("INFO");
    tagIs("INAM");
    EXPECT_EQ(u32(), 4u);
    EXPECT_EQ(std::memcmp(&b[p], "abc\0", 4), 0);
    p += 4;
    tagIs("anih");
    EXPECT_EQ(u32(), 36u);
    const std::uint32_t header[9] = {36, 2, 2, 0, 0, 4, 1, 10, 1};
    for (std::uint32_t v : header) EXPECT_EQ(u32(), v);
    tagIs("LIST");
    const std::uint32_t frameBytes = 40 + 64 + 512 + 128;
    EXPECT_EQ(u32(), 4 + 2 * (30 + frameBytes));
    tagIs("fram");
    for (int i = 0; i < 2; ++i) {
        tagIs("icon");
        EXPECT_EQ(u32(), 22 + frameBytes);
        EXPECT_EQ(ReadU16LE(&b[p]), 0);
        EXPECT_EQ(ReadU16LE(&b[p + 2]), 2);
        EXPECT_EQ(ReadU16LE(&b[p + 4]), 1);
        p += 6;
        EXPECT_EQ(b[p], 32);
        EXPECT_EQ(b[p + 2], 16);
        EXPECT_EQ(ReadU16LE(&b[p + 4]), 5);
        EXPECT_EQ(ReadU16LE(&b[p + 6]), 7);
        EXPECT_EQ(ReadU32LE(&b[p + 8]), frameBytes);
        EXPECT_EQ(ReadU32LE(&b[p + 12]), 22u);
        p += 16;
        EXPECT_EQ(ReadU32LE(&b[p + 8]), 64u);  // doubled height
        p += 40 + 64;
        EXPECT_EQ(b[p], i + 1);
        p += 512 + 128;
    }
    EXPECT_EQ(p, b.size());
    EXPECT_EQ(a.Entries[0].ImageOffset, 22u);
    EXPECT_EQ(a.Entries[0].ImageSize, frameBytes);
    EXPECT_EQ(ReadI32LE(a.Entries[0].InfoHeader.data() + 8), 32);  // held height unchanged
}

TEST(AniWrite, BlankTextsWriteNoInfoListAndTextsKeepTheirBlanks) {
    NoticeRecorder rec;
    TAniEX a;
    addFrames(a, 1);
    a.Title = "  \t";
    a.Creator = "\r\n ";
    EXPECT_EQ(find(a.SaveToBytes(), "INFO"), std::string::npos);
    a.Creator = " me ";
    const Bytes b = a.SaveToBytes();
    EXPECT_EQ(find(b, "INAM"), std::string::npos);
    const std::size_t art = find(b, "IART");
    ASSERT_NE(art, std::string::npos);
    EXPECT_EQ(ReadU32LE(&b[art + 4]), 4u);
    EXPECT_EQ(std::memcmp(&b[art + 8], " me ", 4), 0);
}

TEST(AniWrite, RateAndSeqChunksFollowTheFlagsAndTheEdits) {
    NoticeRecorder rec;
    TAniEX a;
    addFrames(a, 2);
    Bytes b = a.SaveToBytes();
    EXPECT_EQ(find(b, "rate"), std::string::npos);
    EXPECT_EQ(find(b, "seq "), std::string::npos);
    a.HasRateChunk = true;
    b = a.SaveToBytes();
    std::size_t r = find(b, "rate");
    ASSERT_NE(r, std::string::npos);
    EXPECT_EQ(ReadU32LE(&b[r + 4]), 8u);
    EXPECT_EQ(ReadU32LE(&b[r + 8]), 10u);
    // An edited sequence reaches the file with the sequence flag.
    ASSERT_EQ(a.InsertStep(0, -1, 3), 0);
    b = a.SaveToBytes();
    const std::size_t s = find(b, "seq ");
    ASSERT_NE(s, std::string::npos);
    EXPECT_EQ(ReadU32LE(&b[s + 4]), 12u);
    EXPECT_EQ(ReadU32LE(&b[s + 16]), 0u);
    EXPECT_EQ(a.AnimHeader.Flags, 3u);
    const std::size_t h = find(b, "anih");
    EXPECT_EQ(ReadU32LE(&b[h + 8 + 32]), 3u);
    // Re-read equals.
    TAniEX c;
    ASSERT_TRUE(c.LoadFromMemory(b.data(), b.size(), "x"));
    EXPECT_EQ(c.StepCount(), 3);
    EXPECT_EQ(c.Steps[2], (AniStep{3, 0}));
}

TEST(AniWrite, ZeroRateIsReplacedAndFrameCountFollowsTheFrames) {
    NoticeRecorder rec;
    TAniEX a(7);
    addFrames(a, 3);
    a.AnimHeader.DisplayRate = 0;
    ASSERT_EQ(a.DeleteFrame(1), 1);
    EXPECT_EQ(a.AnimHeader.FrameCount, 3u);
    a.SaveToBytes();
    EXPECT_EQ(a.AnimHeader.DisplayRate, 7u);
    EXPECT_EQ(a.AnimHeader.FrameCount, 2u);
    EXPECT_EQ(a.AnimHeader.Flags, 3u);  // held frame count 3 differed from 2 steps
}

TEST(AniWrite, IconFrameIsWrittenAsCursorWithItsFieldsAsHeld) {
    NoticeRecorder rec;
    TAniEX a;
    const Bytes file =
        Ani({Anih(1, 1, 1), List("fram", {Chunk("icon", CursorFile({CursorImage(16, 8)}, 1, 8, 1))})});
    ASSERT_TRUE(a.LoadFromMemory(file.data(), file.size(), "x"));
    EXPECT_EQ(a.Entries[0].ColorCount, 0);
    const Bytes b = a.SaveToBytes();
    const std::size_t icon = find(b, "icon");
    EXPECT_EQ(ReadU16LE(&b[icon + 10]), 2);
    EXPECT_EQ(ReadU16LE(&b[icon + 14 + 4]), 1);
    EXPECT_EQ(ReadU16LE(&b[icon + 14 + 6]), 8);
    EXPECT_EQ(b[icon + 14 + 2], 0);
    EXPECT_EQ(b[icon + 14 + 3], 0);
}

TEST(AniWrite, FrameWithoutImageIsRefusedAndTheFileKept) {
    NoticeRecorder rec;
    TAniEX a;
    addFrames(a, 1);
    TempDir dir;
    const std::string path = dir.file("a.ani");
    a.SaveToFile(path);
    const Bytes before = ReadAll(path);
    a.AddFrame();  // left empty
    EXPECT_THROW(a.SaveToFile(path), EVornikError);
    EXPECT_EQ(ReadAll(path), before);
}

}  // namespace
}  // namespace vornik
