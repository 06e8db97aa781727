#pragma once

#include <string>

#include "formats/FileContent.h"
#include "formats/FormatRegistry.h"
#include "formats/ReadResult.h"

namespace vornik {

// The readers the registry names, one per kind of document. Each reads into
// a new set or picture and answers with a read result; the notices the
// lower readers give while reading are held back, their content is in the
// result.
ReadResult<FileContent> ReadIconFile(const std::string& path, const ReadOptions& options);
ReadResult<FileContent> ReadAniFile(const std::string& path, const ReadOptions& options);
ReadResult<FileContent> ReadXcursorFile(const std::string& path, const ReadOptions& options);
ReadResult<FileContent> ReadPictureFile(const std::string& path, const ReadOptions& options);
// An Apple icon (ICNS): its images that decode, as an icon set; each image
// left out is a loss naming it, in the order of the set's first LoadNotes
// (JPEG 2000 ones are kept for saving, not lost; their notes come after).
ReadResult<FileContent> ReadAppleIconFile(const std::string& path, const ReadOptions& options);
// The icon images of a program's resources, or of any file by the content scan.
ReadResult<FileContent> ReadProgramFile(const std::string& path, const ReadOptions& options);

}  // namespace vornik
