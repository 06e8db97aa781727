// vornik-cli list [--tsv] FILE...
#include <algorithm>
#include <cstdio>

#include "cli/CliCommand.h"
#include "cli/DocumentReader.h"
#include "cli/EntryTable.h"
#include "cli/StdStreams.h"
#include "model/TIconEx.h"

namespace vornik::cli {

namespace {

int runList(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    const bool tsv = TakeFlag(args, "--tsv");
    RejectUnknownOptions(args);
    if (args.empty()) throw UsageError("expected FILE");
    // The reader follows the file's extension and content (DocumentReader.h).
    if (args.size() == 1) return ListDocument(args[0], tsv);
    // Several files: each table under the file's name, as head(1) does.
    int status = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::fprintf(CliOut(), "%s==> %s <==\n", i > 0 ? "\n" : "", ShownFileName(args[i]).c_str());
        std::fflush(CliOut());
        status = std::max(status, ListDocument(args[i], tsv));
    }
    return status;
}

const CommandRegistration registration({"list",
                                         "  list [--tsv] FILE... the entries of an ICO, CUR or ANI file (with its steps), the images of\n"
                                         "                       an ICNS file (each with its type, as the last --tsv column) or the\n"
                                         "                       icon images found in any other file, as a table numbered from 0\n"
                                         "                       as export --entry counts (--tsv: tab-separated, one line per\n"
                                         "                       entry); several files: each under a \"==> FILE <==\" line",
                                         runList});

}  // namespace

}  // namespace vornik::cli
