#pragma once

#include <string>

#include "model/EntryStorage.h"

namespace vornik::cli {

// Which reader a file goes to, as the editor's open command chooses it: by
// the extension (case-insensitive), except that a file beginning "RIFF" ...
// "ACON" is an animated cursor whatever its name.
enum class ReaderKind { IconCursor, AnimatedCursor, Executable, Bitmap };

ReaderKind ChooseReader(const std::string& path);

// vornik-cli list: the entries (and for an animated cursor its steps, title
// and creator) on standard output. Returns the exit status.
int ListDocument(const std::string& path, bool tsv);

// vornik-cli resave: reads IN with the chosen reader and writes it to OUT in
// the same format. Returns the exit status.
int ResaveDocument(const std::string& in, const std::string& out, EntryStorage storage = EntryStorage::Auto);

}  // namespace vornik::cli
