// vornik-cli xcursor IN -o OUT [--sizes 24,32,...]
// vornik-cli xcursor --config FILE.in -o OUT [--prefix DIR]
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "anim/XcursorConvert.h"
#include "cli/CliCommand.h"
#include "formats/CursorFiles.h"
#include "formats/XcursorConfig.h"
#include "platform/FileIO.h"

namespace vornik::cli {

namespace {

std::vector<int> parseSizes(const std::string& text) {
    std::vector<int> sizes;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find(',', pos);
        if (end == std::string::npos) end = text.size();
        const std::string item = text.substr(pos, end - pos);
        pos = end + 1;
        int n = 0;
        bool ok = !item.empty() && item.size() <= 5;
        for (char c : item) ok = ok && std::isdigit(static_cast<unsigned char>(c));
        if (ok) n = std::stoi(item);
        if (!ok || n < 1 || n > static_cast<int>(kMaxXcursorSide))
            throw UsageError("--sizes takes sizes from 1 to " + std::to_string(kMaxXcursorSide) + ", e.g. 24,32,48");
        if (std::find(sizes.begin(), sizes.end(), n) == sizes.end()) sizes.push_back(n);
    }
    return sizes;
}

std::string lowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

int runXcursor(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    std::string out, sizesText, config, prefix;
    const bool haveOut = TakeOption(args, "-o", out);
    const bool haveSizes = TakeOption(args, "--sizes", sizesText);
    const bool haveConfig = TakeOption(args, "--config", config);
    const bool havePrefix = TakeOption(args, "--prefix", prefix);
    RejectUnknownOptions(args);
    if (haveConfig ? !args.empty() : args.size() != 1) throw UsageError("expected one IN file or --config FILE");
    if (havePrefix && !haveConfig) throw UsageError("--prefix goes with --config");
    if (!haveOut) throw UsageError("missing -o OUT");
    const std::vector<int> sizes = haveSizes ? parseSizes(sizesText) : std::vector<int>{};
    const std::string ext = lowerExtension(out);

    CursorDocument doc;
    if (haveConfig) {
        auto images = XcursorFromConfigFile(config, prefix);
        if (ext != ".cur" && ext != ".ani") {
            if (!sizes.empty()) images = XcursorAtSizes(images, sizes);
            WriteFileReplacing(out, WriteXcursor(images));
            return 0;
        }
        XcursorConversion c = XcursorToSets(images);
        doc.cursor = std::move(c.cursor);
        doc.animation = std::move(c.animation);
        doc.notes = std::move(c.notes);
    } else {
        doc = ReadCursorDocument(args[0]);
    }
    std::vector<std::string> notes = doc.notes;
    if (ext == ".cur" || ext == ".ani") {
        if (!sizes.empty()) {
            const auto images = XcursorAtSizes(CursorDocumentToXcursor(doc, &notes), sizes);
            XcursorConversion c = XcursorToSets(images);
            doc.cursor = std::move(c.cursor);
            doc.animation = std::move(c.animation);
            notes.insert(notes.end(), c.notes.begin(), c.notes.end());
        }
        if (ext == ".cur" && doc.animated()) {
            std::fprintf(CliErr(), "vornik-cli xcursor: \"%s\" is animated; write it as .ani\n",
                         (haveConfig ? config : args[0]).c_str());
            return 1;
        }
        if (ext == ".ani" && !doc.animated()) {
            doc.animation = CursorSetAsAnimation(*doc.cursor);
            doc.cursor.reset();
        }
        WriteWindowsCursor(doc, out);
    } else {
        auto images = CursorDocumentToXcursor(doc, &notes);
        if (!sizes.empty()) images = XcursorAtSizes(images, sizes);
        WriteFileReplacing(out, WriteXcursor(images));
    }
    for (const auto& n : notes) std::fprintf(CliErr(), "vornik-cli xcursor: note: %s\n", n.c_str());
    return 0;
}

const CommandRegistration registration(
    {"xcursor",
     "  xcursor IN -o OUT [--sizes 24,32,48,64]\n"
     "  xcursor --config FILE.in -o OUT [--prefix DIR]\n"
     "                       converts a cursor between Xcursor (Linux) and CUR/ANI, IN read\n"
     "                       by content: OUT ending in .cur or .ani is written for Windows,\n"
     "                       any other name as Xcursor; --sizes scales to those sizes.\n"
     "                       --config builds the cursor from an xcursorgen config (lines\n"
     "                       SIZE XHOT YHOT FILE [DELAY-MS], default delay 50) as xcursorgen\n"
     "                       does, image for image in line order: PNG files as they are, SVG\n"
     "                       files drawn at the line's size; files are found beside FILE.in\n"
     "                       or in --prefix DIR",
     runXcursor});

}  // namespace

}  // namespace vornik::cli
