// vornik-cli extract FILE -o DIR [--stem NAME] [--start N] [--overwrite] [--png]
#include <cstdio>
#include <filesystem>
#include <memory>

#include "anim/TAniEX.h"
#include "cli/CliCommand.h"
#include "cli/ReadNotes.h"
#include "cli/DocumentReader.h"
#include "cli/EntryFileNames.h"
#include "cli/ExtractAnimation.h"
#include "cli/ExtractExeImages.h"
#include "cli/ExtractGroups.h"
#include "cli/IcnsDocument.h"
#include "formats/IcnsIconSet.h"
#include "cli/OutputGuard.h"
#include "model/EntryStorage.h"
#include "model/TIconEx.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"

namespace vornik::cli {

namespace {

// Every entry as a numbered one-image file STEM-NN.ext in DIR (made when
// missing). Numbers have at least two digits, more when the last one needs
// them, so the files sort in entry order. Without --overwrite a name already
// taken refuses the whole run before anything is written, so a second run
// never leaves a mixture of old and new files.
int runExtract(const std::vector<std::string>& arguments) {
    for (const auto& a : arguments)
        if (a == "--groups") return RunExtractGroups(arguments);
    std::vector<std::string> args = arguments;
    std::string dir, stem, start;
    const bool haveDir = TakeOption(args, "-o", dir);
    const bool haveStem = TakeOption(args, "--stem", stem);
    const bool haveStart = TakeOption(args, "--start", start);
    const bool overwrite = TakeFlag(args, "--overwrite");
    const bool asPng = TakeFlag(args, "--png");
    RejectUnknownOptions(args);
    if (args.size() != 1) throw UsageError("expected one FILE");
    if (!haveDir) throw UsageError("missing -o DIR");
    long long counter = 0;
    if (haveStart) {
        try {
            std::size_t used = 0;
            counter = std::stoll(start, &used);
            if (used != start.size() || counter < 0 || counter > 999999999) throw UsageError("");
        } catch (const std::exception&) {
            throw UsageError("--start needs a number from 0 to 999999999");
        }
    }
    const std::string& path = args[0];
    if (!haveStem) stem = std::filesystem::path(path).stem().string();
    if (stem.find_first_not_of(" \t") == std::string::npos) throw UsageError("the file name stem is blank");
    if (!FileExists(path)) {
        std::fprintf(CliErr(), "vornik-cli extract: no such file \"%s\"\n", path.c_str());
        return 1;
    }
    if (IsAppleIconFile(path)) return ExtractIcns(path, dir, stem, counter, overwrite, asPng);

    // Owned by their own types (the set classes have no virtual destructor).
    std::unique_ptr<TAniEX> aniSet;
    std::unique_ptr<TIconCurEX> iconSet;
    TIconEx* set = nullptr;
    // Any number of images of a program, one at a time.
    if (ChooseReader(path) == ReaderKind::Executable)
        return ExtractExeImages(path, dir, stem, counter, overwrite, asPng);
    ReadResult<FileContent> read = ReadEntrySet(path);
    if (read.refused) {
        PrintRefusal("extract", path, read.refusal);
        return 1;
    }
    aniSet = std::move(read.value.animation);
    iconSet = std::move(read.value.icons);
    set = aniSet ? static_cast<TIconEx*>(aniSet.get()) : iconSet.get();
    // Frames are written as cursors; an icon set as its own type.
    int type = aniSet ? 2 : 0;
    // What the read left out is said before anything is written; the exit status says it too.
    PrintLosses("extract", path, read.losses);
    const int status = read.losses.empty() ? 0 : 1;
    // An animated cursor's pictures come with the script that builds it again.
    if (asPng && aniSet && aniSet->Count > 0) {
        const int written = ExtractAnimationPng(*aniSet, path, dir, stem, counter, overwrite);
        return written != 0 ? written : status;
    }
    // An icon set of an unknown type is written as icons.
    if (type == 0) type = set->ResourceType == 2 ? 2 : 1;
    const std::string ext = asPng ? ".png" : type == 2 ? ".cur" : ".ico";
    const std::vector<std::string> names = EntryFileNames(dir, stem, counter, set->Count, ext);
    for (const auto& name : names) RefuseOutputOverInput(path, name);
    if (!overwrite) {
        std::error_code ec;
        for (const auto& name : names) {
            if (std::filesystem::exists(name, ec)) {
                std::fprintf(CliErr(), "vornik-cli extract: \"%s\" exists; nothing written (--overwrite replaces it)\n",
                             name.c_str());
                return 1;
            }
        }
    }
    if (!names.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(dir, ec);
        if (!std::filesystem::is_directory(dir, ec)) {
            std::fprintf(CliErr(), "vornik-cli extract: cannot make the folder \"%s\"\n", dir.c_str());
            return 1;
        }
    }
    for (int i = 0; i < set->Count; ++i) {
        const std::string& name = names[static_cast<std::size_t>(i)];
        if (asPng)
            WriteFileReplacing(name, EntryPngBytes(set->Entries[static_cast<std::size_t>(i)]));
        else
            set->SaveEntryToFile(name, i, type);
        std::fprintf(CliOut(), "%s\n", name.c_str());
    }
    return status;
}

const CommandRegistration registration(
    {"extract",
     "  extract FILE -o DIR [--stem NAME] [--start N] [--overwrite] [--png]\n"
     "  extract FILE --groups -o DIR [--overwrite]\n"
     "                       with --groups: each icon or cursor group of an executable as one\n"
     "                       .ico or .cur named after the group, images byte for byte\n"
     "                       every entry as a one-image file DIR/STEM-NN.ext (DIR is made when\n"
     "                       missing): icons .ico, cursors and animation frames .cur, icons found\n"
     "                       in other files .ico, images of an ICNS file .icns (--png: every\n"
     "                       entry as a .png with its alpha, JPEG 2000 ones of an ICNS skipped;\n"
     "                       of an animated cursor every image of every frame, STEM-NN-WxH.png\n"
     "                       for a frame of several sizes, and STEM.txt for animate --script);\n"
     "                       a name already taken stops the run before anything is written,\n"
     "                       unless --overwrite",
     runExtract});

}  // namespace

}  // namespace vornik::cli
