#include <gtest/gtest.h>

#include <fnmatch.h>

#include <algorithm>
#include <iterator>
#include <sstream>
#include <vector>

#include "TestFiles.h"
#include "app/DocumentOpen.h"
#include "app/FileFilter.h"

using vornik::ToQtFilter;

namespace {

struct Group {
    std::string name;
    std::vector<std::string> patterns;
};

// The groups of a Qt filter "Name (*.a *.b);;Name (*.c)".
std::vector<Group> groups(const std::string& qt) {
    std::vector<Group> out;
    std::size_t at = 0;
    while (at <= qt.size()) {
        const std::size_t end = std::min(qt.find(";;", at), qt.size());
        const std::string item = qt.substr(at, end - at);
        const std::size_t open = item.rfind(" (");
        Group g{item.substr(0, open), {}};
        if (open != std::string::npos) {
            std::istringstream in(item.substr(open + 2, item.size() - open - 3));
            for (std::string p; in >> p;) g.patterns.push_back(p);
        }
        out.push_back(g);
        at = end + 2;
    }
    return out;
}

// As Qt's dialog matches on Linux: case-insensitively.
bool offers(const Group& g, const std::string& name) {
    for (const auto& p : g.patterns)
        if (::fnmatch(p.c_str(), name.c_str(), FNM_CASEFOLD) == 0) return true;
    return false;
}

}  // namespace

// Every kind of file the open command reads by its name is in the first
// group, and an Xcursor file (no extension) in a group of its own, not only
// under "All". A file the open command reads must not be hidden by the
// dialog's default filter.
TEST(FileFilter, OpenFilterOffersEveryFormatTheOpenCommandReads) {
    const std::vector<Group> all = groups(ToQtFilter(vornik::kOpenFilter));
    ASSERT_GE(all.size(), 2u);
    EXPECT_EQ(all.front().name, "Supported files");
    EXPECT_EQ(all.back().name, "All");
    vornik::test::TempDir dir;
    // Pictures: the open command sends these to the bitmap page by name.
    for (const char* ext : {"bmp", "dib", "jpg", "jpeg", "svg", "svgz", "png", "gif", "tif", "webp", "xpm"}) {
        const std::string name = std::string("picture.") + ext;
        // Content that is no picture: only the name may choose the page.
        vornik::test::WriteAll(dir.file(name), vornik::Bytes(64, 0));
        const vornik::LoaderChoice choice = vornik::ChooseLoader(dir.file(name));
        if (choice.loader != vornik::DocumentLoader::Bitmap) continue;
        EXPECT_TRUE(offers(all.front(), name)) << name;
        EXPECT_TRUE(offers(all.front(), "PICTURE." + std::string(ext))) << name;
    }
    for (const char* name : {"a.ico", "a.cur", "a.ani", "a.exe", "a.dll", "A.ICO", "b.svgz"})
        EXPECT_TRUE(offers(all.front(), name)) << name;
    // An Xcursor file as themes name them.
    const unsigned char header[] = {'X', 'c', 'u', 'r', 16, 0, 0, 0, 0, 0, 1, 0};
    vornik::Bytes xcursor(64, 0);
    std::copy(std::begin(header), std::end(header), xcursor.begin());
    vornik::test::WriteAll(dir.file("left_ptr"), xcursor);
    ASSERT_NE(vornik::ChooseLoader(dir.file("left_ptr")).loader, vornik::DocumentLoader::Exe);
    bool offered = false;
    for (std::size_t i = 0; i + 1 < all.size(); ++i) offered = offered || offers(all[i], "left_ptr");
    EXPECT_TRUE(offered);
}

TEST(FileFilter, OddShapes) {
    EXPECT_EQ(ToQtFilter(""), "");
    EXPECT_EQ(ToQtFilter("Icon|*.ico"), "Icon (*.ico)");
    EXPECT_EQ(ToQtFilter("Icon|*.ico|"), "Icon (*.ico)");  // trailing separator
    EXPECT_EQ(ToQtFilter("Icon|*.ico|Bare"), "Icon (*.ico);;Bare");
    EXPECT_EQ(ToQtFilter("A| *.a ; ;*.b |B|*.c"), "A (*.a *.b);;B (*.c)");
    EXPECT_EQ(ToQtFilter("|*.x"), "*.x");
}
