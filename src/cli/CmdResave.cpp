// vornik-cli resave IN OUT
#include <cstdio>

#include "cli/CliCommand.h"
#include "model/TIconEx.h"

namespace vornik::cli {

namespace {

int runResave(const std::vector<std::string>& arguments) {
    RejectUnknownOptions(arguments);
    if (arguments.size() != 2) throw UsageError("expected IN and OUT");
    TIconCurEX set;
    if (!set.LoadFromFile(arguments[0])) {
        std::fprintf(stderr, "vornik-cli resave: %s\n", set.LoadError().c_str());
        return 1;
    }
    set.SaveToFile(arguments[1]);
    return 0;
}

const CommandRegistration registration({"resave",
                                         "  resave IN OUT        read an ICO or CUR file and write it back as OUT",
                                         runResave});

}  // namespace

}  // namespace vornik::cli
