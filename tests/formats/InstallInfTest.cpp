// install.inf of Windows cursor packs: encodings, [Strings], [Scheme.Reg],
// missing sections and paths that try to leave the pack.
#include <gtest/gtest.h>

#include "formats/CursorRoles.h"
#include "formats/InstallInf.h"

namespace vornik {
namespace {

Bytes utf16le(const std::string& ascii, bool bom) {
    Bytes out;
    if (bom) out = {0xFF, 0xFE};
    for (char c : ascii) {
        out.push_back(static_cast<std::uint8_t>(c));
        out.push_back(0);
    }
    return out;
}

const char* const kTemplate =
    "[Version]\r\nsignature=\"$CHICAGO$\"\r\n\r\n"
    "[Scheme.Reg]\r\n"
    "HKCU,\"Control Panel\\Cursors\\Schemes\",\"%SCHEME_NAME%\",,\"%10%\\%CUR_DIR%\\%pointer%,"
    "%10%\\%CUR_DIR%\\%help%,%10%\\%CUR_DIR%\\%work%,%10%\\%CUR_DIR%\\%busy%,,"
    "%10%\\%CUR_DIR%\\%text%,,,,,,,,,%10%\\%CUR_DIR%\\%link%\"\r\n\r\n"
    "[Strings]\r\n"
    "CUR_DIR = \"Cursors\\Ocean Blue\"\r\n"
    "SCHEME_NAME = \"Ocean Blue\"   ; the name shown in the mouse settings\r\n"
    "pointer = \"Normal Select.cur\"\r\n"
    "help = \"help.cur\"\r\n"
    "WORK = \"working.ani\"\r\n"
    "busy = \"busy.ani\"\r\n"
    "text = \"beam.cur\"\r\n"
    "link = \"link.cur\"\r\n";

TEST(InstallInf, SchemeListWithStringsInAnyEncoding) {
    const std::string text = kTemplate;
    for (const Bytes& data : {Bytes(text.begin(), text.end()), utf16le(text, true), utf16le(text, false)}) {
        const InstallInf inf = ParseInstallInf(DecodeInfText(data));
        EXPECT_EQ(inf.schemeName, "Ocean Blue");
        ASSERT_EQ(inf.files.size(), 6u);
        EXPECT_EQ(inf.files.at(0), "Normal Select.cur");
        EXPECT_EQ(inf.files.at(2), "working.ani");  // %work% found case-insensitively
        EXPECT_EQ(inf.files.at(5), "beam.cur");
        EXPECT_EQ(inf.files.at(14), "link.cur");
        EXPECT_TRUE(inf.refused.empty());
    }
}

TEST(InstallInf, UnusualShapes) {
    // One value per role under Control Panel\Cursors, paths in plain text.
    InstallInf inf = ParseInstallInf(
        "[scheme.reg]\nHKCU,\"Control Panel\\Cursors\",Arrow,0x00020000,\"%10%\\Cursors\\a.cur\"\n"
        "HKCU,\"Control Panel\\Cursors\",Wait,0x00020000,%10%\\Cursors\\w.ani\n");
    EXPECT_EQ(inf.files.at(0), "a.cur");
    EXPECT_EQ(inf.files.at(3), "w.ani");
    EXPECT_TRUE(inf.schemeName.empty());

    // No [Scheme.Reg]: [Strings] keys that name roles.
    inf = ParseInstallInf("[Strings]\nSCHEME_NAME=\"X\"\nunavailiable=\"no.cur\"\nVert = \"ns.cur\"\nfoo=\"bar.cur\"\n");
    EXPECT_EQ(inf.schemeName, "X");
    EXPECT_EQ(inf.files.size(), 2u);
    EXPECT_EQ(inf.files.at(7), "no.cur");
    EXPECT_EQ(inf.files.at(8), "ns.cur");

    // No [Strings]: the names cannot be resolved, and say so.
    inf = ParseInstallInf("[Scheme.Reg]\nHKCU,\"Control Panel\\Cursors\\Schemes\",\"S\",,\"%pointer%,%help%\"\n");
    EXPECT_TRUE(inf.files.empty());
    ASSERT_EQ(inf.refused.size(), 2u);
    EXPECT_NE(inf.refused.at(0).find("[Strings]"), std::string::npos);

    // Nothing at all, or garbage.
    EXPECT_TRUE(ParseInstallInf("").files.empty());
    EXPECT_TRUE(ParseInstallInf(std::string("[\0\xff\"]\n,,,=\"", 12)).files.empty());
}

TEST(InstallInf, PathsThatLeaveThePackAreRefused) {
    const InstallInf inf = ParseInstallInf(
        "[Scheme.Reg]\nHKCU,\"Control Panel\\Cursors\\Schemes\",\"S\",,\"%a%,%b%,%c%\"\n"
        "[Strings]\na=\"..\\..\\etc\\passwd\"\nb=\"../x.cur\"\nc=\"sub\\ok.cur\"\n");
    EXPECT_EQ(inf.refused.count(0), 1u);
    EXPECT_EQ(inf.refused.count(1), 1u);
    EXPECT_NE(inf.refused.at(0).find("leaves the pack's folder"), std::string::npos);
    EXPECT_EQ(inf.files.at(2), "ok.cur");
}

TEST(InstallInf, WrittenInfReadsBackWithTheSameRoles) {
    const std::map<int, std::string> files = {{0, "pointer.cur"}, {3, "busy.ani"}, {16, "person.cur"}};
    const std::string text = WriteInstallInf("My \"Theme\"\n", files);
    const InstallInf inf = ParseInstallInf(text);
    EXPECT_EQ(inf.schemeName, "My Theme");
    EXPECT_EQ(inf.files, files);
}

TEST(CursorRoles, NamesOfPacksAndThemesFindTheirRole) {
    EXPECT_EQ(CursorRoles().size(), static_cast<std::size_t>(kCursorRoleCount));
    EXPECT_EQ(CursorRoleByFileName("Normal Select.cur"), 0);
    EXPECT_EQ(CursorRoleByFileName("aero_busy.ani"), 3);
    EXPECT_EQ(CursorRoleByFileName("Diagonal_Resize_2.CUR"), 11);
    EXPECT_EQ(CursorRoleByFileName("hand.cur"), 14);  // a pack's "hand" is the link hand
    EXPECT_EQ(CursorRoleByFileName("left_ptr_watch.ani"), 2);
    EXPECT_EQ(CursorRoleByFileName("readme.txt"), -1);
    EXPECT_EQ(CursorRoleByName("hand"), 6);  // an inf's %hand% is handwriting
    EXPECT_EQ(CursorRoleByThemeName("pointer"), 14);
    EXPECT_EQ(CursorRoleByThemeName("default"), 0);
    EXPECT_EQ(CursorRoleByThemeName("wait"), 3);
}

}  // namespace
}  // namespace vornik
