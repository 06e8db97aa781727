#include "cli/ExtractGroups.h"

#include <cstdio>
#include <filesystem>

#include "cli/CliCommand.h"
#include "cli/ExeGroupsInput.h"
#include "cli/OutputGuard.h"
#include "model/GroupFile.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"

namespace vornik::cli {

int RunExtractGroups(const std::vector<std::string>& arguments) {
    namespace fs = std::filesystem;
    std::vector<std::string> args = arguments;
    std::string dir;
    TakeFlag(args, "--groups");
    const bool haveDir = TakeOption(args, "-o", dir);
    const bool overwrite = TakeFlag(args, "--overwrite");
    RejectUnknownOptions(args);
    if (args.size() != 1) throw UsageError("expected one FILE");
    if (!haveDir) throw UsageError("missing -o DIR");
    const std::string& path = args[0];
    auto fail = [](const std::string& message) {
        std::fprintf(CliErr(), "vornik-cli extract: %s\n", message.c_str());
        return 1;
    };
    ExeGroupsInput in;
    const std::string error = ReadExeGroups(path, in);
    if (!error.empty()) return fail(error);
    const ExeResources& res = in.resources;
    if (res.groups.empty()) return fail("\"" + path + "\" holds no icon or cursor groups");

    // Every file is made in memory and every name checked before anything is
    // written, so a refusal leaves the folder as it was.
    std::vector<std::string> notes = res.problems;
    const std::vector<std::string> names = GroupFileNames(res);
    std::vector<std::pair<fs::path, Bytes>> files;
    for (std::size_t g = 0; g < res.groups.size(); ++g) {
        Bytes bytes = GroupFileBytes(in.data(), in.size(), res, res.groups[g], notes);
        if (bytes.empty()) {
            notes.push_back(GroupTitle(res.groups[g], false) + ": none of its images exists; not written");
            continue;
        }
        files.emplace_back(fs::path(dir) / names[g], std::move(bytes));
    }
    for (const auto& f : files) RefuseOutputOverInput(path, f.first.string());
    std::error_code ec;
    if (!overwrite)
        for (const auto& f : files)
            if (fs::exists(f.first, ec))
                return fail("\"" + f.first.string() + "\" exists; nothing written (--overwrite replaces it)");
    fs::create_directories(dir, ec);
    if (ec || !fs::is_directory(dir, ec)) return fail("cannot create the folder \"" + dir + "\"");
    for (const auto& f : files) {
        WriteFileReplacing(f.first.string(), f.second);
        std::fprintf(CliOut(), "%s\n", f.first.string().c_str());
    }
    for (const std::string& n : notes) std::fprintf(CliErr(), "vornik-cli extract: \"%s\": %s\n", path.c_str(), n.c_str());
    return notes.empty() ? 0 : 1;
}

}  // namespace vornik::cli
