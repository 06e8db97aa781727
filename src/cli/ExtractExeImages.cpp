#include "cli/ExtractExeImages.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "cli/EntryFileNames.h"
#include "cli/OutputGuard.h"
#include "model/EntryStorage.h"
#include "model/ExeImageWalk.h"
#include "model/TIconEx.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"
#include "cli/CliCommand.h"

namespace vornik::cli {

namespace {

int fail(const std::string& message) {
    std::fprintf(CliErr(), "vornik-cli extract: %s\n", message.c_str());
    return 1;
}

}  // namespace

int ExtractExeImages(const std::string& path, const std::string& dir, const std::string& stem, long long first,
                     bool overwrite, bool asPng) {
    namespace fs = std::filesystem;
    // The first walk counts, so the names (and their digits) are known and
    // checked before anything is written; the second writes.
    ExeWalkResult counted;
    try {
        counted = WalkExeImages(path, [](ExeImage&) { return true; });
    } catch (const EInOutError& e) {
        return fail(e.what());
    }
    const std::size_t count = counted.images;
    const std::vector<std::string> names =
        EntryFileNames(dir, stem, first, static_cast<int>(count), asPng ? ".png" : ".ico");
    for (const auto& name : names) RefuseOutputOverInput(path, name);
    std::error_code ec;
    if (!overwrite)
        for (const auto& name : names)
            if (fs::exists(name, ec)) return fail("\"" + name + "\" exists; nothing written (--overwrite replaces it)");
    if (count > 0) {
        fs::create_directories(dir, ec);
        if (!fs::is_directory(dir, ec)) return fail("cannot make the folder \"" + dir + "\"");
    }
    // One image at a time through a one-entry set, written as an icon.
    const auto one = std::make_unique<TExeEXsub>();
    std::size_t written = 0;
    try {
        WalkExeImages(path, [&](ExeImage& image) {
            if (written >= names.size()) return false;  // the file changed between the walks
            const std::string& name = names[written];
            if (asPng) {
                WriteFileReplacing(name, EntryPngBytes(image.entry));
            } else {
                one->Clear();
                one->Entries[0] = std::move(image.entry);
                one->Count = 1;
                one->SaveEntryToFile(name, 0, 1);
            }
            std::fprintf(CliOut(), "%s\n", name.c_str());
            ++written;
            return true;
        });
    } catch (const EInOutError& e) {
        return fail(e.what());
    }
    int status = 0;
    for (const auto& note : counted.notes) status = fail("\"" + path + "\": " + note);
    if (counted.truncated)
        status = fail("Read beyond end of file \"" + path + "\" (icon image at offset " +
                      std::to_string(counted.truncatedAt) + ")");
    if (count == 0 && status == 0) status = fail("no icon images found in \"" + path + "\"");
    return status;
}

}  // namespace vornik::cli
