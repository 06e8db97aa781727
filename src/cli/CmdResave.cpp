// vornik-cli resave IN OUT
#include <cstdio>

#include "cli/CliCommand.h"
#include "cli/DocumentReader.h"
#include "model/TIconEx.h"

namespace vornik::cli {

namespace {

int runResave(const std::vector<std::string>& arguments) {
    RejectUnknownOptions(arguments);
    if (arguments.size() != 2) throw UsageError("expected IN and OUT");
    // ICO, CUR and ANI, chosen as list chooses them (DocumentReader.h).
    return ResaveDocument(arguments[0], arguments[1]);
}

const CommandRegistration registration({"resave",
                                         "  resave IN OUT        read an ICO, CUR or ANI file and write it back as OUT",
                                         runResave});

}  // namespace

}  // namespace vornik::cli
