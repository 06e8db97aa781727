// vornik-cli groups FILE
#include <cstdio>

#include "cli/CliCommand.h"
#include "cli/ExeGroupsInput.h"
#include "model/ExeResourceSet.h"
#include "model/GroupFile.h"

namespace vornik::cli {

namespace {

// One line per image of a group: its place, resource, size, bit count,
// storage and, for a cursor, its hot spot.
std::string memberLine(const ExeGroupsInput& in, const ResourceGroup& g, std::size_t k) {
    const GroupMember& m = g.members[k];
    std::string line = "  " + std::to_string(k + 1) + "  " + (g.kind == 2 ? "RT_CURSOR " : "RT_ICON ") +
                       std::to_string(m.id);
    if (m.image < 0) return line + "  missing";
    const ResourceImage& image = in.resources.ImagesOf(g.kind)[static_cast<std::size_t>(m.image)];
    const std::uint8_t* p = in.data() + image.offset;
    std::size_t n = MemberImageSize(in.resources, g.kind, m);
    std::string hotSpot;
    if (g.kind == 2 && n >= 4) {
        hotSpot = "  hot spot " + std::to_string(ReadU16LE(p)) + "," + std::to_string(ReadU16LE(p + 2));
        p += 4;
        n -= 4;
    }
    int width = 0, height = 0, bits = 0;
    bool png = false;
    if (!ImageDimensions(p, n, &width, &height, &bits, &png)) return line + "  " + std::to_string(n) + " bytes, no image header";
    if (png && m.bitCount != 0) bits = m.bitCount;
    return line + "  " + std::to_string(width) + " x " + std::to_string(height) + "  " + std::to_string(bits) +
           " bit  " + (png ? "PNG" : "BMP") + "  " + std::to_string(n) + " bytes" + hotSpot;
}

int runGroups(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    RejectUnknownOptions(args);
    if (args.size() != 1) throw UsageError("expected one FILE");
    const std::string& path = args[0];
    ExeGroupsInput in;
    const std::string error = ReadExeGroups(path, in);
    if (!error.empty()) {
        std::fprintf(CliErr(), "vornik-cli groups: %s\n", error.c_str());
        return 1;
    }
    for (const ResourceGroup& g : in.resources.groups) {
        std::fprintf(CliOut(), "%s: %zu image%s\n", GroupTitle(g, true).c_str(), g.members.size(),
                    g.members.size() == 1 ? "" : "s");
        for (std::size_t k = 0; k < g.members.size(); ++k) std::fprintf(CliOut(), "%s\n", memberLine(in, g, k).c_str());
    }
    const std::size_t problems = PrintProblems("groups", path, in.resources);
    if (in.resources.groups.empty()) {
        std::fprintf(CliErr(), "vornik-cli groups: \"%s\" holds no icon or cursor groups\n", path.c_str());
        return 1;
    }
    return problems > 0 ? 1 : 0;
}

const CommandRegistration registration(
    {"groups",
     "  groups FILE          the icon and cursor groups of an executable (EXE, DLL): kind, name or id,\n"
     "                       language, and each image's size, bit count, PNG or BMP and hot spot",
     runGroups});

}  // namespace

}  // namespace vornik::cli
