#include "cli/StorageFlags.h"

#include "cli/CliCommand.h"

namespace vornik::cli {

EntryStorage TakeStorageFlags(std::vector<std::string>& args) {
    const bool png = TakeFlag(args, "--png");
    const bool bmp = TakeFlag(args, "--bmp");
    if (png && bmp) throw UsageError("--png and --bmp exclude each other");
    return png ? EntryStorage::Png : bmp ? EntryStorage::Bmp : EntryStorage::Auto;
}

}  // namespace vornik::cli
