// vornik-cli theme-build THEME.toml -o OUT_DIR [--platforms x11,windows]
#include <cstdio>

#include "cli/CliCommand.h"
#include "formats/ThemeBuild.h"

namespace vornik::cli {

namespace {

ThemePlatforms parsePlatforms(const std::string& text) {
    ThemePlatforms p{false, false};
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find(',', pos);
        if (end == std::string::npos) end = text.size();
        const std::string item = text.substr(pos, end - pos);
        pos = end + 1;
        if (item == "x11")
            p.x11 = true;
        else if (item == "windows")
            p.windows = true;
        else
            throw UsageError("--platforms takes x11 and windows, e.g. x11,windows; not \"" + item + "\"");
    }
    return p;
}

int runThemeBuild(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    std::string out, platformsText;
    const bool haveOut = TakeOption(args, "-o", out);
    const bool havePlatforms = TakeOption(args, "--platforms", platformsText);
    RejectUnknownOptions(args);
    if (args.size() != 1) throw UsageError("expected one THEME.toml");
    if (!haveOut) throw UsageError("missing -o OUT_DIR");
    const ThemePlatforms platforms = havePlatforms ? parsePlatforms(platformsText) : ThemePlatforms{};

    const ThemeBuildReport report = BuildTheme(ReadThemeDescription(args[0]), out, platforms);
    if (!report.x11Folder.empty())
        std::fprintf(CliOut(), "wrote %s: %d cursors, %d links, index.theme\n", report.x11Folder.c_str(), report.cursors,
                    report.links);
    if (!report.windowsFolder.empty())
        std::fprintf(CliOut(), "wrote %s: %d cursors, install.inf\n", report.windowsFolder.c_str(), report.roles);
    for (const auto& n : report.notes) std::fprintf(CliErr(), "vornik-cli theme-build: note: %s\n", n.c_str());
    return 0;
}

const CommandRegistration registration(
    {"theme-build",
     "  theme-build THEME.toml -o OUT_DIR [--platforms x11,windows]\n"
     "                       builds a cursor theme from its sources (SVG drawn afresh at each\n"
     "                       size, or PNG files) as described in THEME.toml: name, comment,\n"
     "                       inherits, sizes and [[cursor]] tables with names, role, source\n"
     "                       or frames, hotspot. x11: OUT_DIR/NAME/cursors/ (one Xcursor file\n"
     "                       per cursor, its names and the usual aliases as links) and\n"
     "                       index.theme; windows: OUT_DIR/NAME-windows/ with a multi-size\n"
     "                       .cur or .ani per role and install.inf. Both unless --platforms",
     runThemeBuild});

}  // namespace

}  // namespace vornik::cli
