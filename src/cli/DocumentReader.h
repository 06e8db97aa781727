#pragma once

#include <string>

#include "formats/FileContent.h"
#include "formats/ReadResult.h"
#include "model/EntryStorage.h"

namespace vornik::cli {

// Which reader a file goes to, as the editor's open command chooses it: the
// format registry's, by content (a missing or unreadable file is left to the
// program walk, which says why).
enum class ReaderKind { IconCursor, AnimatedCursor, Executable, Bitmap, Xcursor };

ReaderKind ChooseReader(const std::string& path);

// An icon, cursor, animated cursor or Xcursor file read through the format
// registry, as the editor reads it; a picture is refused (NotForCommand).
// PNG images of an icon file are decoded only with decodePng.
ReadResult<FileContent> ReadEntrySet(const std::string& path, bool decodePng = true);

// vornik-cli list: the entries (and for an animated cursor its steps, title
// and creator) on standard output. Returns the exit status.
int ListDocument(const std::string& path, bool tsv);

// vornik-cli resave: reads IN with the chosen reader and writes it to OUT in
// the same format. Returns the exit status.
int ResaveDocument(const std::string& in, const std::string& out, EntryStorage storage = EntryStorage::Auto);

}  // namespace vornik::cli
