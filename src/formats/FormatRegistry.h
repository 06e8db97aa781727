#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "formats/FileContent.h"
#include "formats/ReadResult.h"

namespace vornik {

// The first bytes of a file (at most kFormatHeadSize of them) and its length.
struct FormatHead {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::uint64_t fileSize = 0;
};
inline constexpr std::size_t kFormatHeadSize = 64 * 1024;

struct ReadOptions {
    // The rate an animation gets when its file names none (the option "defrate").
    std::uint32_t aniDefaultRate = 10;
    // Whether the PNG images of an icon or cursor file are decoded (a listing
    // or a copy needs only their headers and bytes).
    bool decodePng = true;
};

// One entry per format. matches is the content test that lives beside the
// format's reader (nullptr for the content scan, which takes what no test
// claims); extensions are lower case with their dot.
struct FileFormat {
    std::string name;
    std::vector<std::string> extensions;
    bool (*matches)(const FormatHead& head);
    Yield yields;
    ReadResult<FileContent> (*read)(const std::string& path, const ReadOptions& options);
};

// Every format, in the order their content tests are tried; the content scan
// is last. New formats go before it.
const std::vector<FileFormat>& Formats();
// The entry of that name ("ICO", "PNG" …), nullptr when there is none.
const FileFormat* FormatNamed(std::string_view name);

// The format of a file's bytes. Content decides; the extension (any case)
// only breaks a tie between formats whose tests all match, and names the
// reader when no test matches (so a damaged .ico is refused by the icon
// reader with its reason). Without either, the content scan.
const FileFormat& DetectFormat(const FormatHead& head, const std::string& path);
// The same for a file on disk; refused when it is missing or cannot be read.
ReadResult<const FileFormat*> DetectFileFormat(const std::string& path);

// Detects the format and reads the file with its reader.
ReadResult<FileContent> ReadFileContent(const std::string& path, const ReadOptions& options = {});

// The path's extension in lower case with its dot ("" when it has none).
std::string LowerExtension(const std::string& path);

}  // namespace vornik
