#include <gtest/gtest.h>

#include <cstring>

#include "AniBuilder.h"
#include "NoticeRecorder.h"
#include "TestFiles.h"
#include "anim/AniMessages.h"
#include "anim/TAniEX.h"
#include "model/IconImageReader.h"
#include "imaging/PngWrite.h"
#include "platform/Errors.h"

namespace vornik {
namespace {

using namespace test;

bool load(TAniEX& a, const Bytes& b) { return a.LoadFromMemory(b.data(), b.size(), "mem.ani"); }

TEST(AniRead, PlainFileGivesIdentityStepsAtTheHeaderRate) {
    NoticeRecorder rec;
    TAniEX a;
    ASSERT_TRUE(load(a, Ani({Anih(3, 3, 7), Frames(3)})));
    EXPECT_TRUE(rec.notices.empty());
    EXPECT_EQ(a.Count, 3);
    EXPECT_EQ(a.ResourceType, 2);
    EXPECT_FALSE(a.HasRateChunk);
    EXPECT_FALSE(a.HasSeqChunk);
    ASSERT_EQ(a.StepCount(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(a.Steps[i], (AniStep{7, i}));
    const IconEntry& e = a.Entries[1];
    EXPECT_EQ(e.Width, 16);
    EXPECT_EQ(e.Height, 16);
    EXPECT_EQ(e.ColorCount, 16);
    EXPECT_EQ(e.HotSpotX, 3);
    EXPECT_EQ(e.HotSpotY, 4);
    EXPECT_EQ(e.XorSize, 8 * 16);
    EXPECT_EQ(e.AndSize, 4 * 16);
    EXPECT_EQ(e.InfoHeader.size(), 40u + 64u);
    EXPECT_EQ(e.XorBits[0], 2);
    EXPECT_EQ(ReadI32LE(e.InfoHeader.data() + 8), 16);  // single height
}

TEST(AniRead, ZeroDisplayRateTakesTheDefault) {
    NoticeRecorder rec;
    TAniEX a(12);
    ASSERT_TRUE(load(a, Ani({Anih(2, 2, 0), Frames(2)})));
    EXPECT_EQ(a.AnimHeader.DisplayRate, 12u);
    EXPECT_EQ(a.Steps[1].Rate, 12);
}

TEST(AniRead, RateSeqTitleCreatorAndOddTextPadding) {
    NoticeRecorder rec;
    TAniEX a;
    Bytes info = List("INFO", {Chunk("INAM", {'a', 'b', 'c', 0}, 3), Chunk("IART", {'x', 'y'})});
    ASSERT_TRUE(load(a, Ani({info, Anih(2, 3, 5, 3), Chunk("rate", Values({1, 2, 3})),
                             Chunk("seq ", Values({1, 0, 1})), Frames(2)})));
    EXPECT_EQ(a.Title, "abc");
    EXPECT_EQ(a.Creator, "xy");
    EXPECT_TRUE(a.HasRateChunk);
    EXPECT_TRUE(a.HasSeqChunk);
    EXPECT_EQ(a.Steps[0], (AniStep{1, 1}));
    EXPECT_EQ(a.Steps[2], (AniStep{3, 1}));
    EXPECT_EQ(a.Count, 2);
}

TEST(AniRead, StepsNamingMissingFramesAreDroppedWithOneNotice) {
    NoticeRecorder rec;
    TAniEX a;
    ASSERT_TRUE(load(a, Ani({Anih(2, 4, 5, 3), Chunk("seq ", Values({5, -1, 1, 0})), Frames(2)})));
    EXPECT_EQ(rec.texts(), (std::vector<std::string>{EnglishText(animsg::SeqFrameTooLarge())}));
    ASSERT_EQ(a.StepCount(), 2);
    EXPECT_EQ(a.Steps[0], (AniStep{5, 1}));
    EXPECT_EQ(a.Steps[1], (AniStep{5, 0}));
    // A header that claims more frames than the file holds: the count is what is there.
    ASSERT_TRUE(load(a, Ani({Anih(5, 5, 2), Frames(3)})));
    EXPECT_EQ(a.AnimHeader.FrameCount, 3u);
    EXPECT_EQ(a.StepCount(), 3);
    EXPECT_EQ(rec.texts().size(), 2u);
}

TEST(AniRead, RefusesWhatIsNotAnAnimatedCursor) {
    NoticeRecorder rec;
    TAniEX a;
    Bytes notRiff = Ani({Anih(1, 1, 1), Frames(1)});
    std::copy_n("RIFX", 4, notRiff.begin());
    EXPECT_FALSE(load(a, notRiff));
    Bytes notAcon = Ani({Anih(1, 1, 1), Frames(1)});
    std::copy_n("WAVE", 4, notAcon.begin() + 8);
    EXPECT_FALSE(load(a, notAcon));
    EXPECT_EQ(rec.texts(), (std::vector<std::string>{EnglishText(animsg::NotAniRiff("RIFX")),
                                                     EnglishText(animsg::NotAniAcon("WAVE"))}));
    EXPECT_EQ(a.Count, 0);
    EXPECT_FALSE(a.LoadError().empty());
}

TEST(AniRead, MissingFileOrEmptyPathKeepsTheSet) {
    NoticeRecorder rec;
    TAniEX a;
    ASSERT_TRUE(load(a, Ani({Anih(1, 1, 1), Frames(1)})));
    EXPECT_FALSE(a.LoadFromFile(""));
    EXPECT_FALSE(a.LoadFromFile("/nonexistent/x.ani"));
    EXPECT_EQ(a.Count, 1);
    EXPECT_TRUE(rec.notices.empty());
}

TEST(AniRead, UnknownChunksAndInfoEntriesAreSkippedByTheirSize) {
    NoticeRecorder rec;
    TAniEX a;
    Bytes isft = Chunk("ISFT", {'x', 'y', 'z'});
    isft.push_back(0);  // the pad byte after an odd size
    Bytes info = List("INFO", {isft, Chunk("INAM", {'t', 0})});
    Bytes odd = Chunk("JUNK", {1, 2, 3});
    odd.push_back(0);
    ASSERT_TRUE(load(a, Ani({info, odd, Anih(2, 2, 4), List("adtl", {Chunk("labl", {'a', 'b'})}),
                             Chunk("icon", CursorFile({CursorImage(16, 4)})), Chunk("junk", {1, 2}),
                             Frames(1)})));
    EXPECT_TRUE(rec.notices.empty()) << rec.texts()[0];
    EXPECT_EQ(a.Count, 2);
    EXPECT_EQ(a.Title, "t");
    EXPECT_TRUE(a.LoadError().empty());
}

TEST(AniRead, RateAndSeqAreReadByTheirOwnSizeInAnyOrder) {
    NoticeRecorder rec;
    TAniEX a;
    // Before the header, one value too many in "rate", one too few in "seq ".
    ASSERT_TRUE(load(a, Ani({Chunk("seq ", Values({2, 1})), Chunk("rate", Values({7, 8, 9, 10})),
                             Anih(3, 3, 4, 3), Frames(3)})));
    EXPECT_TRUE(rec.notices.empty());
    ASSERT_EQ(a.StepCount(), 3);
    EXPECT_EQ(a.Steps[0], (AniStep{7, 2}));
    EXPECT_EQ(a.Steps[1], (AniStep{8, 1}));
    EXPECT_EQ(a.Steps[2], (AniStep{9, 2}));
    // Too few rates: the rest take the header's.
    ASSERT_TRUE(load(a, Ani({Anih(2, 2, 6), Chunk("rate", Values({1})), Frames(2)})));
    EXPECT_EQ(a.Steps[1], (AniStep{6, 1}));
}

TEST(AniRead, WhatIsReallyBrokenIsStillAnError) {
    NoticeRecorder rec;
    TAniEX a;
    EXPECT_TRUE(load(a, Ani({Frames(2)})));
    EXPECT_NE(a.LoadError().find("no anih"), std::string::npos);
    EXPECT_TRUE(load(a, Ani({Anih(2, 2, 1)})));
    EXPECT_NE(a.LoadError().find("no frames"), std::string::npos);
    EXPECT_EQ(a.Count, 0);
    EXPECT_EQ(rec.texts(), (std::vector<std::string>{EnglishText(animsg::Damaged("anih")),
                                                     EnglishText(animsg::Damaged("icon"))}));
}

TEST(AniRead, HeaderWithoutFramesOrStepsStillReadsTheFrames) {
    NoticeRecorder rec;
    TAniEX a;
    EXPECT_TRUE(load(a, Ani({Anih(0, 0, 1), Frames(2)})));
    EXPECT_EQ(a.Count, 2);
    EXPECT_EQ(a.AnimHeader.FrameCount, 2u);
    ASSERT_EQ(a.StepCount(), 2);
    EXPECT_EQ(a.Steps[1], (AniStep{1, 1}));
    EXPECT_TRUE(rec.notices.empty());
}

TEST(AniRead, SecondHeaderIsDamage) {
    NoticeRecorder rec;
    TAniEX a;
    EXPECT_TRUE(load(a, Ani({Anih(2, 2, 1), Frames(2), Anih(9, 9, 1)})));
    EXPECT_EQ(a.Count, 0);
    EXPECT_EQ(rec.texts(), (std::vector<std::string>{EnglishText(animsg::Damaged("anih"))}));
}

TEST(AniRead, EveryImageOfAFrameIsKeptAndTheOneNearest32IsShown) {
    NoticeRecorder rec;
    TAniEX a;
    TQvDIB picture;
    picture.CreateDIB(48, 48, 0, 24);
    Bytes png = EncodePng(picture);
    if (png.size() % 2 == 0) png.push_back(0);  // an odd chunk: a pad byte follows
    Bytes icon1 = Chunk("icon", CursorFile({CursorImage(16, 4), CursorImage(32, 8, 0x22), png}));
    icon1.push_back(0);
    Bytes icon2 = Chunk("icon", CursorFile({CursorImage(16, 1)}));
    ASSERT_TRUE(load(a, Ani({Anih(2, 2, 1), List("fram", {icon1, icon2})})));
    EXPECT_TRUE(rec.notices.empty());
    ASSERT_EQ(a.Count, 2);
    EXPECT_EQ(a.FrameImageCount(0), 3);
    EXPECT_EQ(a.FrameImageCount(1), 1);
    const FrameImageList* list = a.ImagesOfFrame(0);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Shown, 1);
    EXPECT_EQ(list->Images[2].Width, 48);
    EXPECT_EQ(list->Images[2].BitCount, 32);
    EXPECT_EQ(list->Images[0].Data, CursorImage(16, 4));
    EXPECT_EQ(a.Entries[0].Width, 32);
    EXPECT_EQ(a.Entries[0].XorBits[0], 0x22);
    EXPECT_EQ(a.Entries[0].ImageOffset, 22u);
    IconEntry big;
    ASSERT_EQ(a.DecodeFrameImage(0, 2, big), "");
    EXPECT_EQ(ReadI32LE(big.InfoHeader.data() + 4), 48);
    EXPECT_EQ(big.HotSpotX, 3);
    // One image that does not read spoils the frame.
    Bytes bogus = CursorImage(16, 8);
    WriteU32LE(bogus.data() + 4, 0x7FFFFFFF);
    load(a, Ani({Anih(1, 1, 1), List("fram", {Chunk("icon", CursorFile({CursorImage(16, 4), bogus}))})}));
    EXPECT_EQ(a.Count, 0);
    EXPECT_EQ(rec.texts(), (std::vector<std::string>{EnglishText(animsg::Damaged("icon"))}));
    EXPECT_NE(a.LoadError().find("frame 0 image 1"), std::string::npos) << a.LoadError();
}

TEST(AniRead, OddSizedIconChunkIsFollowedByItsPadByte) {
    NoticeRecorder rec;
    TAniEX a;
    Bytes data = CursorFile({CursorImage(16, 4), CursorImage(16, 1)});
    data.push_back(0x99);  // odd length
    Bytes icon1 = Chunk("icon", data);
    icon1.push_back(0);  // RIFF pad
    ASSERT_TRUE(load(
        a, Ani({Anih(2, 2, 1), List("fram", {icon1, Chunk("icon", CursorFile({CursorImage(16, 1)}))})})));
    EXPECT_EQ(a.Count, 2);
}

TEST(AniRead, PngFramesAreDecodedAndBrokenOnesAreDamage) {
    {
        NoticeRecorder rec;
        TAniEX a;
        TQvDIB picture;
        picture.CreateDIB(3, 2, 0, 24);
        Bytes icon = Chunk("icon", CursorFile({EncodePng(picture)}));
        ASSERT_TRUE(load(a, Ani({Anih(1, 1, 1), List("fram", {icon})})));
        EXPECT_TRUE(rec.texts().empty());
        ASSERT_EQ(a.Count, 1);
        EXPECT_EQ(a.Entries[0].Width, 3);
        EXPECT_EQ(a.Entries[0].Height, 2);
        EXPECT_EQ(ReadU16LE(a.Entries[0].InfoHeader.data() + 14), 32);
    }
    NoticeRecorder rec;
    TAniEX a;
    Bytes icon = Chunk("icon", CursorFile({PngBlock()}));
    load(a, Ani({Anih(2, 2, 1), Frames(1), List("fram", {icon})}));
    EXPECT_EQ(rec.texts(), (std::vector<std::string>{EnglishText(animsg::Damaged("icon"))}));
    // The good frame stays; the broken one is a loss naming it.
    EXPECT_EQ(a.Count, 1);
    ASSERT_EQ(a.LoadLosses.size(), 1u);
    EXPECT_EQ(a.LoadLosses[0].code, LossCode::FrameDropped);
    EXPECT_EQ(a.LoadLosses[0].where, "frame 1");
    EXPECT_NE(a.LoadLosses[0].detail.find("PNG image"), std::string::npos);
}

TEST(AniRead, ManyLargePngFramesAreRefusedAtTheBudget) {
    NoticeRecorder rec;
    TQvDIB picture;
    picture.CreateDIB(1024, 1024, 0, 24);
    Bytes png = EncodePng(picture);
    if (png.size() % 2 != 0) png.push_back(0);  // keep chunks even: no pad bytes to write
    const Bytes icon = Chunk("icon", CursorFile({png}));
    const int count = static_cast<int>(kMaxDecodedImageBytes / (1024 * 1024 * 4)) + 2;
    std::vector<Bytes> icons(static_cast<std::size_t>(count), icon);
    TAniEX a;
    load(a, Ani({Anih(static_cast<std::uint32_t>(count), 1, 1), List("fram", icons)}));
    EXPECT_EQ(a.Count, 0);
    EXPECT_NE(a.LoadError().find("the frames together decode to more than 512 MiB"), std::string::npos)
        << a.LoadError();
    EXPECT_EQ(rec.texts().back(), EnglishText(animsg::Damaged("icon")));
}

TEST(AniRead, LoneImageMayOverrunAChunkSizeTooSmall) {
    NoticeRecorder rec;
    TAniEX a;
    const Bytes data = CursorFile({CursorImage(16, 4)});
    Bytes icon1 = Chunk("icon", data, static_cast<std::uint32_t>(data.size() - 64));
    const Bytes icon2 = Chunk("icon", CursorFile({CursorImage(16, 1)}));
    ASSERT_TRUE(load(a, Ani({Anih(2, 2, 1), List("fram", {icon1, icon2})})));
    EXPECT_TRUE(rec.notices.empty());
    EXPECT_EQ(a.Count, 2);
}

TEST(AniRead, TooManyStepsAreCutAt100AndTheirValuesSkipped) {
    NoticeRecorder rec;
    TAniEX a;
    std::vector<std::int32_t> rates(150, 2), seq(150, 0);
    ASSERT_TRUE(load(
        a, Ani({Anih(1, 150, 1, 3), Chunk("rate", Values(rates)), Chunk("seq ", Values(seq)), Frames(1)})));
    EXPECT_EQ(rec.texts(), (std::vector<std::string>{EnglishText(animsg::TooManySteps())}));
    EXPECT_EQ(a.StepCount(), 100);
    EXPECT_EQ(a.AnimHeader.StepCount, 100u);
    EXPECT_EQ(a.Steps[99], (AniStep{2, 0}));
    EXPECT_EQ(a.Count, 1);
}

TEST(AniRead, FramesBeyondTheTableEndTheReading) {
    NoticeRecorder rec;
    TAniEX a;
    ASSERT_TRUE(load(a, Ani({Anih(1001, 1, 1), Frames(1001, 1, 1)})));
    EXPECT_EQ(a.Count, 1000);
    EXPECT_EQ(rec.texts(), (std::vector<std::string>{EnglishText(animsg::TooManyFrames())}));
}

TEST(AniRead, TheRiffSizeIsOnlyAHint) {
    NoticeRecorder rec;
    TAniEX a;
    const std::vector<Bytes> chunks = {Anih(2, 2, 1), Frames(2)};
    for (std::uint32_t riffSize : {0u, 0xFFFFFFF0u, 12u + 44u, 4u}) {
        EXPECT_TRUE(load(a, Ani(chunks, riffSize)));
        EXPECT_EQ(a.Count, 2) << riffSize;
    }
    // Bytes after the last chunk that make no chunk end the walk.
    Bytes trailing = Ani(chunks);
    trailing.insert(trailing.end(), {'x', 'y', 'z', 1, 2});
    EXPECT_TRUE(load(a, trailing));
    EXPECT_EQ(a.Count, 2);
    EXPECT_TRUE(rec.notices.empty());
}

TEST(AniRead, ListTwoBytesTooLargeIsTolerated) {
    NoticeRecorder rec;
    TAniEX a;
    Bytes info = List("INFO", {Chunk("INAM", {'a', 'b'})}, 2);
    ASSERT_TRUE(load(a, Ani({info, Anih(1, 1, 1), Frames(1)})));
    EXPECT_EQ(a.Title, "ab");
    EXPECT_EQ(a.Count, 1);
}

TEST(AniRead, TruncatedFilesThrowOrReadWhatIsThere) {
    NoticeRecorder rec;
    const Bytes good = Ani(
        {List("INFO", {Chunk("INAM", {'a', 'b'})}), Anih(2, 2, 1), Chunk("rate", Values({1, 1})), Frames(2)});
    for (std::size_t cut = 1; cut < good.size(); ++cut) {
        TAniEX a;
        const Bytes part(good.begin(), good.begin() + static_cast<long>(cut));
        try {
            load(a, part);
        } catch (const EInOutError& e) {
            EXPECT_NE(std::string(e.what()).find("mem.ani"), std::string::npos);
            EXPECT_EQ(a.Count, 0) << cut;
            continue;
        }
        // What was read is consistent: no frames is an error, steps name frames.
        EXPECT_EQ(a.Count == 0, !a.LoadError().empty()) << cut;
        for (int i = 0; i < a.StepCount(); ++i) EXPECT_LT(a.Steps[i].Frame, a.Count);
    }
}

TEST(AniRead, ChunkSizesBeyondTheFileAreCaught) {
    NoticeRecorder rec;
    TAniEX a;
    EXPECT_THROW(load(a, Ani({Anih(1, 1, 1), Chunk("INAM", {'a', 'b'}, 0xFFFFFFFFu)})), EInOutError);
    EXPECT_THROW(load(a, Ani({Anih(1, 1, 1), Chunk("icon", {0, 0}, 0x7FFFFFFFu)})), EInOutError);
    EXPECT_THROW(load(a, Ani({Anih(1, 1, 1), Chunk("rate", Values({1}), 0x7FFFFFFFu)})), EInOutError);
    // An image larger than its chunk holds is damage, not a read beyond the data.
    Bytes img = CursorImage(16, 4);
    WriteU32LE(img.data() + 4, 4096);
    EXPECT_TRUE(load(a, Ani({Anih(1, 1, 1), List("fram", {Chunk("icon", CursorFile({img}))})})));
    EXPECT_EQ(a.Count, 0);
    EXPECT_EQ(rec.texts().back(), EnglishText(animsg::Damaged("icon")));
}

TEST(AniCorpus, EveryFileReadsWritesBackAndReadsTheSame) {
    VORNIK_REQUIRE_CORPUS();
    // Every animated cursor of the folder, also those named .cur.
    int read = 0;
    for (const auto& f : CorpusFiles("ani")) {
        const Bytes head = ReadAll(f);
        if (head.size() < 12 || std::memcmp(head.data(), "RIFF", 4) != 0 ||
            std::memcmp(head.data() + 8, "ACON", 4) != 0)
            continue;
        ++read;
        SCOPED_TRACE(f.filename().string());
        NoticeRecorder rec;
        TAniEX a;
        const bool ok = a.LoadFromFile(f.string());
        // Frames whose first image is PNG-compressed are read too.
        ASSERT_TRUE(ok) << a.LoadError();
        EXPECT_TRUE(a.LoadError().empty()) << a.LoadError();
        EXPECT_GT(a.Count, 0);
        EXPECT_EQ(a.Count, static_cast<int>(a.AnimHeader.FrameCount));
        TempDir dir;
        const std::string out = dir.file("out.ani");
        const bool hadRate = a.HasRateChunk, hadSeq = a.HasSeqChunk;
        a.SaveToFile(out);
        const Bytes written = ReadAll(out);
        auto has = [&](const char* tag) {
            return std::search(written.begin(), written.end(), tag, tag + 4) != written.end();
        };
        EXPECT_EQ(has("rate"), hadRate);
        if (!hadSeq) {
            EXPECT_EQ(has("seq "), a.StepCount() != a.Count);
        }
        TAniEX b;
        NoticeRecorder quiet;
        ASSERT_TRUE(b.LoadFromFile(out));
        EXPECT_TRUE(quiet.notices.empty());
        EXPECT_EQ(b.Count, a.Count);
        EXPECT_EQ(b.Title, a.Title);
        EXPECT_EQ(b.Creator, a.Creator);
        EXPECT_EQ(b.AnimHeader, a.AnimHeader);
        for (int i = 0; i < a.StepCount(); ++i) EXPECT_EQ(b.Steps[i], a.Steps[i]);
        for (int i = 0; i < a.Count; ++i) {
            EXPECT_EQ(b.Entries[i].InfoHeader, a.Entries[i].InfoHeader);
            EXPECT_EQ(b.Entries[i].XorBits, a.Entries[i].XorBits);
            EXPECT_EQ(b.Entries[i].AndBits, a.Entries[i].AndBits);
            EXPECT_EQ(b.Entries[i].HotSpotX, a.Entries[i].HotSpotX);
            EXPECT_EQ(b.Entries[i].HotSpotY, a.Entries[i].HotSpotY);
            // Every size of a frame comes back in its order and byte form.
            ASSERT_EQ(b.FrameImageCount(i), a.FrameImageCount(i));
            if (const FrameImageList* list = a.ImagesOfFrame(i)) {
                for (std::size_t k = 0; k < list->Images.size(); ++k)
                    EXPECT_EQ(b.ImagesOfFrame(i)->Images[k].Data, list->Images[k].Data);
            }
        }
        // A second save of the re-read set gives the same bytes.
        EXPECT_EQ(b.SaveToBytes(), written);
    }
    EXPECT_GT(read, 30);
}

TEST(AniCorpus, MalformedFilesAreHandledCleanly) {
    VORNIK_REQUIRE_CORPUS();
    for (const auto& f : CorpusFiles("bad", ".ani")) {
        SCOPED_TRACE(f.filename().string());
        NoticeRecorder rec;
        TAniEX a;
        bool ok = false;
        try {
            ok = a.LoadFromFile(f.string());
        } catch (const EVornikError&) {
            EXPECT_EQ(a.Count, 0);
            continue;
        }
        EXPECT_TRUE(!ok || !a.LoadError().empty());
        EXPECT_EQ(a.Count, 0);
    }
}

}  // namespace
}  // namespace vornik
