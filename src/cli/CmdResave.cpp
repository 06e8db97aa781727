// vornik-cli resave IN OUT
#include <cstdio>

#include "cli/CliCommand.h"
#include "cli/DocumentReader.h"
#include "cli/StorageFlags.h"
#include "model/TIconEx.h"

namespace vornik::cli {

namespace {

int runResave(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    const EntryStorage storage = TakeStorageFlags(args);
    RejectUnknownOptions(args);
    if (args.size() != 2) throw UsageError("expected IN and OUT");
    // ICO, CUR and ANI, chosen as list chooses them (DocumentReader.h).
    return ResaveDocument(args[0], args[1], storage);
}

const CommandRegistration registration({"resave",
                                         "  resave IN OUT [--png|--bmp]\n"
                                         "                       read an ICO, CUR, ANI or ICNS file and write it back as OUT;\n"
                                         "                       PNG images stay PNG (--png: every image as PNG, --bmp: none);\n"
                                         "                       an ICNS file keeps every element byte for byte",
                                         runResave});

}  // namespace

}  // namespace vornik::cli
