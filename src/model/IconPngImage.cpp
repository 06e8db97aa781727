#include "model/IconPngImage.h"

#include "model/PngImage.h"

namespace vornik {

const char* const kPngImageNotSupported = "PNG-compressed image is not supported yet";

std::string ReadPngIconImage(const std::uint8_t* data, std::size_t size, std::size_t pos, IconEntry& entry,
                             std::size_t* next) {
    if (pos > size) return "image header runs past the end of the file";
    std::size_t consumed = 0;
    std::string problem = DecodePngIconImage(data + pos, size - pos, entry, &consumed);
    if (!problem.empty()) return problem;
    entry.SourcePos = static_cast<std::int32_t>(pos);
    *next = pos + consumed;
    return {};
}

}  // namespace vornik
