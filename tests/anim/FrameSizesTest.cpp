#include <gtest/gtest.h>

#include <memory>

#include "MultiSizeAni.h"
#include "NoticeRecorder.h"
#include "anim/AniPlayer.h"
#include "anim/FrameOrder.h"
#include "anim/FrameSizes.h"
#include "anim/GenerateFrames.h"
#include "anim/InfoText.h"
#include "anim/TAniEX.h"
#include "model/IconImageReader.h"
#include "platform/ShiftJis.h"

namespace vornik {
namespace {

using test::MultiSizeAni;
using test::MultiSizeFill;

std::unique_ptr<TAniEX> load(const Bytes& file) {
    auto a = std::make_unique<TAniEX>();
    EXPECT_TRUE(a->LoadFromMemory(file.data(), file.size(), "t.ani"));
    return a;
}

// The sides and first XOR byte of each image of a cursor file's bytes.
std::vector<std::pair<int, int>> imagesOfCursorFile(const Bytes& file) {
    std::vector<std::pair<int, int>> out;
    const int count = ReadU16LE(file.data() + 4);
    for (int k = 0; k < count; ++k) {
        const std::uint32_t offset = ReadU32LE(file.data() + 6 + 16 * k + 12);
        IconEntry e;
        EXPECT_EQ(ReadIconImage(file.data(), file.size(), offset, e, nullptr), "");
        out.emplace_back(static_cast<int>(ReadU32LE(e.InfoHeader.data() + 4)), e.XorBits.at(0));
    }
    return out;
}

TEST(FrameSizes, CaptionsAndTheChosenSizeOfEveryFrame) {
    auto aHeld = load(MultiSizeAni(3, {48, 32, 16}));
    TAniEX& a = *aHeld;
    EXPECT_EQ(FrameSizesCaption(a, 0), "16, 32, 48");
    EXPECT_EQ(SetSizes(a), (std::vector<int>{16, 32, 48}));
    EXPECT_EQ(ShownSize(a, 1), 32);
    EXPECT_EQ(ShowFrameSize(a, 48), 3);
    for (int f = 0; f < 3; ++f) {
        EXPECT_EQ(ShownSize(a, f), 48);
        EXPECT_EQ(a.Entries[f].XorBits.at(0), MultiSizeFill(f, 48));
    }
    EXPECT_EQ(ShowFrameSize(a, 24), 0);  // no frame holds it: nothing changes
    EXPECT_EQ(ShownSize(a, 0), 48);
    // Showing another size changes no byte of the file.
    const Bytes file = MultiSizeAni(3, {48, 32, 16});
    EXPECT_EQ(test::IconChunks(a.SaveToBytes()), test::IconChunks(file));
}

TEST(FrameSizes, AnEditedSizeIsKeptWhenAnotherIsShown) {
    auto aHeld = load(MultiSizeAni(2, {16, 32}));
    TAniEX& a = *aHeld;
    ASSERT_EQ(ShowFrameSize(a, 16), 2);
    a.Entries[1].XorBits[0] = 0xEE;  // the user painted the 16 px image of frame 1
    a.Entries[1].HotSpotX = 9;
    ASSERT_EQ(ShowFrameSize(a, 32), 2);
    EXPECT_EQ(a.Entries[1].XorBits[0], MultiSizeFill(1, 32));
    ASSERT_EQ(ShowFrameSize(a, 16), 2);
    EXPECT_EQ(a.Entries[1].XorBits[0], 0xEE);
    EXPECT_EQ(a.Entries[1].HotSpotX, 9);
    const Bytes saved = FrameAsCursorFile(a, 1);
    EXPECT_EQ(imagesOfCursorFile(saved), (std::vector<std::pair<int, int>>{{16, 0xEE}, {32, MultiSizeFill(1, 32)}}));
    EXPECT_EQ(ReadU16LE(saved.data() + 6 + 4), 9);  // its hot spot
}

TEST(FrameSizes, CopiesCarryEverySizeAndStepsFollowInsertedFrames) {
    test::NoticeRecorder notices;
    auto aHeld = load(MultiSizeAni(3, {16, 32, 48}, {2, 1, 0}));
    TAniEX& a = *aHeld;
    std::vector<FrameCopy> copies = {CopyFrame(a, 2), CopyFrame(a, 0)};
    EXPECT_EQ(InsertFrameCopies(a, 1, copies), (std::vector<int>{1, 2}));
    ASSERT_EQ(a.Count, 5);
    // The old steps still show the same frames (moved up by two past 0);
    // each new frame got a step of its own.
    std::vector<int> seq;
    for (int i = 0; i < a.StepCount(); ++i) seq.push_back(a.Steps[i].Frame);
    EXPECT_EQ(seq, (std::vector<int>{4, 3, 0, 1, 2}));
    for (int f : {1, 2}) EXPECT_EQ(a.FrameImageCount(f), 3);
    EXPECT_EQ(imagesOfCursorFile(FrameAsCursorFile(a, 1)),
              (std::vector<std::pair<int, int>>{
                  {16, MultiSizeFill(2, 16)}, {32, MultiSizeFill(2, 32)}, {48, MultiSizeFill(2, 48)}}));
    // Through a file and back, every frame keeps its three sizes.
    const Bytes saved = a.SaveToBytes();
    auto backHeld = load(saved);
    TAniEX& back = *backHeld;
    EXPECT_EQ(back.Count, 5);
    for (int f = 0; f < 5; ++f) EXPECT_EQ(FrameSizesCaption(back, f), "16, 32, 48");
    EXPECT_TRUE(notices.notices.empty());
}

TEST(FrameSizes, ThreeFramesOfThreeSizesGoThroughEveryFrameCommand) {
    test::NoticeRecorder notices;
    const Bytes file = MultiSizeAni(3, {16, 32, 48});
    const std::vector<Bytes> chunks = test::IconChunks(file);
    auto aHeld = load(file);
    TAniEX& a = *aHeld;
    ShowFrameSize(a, 48);
    MoveFrames(a, {0}, +1);                              // 1 0 2
    DropFrames(a, {2}, 0);                               // 2 1 0
    const std::vector<FrameCopy> cut = {CopyFrame(a, 0)};  // cut frame "2"
    DeleteFrames(a, {0});                                // 1 0
    InsertFrameCopies(a, -1, cut);                       // 1 0 2
    MoveFrames(a, {0}, +1);                              // 0 1 2
    ShowFrameSize(a, 16);
    const std::vector<Bytes> out = test::IconChunks(a.SaveToBytes());
    EXPECT_EQ(out, chunks);
}

TEST(AniClock, RatesCountInSixtiethsOfASecond) {
    EXPECT_EQ(AniPlayer::RateMilliseconds(60), 1000);
    EXPECT_EQ(AniPlayer::RateMilliseconds(10), 167);
    EXPECT_EQ(AniPlayer::RateMilliseconds(0), 17);  // a step is shown for one tick at least
    auto aHeld = load(MultiSizeAni(2, {32}));
    TAniEX& a = *aHeld;
    AniPlayer p;
    EXPECT_EQ(p.TicksDue(100), 0);  // not playing
    ASSERT_TRUE(p.Play(&a));
    EXPECT_EQ(p.TicksDue(0), 1);     // the first wake-up shows step 0
    EXPECT_EQ(p.TicksDue(10), 0);    // not a jiffy later yet
    EXPECT_EQ(p.TicksDue(17), 1);
    EXPECT_EQ(p.TicksDue(1000), 59);  // 61 jiffies in all by one second
    EXPECT_EQ(p.TicksDue(60000), 60);  // after a stall: one second's worth
}

TEST(AniGenerate, ARotationTooFineForTheStepListIsOfferedTheNearestStepThatFits) {
    EXPECT_EQ(RotationFrameCount(3), 120);
    EXPECT_EQ(RotationAngleThatFits(3, 100), 4);
    EXPECT_EQ(RotationAngleThatFits(1, 100), 4);
    EXPECT_EQ(RotationAngleThatFits(90, 100), 90);
    EXPECT_EQ(RotationAngleThatFits(5, 10), 33);  // 10 frames of 33 degrees
    EXPECT_EQ(RotationFrameCount(33), 10);
    EXPECT_EQ(RotationFrameCount(32), 11);
    EXPECT_EQ(RotationAngleThatFits(5, 0), 0);
    auto aHeld = load(MultiSizeAni(3, {32}));
    TAniEX& a = *aHeld;
    EXPECT_EQ(GenerationRoom(&a), 97);
    EXPECT_EQ(GenerationRoom(nullptr), 100);
}

TEST(InfoText, Utf8IsDetectedAndShiftJisGapsAreNamed) {
    const std::string sjisKana = Utf8ToShiftJis("アニメ");
    EXPECT_FALSE(IsValidUtf8(sjisKana));
    EXPECT_EQ(InfoTextToUtf8(sjisKana), "アニメ");
    EXPECT_EQ(InfoTextToUtf8("アニメ"), "アニメ");
    EXPECT_TRUE(HeldAsUtf8("é"));
    EXPECT_FALSE(HeldAsUtf8("plain"));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));      // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE3\x81"));      // cut short
    EXPECT_EQ(CharsOutsideShiftJis("Zoë 😀 カーソル ë"), (std::vector<std::string>{"ë", "😀"}));
    // Typing: Shift-JIS while every character fits, UTF-8 (nothing lost) otherwise.
    EXPECT_EQ(InfoTextBytesForEdit("", "カーソル"), Utf8ToShiftJis("カーソル"));
    EXPECT_EQ(InfoTextBytesForEdit("", "Zoë"), "Zoë");
    EXPECT_EQ(InfoTextBytesForEdit("é", "カーソル"), "カーソル");  // a UTF-8 text stays so
    EXPECT_EQ(InfoCharsOutsideShiftJis("Zoë", Utf8ToShiftJis("作者")), (std::vector<std::string>{"ë"}));
    EXPECT_EQ(InfoTextAsShiftJis("Zoë"), "Zo?");
    EXPECT_EQ(InfoTextAsShiftJis(sjisKana), sjisKana);
}

TEST(InfoText, ATitleSavedAsUtf8ReadsBackAsUtf8) {
    auto aHeld = load(MultiSizeAni(1, {32}));
    TAniEX& a = *aHeld;
    EXPECT_FALSE(a.KeepInfoUtf8);
    a.Title = "Zoë の矢印";
    a.Creator = Utf8ToShiftJis("作者");
    const Bytes saved = a.SaveToBytes();
    auto backHeld = load(saved);
    TAniEX& back = *backHeld;
    EXPECT_EQ(back.Title, "Zoë の矢印");
    EXPECT_TRUE(back.KeepInfoUtf8);
    EXPECT_EQ(InfoTextToUtf8(back.Creator), "作者");
}

}  // namespace
}  // namespace vornik
