// vornik-cli list [--tsv] FILE
#include <cstdio>

#include "cli/CliCommand.h"
#include "cli/EntryTable.h"
#include "model/TIconEx.h"

namespace vornik::cli {

namespace {

int runList(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    const bool tsv = TakeFlag(args, "--tsv");
    RejectUnknownOptions(args);
    if (args.size() != 1) throw UsageError("expected one FILE");
    TIconCurEX set;
    if (!set.LoadFromFile(args[0])) {
        std::fprintf(stderr, "vornik-cli list: %s\n", set.LoadError().c_str());
        return 1;
    }
    const std::string text = tsv ? FormatEntryTsv(set) : FormatEntryTable(set);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

const CommandRegistration registration({"list",
                                         "  list [--tsv] FILE    the entries of an ICO or CUR file as a table\n"
                                         "                       (--tsv: tab-separated, one line per entry)",
                                         runList});

}  // namespace

}  // namespace vornik::cli
