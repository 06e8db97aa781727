// vornik-cli list [--tsv] FILE
#include <cstdio>

#include "cli/CliCommand.h"
#include "cli/DocumentReader.h"
#include "cli/EntryTable.h"
#include "model/TIconEx.h"

namespace vornik::cli {

namespace {

int runList(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    const bool tsv = TakeFlag(args, "--tsv");
    RejectUnknownOptions(args);
    if (args.size() != 1) throw UsageError("expected one FILE");
    // The reader follows the file's extension and content (DocumentReader.h).
    return ListDocument(args[0], tsv);
}

const CommandRegistration registration({"list",
                                         "  list [--tsv] FILE    the entries of an ICO, CUR or ANI file (with its steps) or the icon\n"
                                         "                       images found in any other file, as a table\n"
                                         "                       (--tsv: tab-separated, one line per entry)",
                                         runList});

}  // namespace

}  // namespace vornik::cli
