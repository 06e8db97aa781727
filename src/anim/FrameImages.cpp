#include "anim/FrameImages.h"

#include <algorithm>
#include <cstdlib>

#include "imaging/BitmapInfoHeader.h"

namespace vornik {

int NearestTo32(const std::vector<FrameImage>& images) {
    int best = 0;
    for (int k = 1; k < static_cast<int>(images.size()); ++k)
        if (std::abs(images[static_cast<std::size_t>(k)].Width - 32) <
            std::abs(images[static_cast<std::size_t>(best)].Width - 32))
            best = k;
    return best;
}

std::string EntryImageBlock(const IconEntry& e, Bytes& block) {
    block.clear();
    if (e.InfoHeader.size() < BitmapInfoHeader::kSize) return "holds no image";
    const std::uint64_t clrUsed = ReadU32LE(e.InfoHeader.data() + bih::kClrUsed);
    const auto palette = static_cast<std::size_t>(std::min<std::uint64_t>(4 * clrUsed, e.InfoHeader.size() - 40));
    const auto xorSize = static_cast<std::size_t>(std::max(e.XorSize, 0));
    const auto andSize = static_cast<std::size_t>(std::max(e.AndSize, 0));
    block.reserve(40 + palette + xorSize + andSize);
    AppendBytes(block, e.InfoHeader.data(), 40 + palette);
    // The file's height covers image and mask.
    WriteU32LE(block.data() + bih::kHeight, ReadU32LE(e.InfoHeader.data() + bih::kHeight) * 2u);
    auto appendPart = [&](const Bytes& part, std::size_t n) {
        const std::size_t have = std::min(n, part.size());
        AppendBytes(block, part.data(), have);
        block.insert(block.end(), n - have, 0);
    };
    appendPart(e.XorBits, xorSize);
    appendPart(e.AndBits, andSize);
    return {};
}

std::string MakeFrameImage(const IconEntry& e, FrameImage& image) {
    std::string problem = EntryImageBlock(e, image.Data);
    if (!problem.empty()) return problem;
    e.WriteDirectory(image.Directory.data());
    const BitmapInfoHeader h = BitmapInfoHeader::Read(e.InfoHeader.data());
    image.Width = h.biWidth;
    image.Height = h.biHeight;
    image.BitCount = h.biBitCount;
    return {};
}

}  // namespace vornik
