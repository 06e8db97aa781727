#pragma once

#include <string>
#include <vector>

#include "model/EntryStorage.h"

namespace vornik::cli {

// Takes --png or --bmp (not both: UsageError) out of args: how the entries
// of a written ICO or CUR file are stored. Neither gives EntryStorage::Auto.
EntryStorage TakeStorageFlags(std::vector<std::string>& args);

}  // namespace vornik::cli
