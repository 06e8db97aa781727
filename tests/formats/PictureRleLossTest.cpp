// RLE pictures (RLE8, RLE4 and OS/2 RLE24) whose data ends early are read with losses that say how many
// rows, counted from the top, the data never reached.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "formats/PictureRead.h"
#include "platform/FileIO.h"

namespace vornik {
namespace {

using namespace test;

// A 4 x 4 RLE8 or RLE4 bitmap file with a 16-colour table and the given data.
Bytes rleFile(int bits, const Bytes& data) {
    const std::uint32_t head = 14 + 40 + 16 * 4;
    Bytes b{'B', 'M'};
    AppendU32LE(b, head + static_cast<std::uint32_t>(data.size()));
    AppendU32LE(b, 0);
    AppendU32LE(b, head);
    AppendU32LE(b, 40);
    AppendU32LE(b, 4);
    AppendU32LE(b, 4);
    AppendU16LE(b, 1);
    AppendU16LE(b, static_cast<std::uint16_t>(bits));
    AppendU32LE(b, bits == 8 ? 1 : 2);
    AppendU32LE(b, static_cast<std::uint32_t>(data.size()));
    AppendU32LE(b, 0);
    AppendU32LE(b, 0);
    AppendU32LE(b, 16);
    AppendU32LE(b, 0);
    for (std::uint32_t i = 0; i < 16; ++i) AppendU32LE(b, i * 0x100000u);
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

// A 4 x 4 OS/2 2.x bitmap (64-byte header) with compression 4: RLE24.
Bytes rle24File(const Bytes& data) {
    const std::uint32_t head = 14 + 64;
    Bytes b{'B', 'M'};
    AppendU32LE(b, head + static_cast<std::uint32_t>(data.size()));
    AppendU32LE(b, 0);
    AppendU32LE(b, head);
    AppendU32LE(b, 64);
    AppendU32LE(b, 4);
    AppendU32LE(b, 4);
    AppendU16LE(b, 1);
    AppendU16LE(b, 24);
    AppendU32LE(b, 4);
    b.resize(14 + 64, 0);
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

ReadResult<TQvDIB> readRle(int bits, const Bytes& data) {
    TempDir dir;
    WriteAll(dir.file("p.bmp"), rleFile(bits, data));
    return ReadPicture(dir.file("p.bmp"));
}

std::uint64_t rowsMissing(const ReadResult<TQvDIB>& r) {
    EXPECT_FALSE(r.refused);
    if (r.losses.empty()) return 0;
    EXPECT_EQ(r.losses.size(), 1u);
    EXPECT_EQ(r.losses[0].code, LossCode::RowsMissing);
    return r.losses[0].count;
}

TEST(PictureRleLoss, DataEndingEarlyNamesTheRowsItNeverReached) {
    const Bytes row1 = {4, 1, 0, 0}, row2 = {4, 2, 0, 0};
    Bytes two = row1;
    two.insert(two.end(), row2.begin(), row2.end());
    const auto cut = readRle(8, two);
    EXPECT_EQ(rowsMissing(cut), 2u);
    ASSERT_EQ(cut.losses.size(), 1u);
    EXPECT_EQ(cut.losses[0].where, "rows 1-2 from the top");  // stored bottom-up
    // Ending inside a row: that row is missing too.
    Bytes partial = row1;
    partial.insert(partial.end(), {2, 3});
    EXPECT_EQ(rowsMissing(readRle(8, partial)), 3u);
    // RLE4 alike, and a delta cut after its code.
    EXPECT_EQ(rowsMissing(readRle(4, {4, 0x12, 0, 0, 0, 2})), 3u);
    EXPECT_EQ(rowsMissing(readRle(4, {4, 0x12, 0, 0})), 3u);
}

TEST(PictureRleLoss, Rle24EndingEarlyNamesTheRowsItNeverReached) {
    TempDir dir;
    auto read = [&](const Bytes& data) {
        WriteAll(dir.file("p.bmp"), rle24File(data));
        return ReadPicture(dir.file("p.bmp"));
    };
    // Two rows of four blue-green-red pixels, then the data ends.
    const Bytes row = {4, 10, 20, 30, 0, 0};
    Bytes two = row;
    two.insert(two.end(), row.begin(), row.end());
    const auto cut = read(two);
    EXPECT_EQ(rowsMissing(cut), 2u);
    ASSERT_EQ(cut.losses.size(), 1u);
    EXPECT_EQ(cut.losses[0].where, "rows 1-2 from the top");
    // The rows it has are there, the missing ones black.
    EXPECT_EQ(cut.value.ScanLine(0)[0], 10);
    EXPECT_EQ(cut.value.ScanLine(1)[11], 30);
    EXPECT_EQ(cut.value.ScanLine(3)[0], 0);
    // Ending inside a run, inside an absolute run or after a delta's code.
    Bytes inRun = row;
    inRun.insert(inRun.end(), {4, 10});
    EXPECT_EQ(rowsMissing(read(inRun)), 3u);
    EXPECT_EQ(rowsMissing(read({0, 3, 1, 2, 3, 4})), 4u);
    EXPECT_EQ(rowsMissing(read({4, 1, 2, 3, 0, 2})), 4u);
    // With its end-of-bitmap code, or with every row written, it is whole.
    EXPECT_EQ(rowsMissing(read({4, 1, 2, 3, 0, 0, 0, 1})), 0u);
    Bytes four;
    for (int i = 0; i < 4; ++i) four.insert(four.end(), row.begin(), row.end());
    EXPECT_EQ(rowsMissing(read(four)), 0u);
}

TEST(PictureRleLoss, EndOfBitmapOrEveryRowIsAWholeRead) {
    // The end-of-bitmap code may come early: the rest is background by design.
    EXPECT_EQ(rowsMissing(readRle(8, {4, 1, 0, 0, 0, 1})), 0u);
    // Every row written and no end code: nothing is missing.
    EXPECT_EQ(rowsMissing(readRle(8, {4, 1, 0, 0, 4, 1, 0, 0, 4, 1, 0, 0, 4, 1, 0, 0})), 0u);
    // A delta to the last row, then the end code.
    EXPECT_EQ(rowsMissing(readRle(8, {0, 2, 0, 3, 4, 1, 0, 1})), 0u);
}

TEST(PictureRleLoss, DamagedRunsAreRefused) {
    const auto r = readRle(8, {9, 1, 0, 1});  // a run of 9 in a row of 4
    ASSERT_TRUE(r.refused);
    EXPECT_EQ(r.refusal.code, RefusalCode::Damaged);
}

// Corpus pictures: one whose end code comes early is whole; one with a run
// past its row is refused; an RLE24 one cut short misses rows; a packed DIB
// (no file header) named .dib is read.
TEST(PictureRleLoss, CorpusPictures) {
    VORNIK_REQUIRE_CORPUS();
    EXPECT_EQ(rowsMissing(ReadPicture((CorpusDir() / "bmp/good/imagers__pal4rlecut.bmp").string())), 0u);
    EXPECT_EQ(rowsMissing(ReadPicture((CorpusDir() / "bmp/good/pillow__pal8rle.bmp").string())), 0u);
    const auto bad = ReadPicture((CorpusDir() / "bmp/bad/pillow__badrle.bmp").string());
    ASSERT_TRUE(bad.refused);
    EXPECT_EQ(bad.refusal.code, RefusalCode::Damaged);
    // A real RLE24 file cut in half misses its top rows, not all of them.
    const Bytes rle24 = ReadFileBytes((CorpusDir() / "bmp/good/imagers__rgb24rle24.bmp").string());
    const auto whole = ReadPicture((CorpusDir() / "bmp/good/imagers__rgb24rle24.bmp").string());
    EXPECT_EQ(rowsMissing(whole), 0u);
    TempDir dir;
    WriteAll(dir.file("half.bmp"), Bytes(rle24.begin(), rle24.begin() + static_cast<std::ptrdiff_t>(rle24.size() / 2)));
    const std::uint64_t lost = rowsMissing(ReadPicture(dir.file("half.bmp")));
    EXPECT_GT(lost, 0u);
    EXPECT_LT(lost, static_cast<std::uint64_t>(whole.value.Height()));
    const auto packed = ReadPicture((CorpusDir() / "bmp/good/pillow__clipboard.dib").string());
    ASSERT_FALSE(packed.refused);
    EXPECT_EQ(packed.value.Width(), 296);
    EXPECT_EQ(packed.value.Height(), 176);
}

}  // namespace
}  // namespace vornik
