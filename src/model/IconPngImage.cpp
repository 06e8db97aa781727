#include "model/IconPngImage.h"

namespace vornik {

const char* const kPngImageNotSupported = "PNG-compressed image is not supported yet";

std::string ReadPngIconImage(const std::uint8_t*, std::size_t, std::size_t, IconEntry&, std::size_t*) {
    return kPngImageNotSupported;
}

}  // namespace vornik
