// vornik-cli theme IN_DIR -o OUT_DIR
#include <cstdio>

#include "cli/CliCommand.h"
#include "cli/ReadNotes.h"
#include "formats/CursorTheme.h"

namespace vornik::cli {

namespace {

int runTheme(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    std::string out;
    const bool haveOut = TakeOption(args, "-o", out);
    RejectUnknownOptions(args);
    if (args.size() != 1) throw UsageError("expected one IN_DIR");
    if (!haveOut) throw UsageError("missing -o OUT_DIR");
    const bool toWindows = IsXcursorThemeFolder(args[0]);
    const ThemeReport report = toWindows ? ThemeToWindowsPack(args[0], out) : WindowsPackToTheme(args[0], out);
    for (const auto& l : report.mapped) std::fprintf(CliOut(), "mapped: %s\n", l.c_str());
    for (const auto& l : report.missing) std::fprintf(CliOut(), "missing: %s\n", l.c_str());
    for (const auto& l : report.skipped) std::fprintf(CliOut(), "skipped: %s\n", l.c_str());
    std::fprintf(CliOut(), "%d cursors converted to %s\n", report.converted,
                toWindows ? "a Windows cursor scheme" : "a Linux cursor theme");
    // Files that could not be read, or only in part: the theme is not complete.
    for (const auto& l : report.refused) std::fprintf(CliErr(), "vornik-cli theme: refused: %s\n", l.c_str());
    for (const auto& l : report.readWithLosses)
        PrintLosses("theme", l.file, l.losses);
    if (report.converted == 0) {
        std::fprintf(CliErr(), "vornik-cli theme: no cursor was converted from \"%s\"\n", args[0].c_str());
        return 1;
    }
    return report.refused.empty() && report.readWithLosses.empty() ? 0 : 1;
}

const CommandRegistration registration(
    {"theme",
     "  theme IN_DIR -o OUT_DIR\n"
     "                       converts a cursor theme: a Linux theme (cursors/ of Xcursor\n"
     "                       files) becomes .cur/.ani files with an install.inf; a Windows\n"
     "                       pack (install.inf or usual file names) becomes cursors/ with\n"
     "                       the usual links and an index.theme",
     runTheme});

}  // namespace

}  // namespace vornik::cli
