#include "anim/AniFrameImage.h"

#include "model/IconImageReader.h"
#include "model/IconPngImage.h"

namespace vornik {

std::string ReadAniFrameImage(const std::uint8_t* data, std::size_t size, std::size_t pos, IconEntry& entry,
                              std::size_t* next, bool* isPng) {
    std::string problem = ReadIconImage(data, size, pos, entry, next);
    *isPng = !problem.empty() && problem == kPngImageNotSupported;
    return problem;
}

}  // namespace vornik
