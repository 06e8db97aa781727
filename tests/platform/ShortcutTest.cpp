#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "NoticeRecorder.h"
#include "TestFiles.h"
#include "platform/Shortcut.h"

namespace fs = std::filesystem;
using vornik::ResolveShortcut;
using vornik::test::NoticeRecorder;
using vornik::test::TempDir;

namespace {
void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}
}  // namespace

TEST(ResolveShortcut, PlainFilesAreNoShortcutAndSaySoSilently) {
    TempDir dir;
    NoticeRecorder rec;
    writeText(dir.file("a.ico"), "not a link");
    writeText(dir.file("app.desktop"), "[Desktop Entry]\nType=Application\nExec=/bin/true\n");
    writeText(dir.file("other.desktop"), "just text, Type=Link\nURL=file:///etc\n");
    EXPECT_EQ(ResolveShortcut(dir.file("a.ico")), "");
    EXPECT_EQ(ResolveShortcut(dir.file("missing.lnk")), "");
    EXPECT_EQ(ResolveShortcut(dir.file("app.desktop")), "");
    EXPECT_EQ(ResolveShortcut(dir.file("other.desktop")), "");
    EXPECT_TRUE(rec.notices.empty());
}

TEST(ResolveShortcut, SymbolicLinksAreFollowedToTheEnd) {
    TempDir dir;
    NoticeRecorder rec;
    writeText(dir.file("target.ico"), "x");
    fs::create_symlink(dir.file("target.ico"), dir.file("one"));
    fs::create_symlink("one", dir.file("two"));  // relative, and a chain
    const std::string target = fs::canonical(dir.file("target.ico")).string();
    EXPECT_EQ(ResolveShortcut(dir.file("one")), target);
    EXPECT_EQ(ResolveShortcut(dir.file("two")), target);
    EXPECT_TRUE(rec.notices.empty());

    fs::create_symlink(dir.file("gone.ico"), dir.file("dangling"));
    EXPECT_EQ(ResolveShortcut(dir.file("dangling")), "");
    EXPECT_EQ(rec.texts(), (std::vector<std::string>{"cannot resolve the link"}));
}

TEST(ResolveShortcut, DesktopLinkFilesGiveTheirLocalTarget) {
    TempDir dir;
    NoticeRecorder rec;
    writeText(dir.file("l.desktop"),
              "# comment\n[Desktop Entry]\r\nName=x\r\nType=Link\r\nURL=file:///home/u/my%20icons/a.ico\r\n");
    writeText(dir.file("L2.DESKTOP"),
              "[Other]\nURL=file:///wrong\n[Desktop Entry]\nURL = file://localhost/tmp/b.cur\nType = Link\n");
    EXPECT_EQ(ResolveShortcut(dir.file("l.desktop")), "/home/u/my icons/a.ico");
    EXPECT_EQ(ResolveShortcut(dir.file("L2.DESKTOP")), "/tmp/b.cur");
    EXPECT_TRUE(rec.notices.empty());

    writeText(dir.file("web.desktop"), "[Desktop Entry]\nType=Link\nURL=https://example.org/\n");
    writeText(dir.file("nourl.desktop"), "[Desktop Entry]\nType=Link\n");
    EXPECT_EQ(ResolveShortcut(dir.file("web.desktop")), "");
    EXPECT_EQ(ResolveShortcut(dir.file("nourl.desktop")), "");
    EXPECT_EQ(rec.texts(), (std::vector<std::string>{"cannot resolve the link", "cannot resolve the link"}));
}
