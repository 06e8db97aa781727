#include "cli/ExeGroupsInput.h"

#include <cstdio>

#include "platform/Errors.h"
#include "platform/FileIO.h"
#include "cli/CliCommand.h"

namespace vornik::cli {

std::string ReadExeGroups(const std::string& path, ExeGroupsInput& in) {
    if (!FileExists(path)) return "no such file \"" + path + "\"";
    try {
        in.file = std::make_unique<ExeFileView>(path);
        in.file->ExpectRandomReads();
    } catch (const EInOutError& e) {
        return e.what();
    }
    in.resources = ReadExeResources(in.data(), in.size());
    if (!in.resources.damage.empty())
        return "\"" + path + "\": the resource directory is damaged: " + in.resources.damage;
    if (!in.resources.present) return "\"" + path + "\" has no resource directory";
    return {};
}

std::size_t PrintProblems(const char* command, const std::string& path, const ExeResources& res) {
    for (const std::string& p : res.problems) std::fprintf(CliErr(), "vornik-cli %s: \"%s\": %s\n", command, path.c_str(), p.c_str());
    return res.problems.size();
}

}  // namespace vornik::cli
