// The editor's open command and `vornik-cli list` over every corpus file and
// a set of crafted ones: both take the file as the same kind of document and
// agree on whether it was read, read with losses or refused, and why.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "../anim/AniBuilder.h"
#include "../app/DocumentTestSupport.h"
#include "NoticeRecorder.h"
#include "app/DocumentOpen.h"
#include "app/MainStart.h"
#include "app/ReadMessages.h"
#include "cli/ReadNotes.h"
#include "../cli/RunCliCapture.h"
#include "formats/FormatRegistry.h"
#include "model/XcursorFile.h"
#include "platform/Errors.h"
#include "platform/MemorySettingsStore.h"

namespace vornik {
namespace {

using namespace test;

using CliRun = CliCapture;

CliRun list(const std::string& path) { return RunCliCaptured({"list", path}); }

// Lines of a table after its header.
int tableRows(const std::string& out) {
    const std::size_t blank = out.find("\n\n");
    const std::string table = blank == std::string::npos ? out : out.substr(0, blank + 1);
    return static_cast<int>(std::count(table.begin(), table.end(), '\n')) - 1;
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The editor's answer and the command line's for one file, checked against
// the registry's read of it (which both are meant to go through).
void checkAgreement(const std::string& path) {
    SCOPED_TRACE(path);
    const ReadResult<FileContent> truth = ReadFileContent(path);
    const std::string name = std::filesystem::path(path).filename().string();

    MemorySettingsStore store;
    MainState s;
    StartEditor(s, store);
    const int pageBefore = s.edit.PageControl1;
    NoticeRecorder rec;
    std::string refusedWith;
    try {
        OpenDocument(s, path);
    } catch (const EVornikError& e) {
        refusedWith = e.what();
    }
    const CliRun cli = list(path);

    if (truth.refused) {
        EXPECT_TRUE(has(refusedWith, "\"" + name + "\"")) << refusedWith;
        EXPECT_TRUE(has(refusedWith, EnglishText(RefusalMessage(truth.refusal)))) << refusedWith;
        EXPECT_EQ(s.edit.PageControl1, pageBefore);
        EXPECT_EQ(cli.status, 1);
        EXPECT_EQ(cli.out, "");
        // The same code; the reader's detail may differ (list does not decode PNG images).
        EXPECT_TRUE(has(cli.err, name + "\": " + cli::EnglishRefusal({truth.refusal.code, {}, {}}))) << cli.err;
        return;
    }
    ASSERT_EQ(refusedWith, "");
    // The same kind of document on both sides.
    switch (truth.value.kind) {
        case Yield::Picture:
            EXPECT_EQ(s.edit.PageControl1, kBitmapPage);
            EXPECT_EQ(tableRows(cli.out), 1) << cli.out;
            break;
        case Yield::Animation:
            EXPECT_EQ(s.edit.PageControl1, kAnimationPage);
            EXPECT_TRUE(has(cli.out, "Step  Frame  Rate")) << cli.out;
            EXPECT_EQ(tableRows(cli.out), truth.value.animation->Count);
            break;
        case Yield::ProgramIcons:
            EXPECT_EQ(s.edit.PageControl1, kIconPage);
            EXPECT_TRUE(s.doc.ExeShown);
            // The command line lists beyond the editor's table, never fewer.
            EXPECT_GE(tableRows(cli.out), truth.value.program->Count) << cli.out;
            break;
        default:
            EXPECT_EQ(s.edit.PageControl1, kIconPage);
            EXPECT_FALSE(s.doc.ExeShown);
            EXPECT_FALSE(has(cli.out, "Step  Frame  Rate"));
            EXPECT_EQ(tableRows(cli.out), truth.value.Set()->Count) << cli.out;
            break;
    }
    if (truth.losses.empty()) {
        EXPECT_EQ(cli.status, 0) << cli.err;
        EXPECT_EQ(cli.err, "");
        EXPECT_FALSE(s.doc.IconReadWithLosses || s.doc.AniReadWithLosses);
        return;
    }
    EXPECT_EQ(cli.status, 1);
    const std::vector<std::string> said = rec.texts();
    const std::string editorSaid = said.empty() ? std::string() : said.back();
    for (const Loss& loss : truth.losses) {
        EXPECT_TRUE(has(editorSaid, EnglishText(LossMessage(loss)))) << editorSaid;
        EXPECT_TRUE(has(cli.err, cli::EnglishLoss(loss))) << cli.err;
    }
    if (truth.value.kind == Yield::Animation) {
        EXPECT_TRUE(s.doc.AniReadWithLosses);
    }
    if (truth.value.kind != Yield::Animation && truth.value.kind != Yield::Picture) {
        EXPECT_TRUE(s.doc.IconReadWithLosses);
    }
}

TEST(ReadAgreement, EveryCorpusFile) {
    VORNIK_REQUIRE_CORPUS();
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(CorpusDir())) {
        if (!entry.is_regular_file() || entry.path().extension() == ".md") continue;
        checkAgreement(entry.path().string());
        ++files;
    }
    EXPECT_GT(files, 300);
}

Bytes xcursorFile(int frames) {
    std::vector<XcursorPicture> images;
    for (int i = 0; i < frames; ++i) {
        XcursorPicture p;
        p.nominalSize = p.width = p.height = 16;
        p.xhot = 3;
        p.yhot = 4;
        p.delay = frames > 1 ? 50 : 0;
        p.pixels.assign(16 * 16, 0xFF000000u | static_cast<std::uint32_t>(i * 40));
        images.push_back(p);
    }
    return WriteXcursor(images);
}

TEST(ReadAgreement, CraftedFiles) {
    TempDir dir;
    auto put = [&](const std::string& name, const Bytes& bytes) {
        WriteAll(dir.file(name), bytes);
        return dir.file(name);
    };
    const Bytes icon = CursorFile({CursorImage(16, 8, 1)}, 1, 8, 1);
    const Bytes cursor = CursorFile({CursorImage(16, 4, 1)});
    std::vector<std::string> files = {
        put("plain.ico", icon),
        put("cursor.cur", cursor),
        put("cursor-named.ico", cursor),
        put("left_ptr", xcursorFile(1)),
        put("watch", xcursorFile(3)),
        put("empty.ico", {}),
        put("garbage.ico", Bytes(100, 0x41)),
        put("garbage.bin", Bytes(100, 0x41)),
        put("no-icons.exe", [] {
            Bytes exe(512, 0);
            exe[0] = 'M', exe[1] = 'Z';
            return exe;
        }()),
        put("bad-frame.ani",
            Ani({Anih(3, 3, 7), List("fram", {Chunk("icon", cursor), Chunk("icon", Bytes(4, 0)),
                                              Chunk("icon", cursor)})})),
        put("all-frames-bad.ani", Ani({Anih(1, 1, 7), List("fram", {Chunk("icon", Bytes(4, 0))})})),
        put("cut.ico", Bytes(icon.begin(), icon.begin() + static_cast<std::ptrdiff_t>(icon.size() / 2))),
    };
    if (!CorpusDir().empty()) {
        // Pictures under names of other formats: the content decides.
        files.push_back(CopyAs(dir, "ani/kimageformats__test_1.png", "picture.ico"));
        for (const auto& f : CorpusFiles("bmp", ".bmp")) {
            files.push_back(CopyAs(dir, "bmp/" + f.filename().string(), "bitmap.ico"));
            break;
        }
        for (const auto& f : CorpusFiles("jpeg", ".jpg")) {
            files.push_back(CopyAs(dir, "jpeg/" + f.filename().string(), "photo.cur"));
            break;
        }
    }
    files.push_back(dir.file("missing.ico"));
    for (const auto& f : files) checkAgreement(f);
}

}  // namespace
}  // namespace vornik
