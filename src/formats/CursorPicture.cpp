#include "formats/CursorPicture.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "imaging/ScaleArea.h"
#include "imaging/SvgSandbox.h"
#include "imaging/SvgSource.h"
#include "model/IconImageReader.h"
#include "model/PngImage.h"
#include "model/XcursorFile.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"

namespace vornik {

namespace {

// Largest picture file read; cursor sources are far smaller.
constexpr std::uint64_t kMaxPictureFileBytes = 64u << 20;
// Largest raster source side: big enough for any master drawing that is
// scaled down to cursor sizes.
constexpr int kMaxRasterSourceSide = 4096;

BgraPicture fromDib(const TQvDIB& dib) {
    BgraPicture p;
    p.width = dib.Width();
    p.height = dib.Height();
    const std::size_t row = static_cast<std::size_t>(p.width) * 4;
    p.bgra.resize(row * static_cast<std::size_t>(p.height));
    for (int y = 0; y < p.height; ++y)
        std::memcpy(p.bgra.data() + row * static_cast<std::size_t>(y), dib.ScanLine(y), row);
    return p;
}

BgraPicture scaledToSide(const BgraPicture& from, std::uint32_t side) {
    const int longer = std::max(from.width, from.height);
    if (static_cast<std::uint32_t>(longer) == side) return from;
    const double factor = static_cast<double>(side) / longer;
    BgraPicture to;
    to.width = std::max(1, static_cast<int>(std::lround(from.width * factor)));
    to.height = std::max(1, static_cast<int>(std::lround(from.height * factor)));
    to.bgra.resize(static_cast<std::size_t>(to.width) * static_cast<std::size_t>(to.height) * 4);
    ScaleAreaBgra(from.bgra.data(), from.width, from.height, static_cast<std::size_t>(from.width) * 4,
                  to.bgra.data(), to.width, to.height, static_cast<std::size_t>(to.width) * 4);
    return to;
}

}  // namespace

DrawnPicture DrawCursorPicture(const std::string& path, const std::vector<std::uint32_t>& sizes,
                               RasterFit fit) {
    if (!FileExists(path)) throw EInOutError("no such file \"" + path + "\"");
    for (std::uint32_t s : sizes)
        if (s == 0 || s > kMaxXcursorSide)
            throw EVornikError("\"" + path + "\": size " + std::to_string(s) + " is not from 1 to " +
                               std::to_string(kMaxXcursorSide));
    const Bytes data = ReadFileBytes(path, kMaxPictureFileBytes);
    DrawnPicture out;
    if (LooksLikeSvg(data)) {
        std::vector<SvgBox> boxes;
        boxes.reserve(sizes.size());
        for (std::uint32_t s : sizes) boxes.push_back({static_cast<int>(s), 0});
        SvgUserSize user;
        const std::vector<TQvDIB> dibs = RenderSvg(MakeSvgSource(data, path), boxes, {}, &user);
        out.width = user.width;
        out.height = user.height;
        for (const TQvDIB& dib : dibs) out.pictures.push_back(fromDib(dib));
        return out;
    }
    if (!IsPngImage(data.data(), data.size(), 0))
        throw EVornikError("\"" + path + "\" is neither a PNG nor an SVG picture");
    BgraPicture picture;
    const std::string problem = DecodePngBgra(data.data(), data.size(), kMaxRasterSourceSide, &picture.width,
                                              &picture.height, picture.bgra);
    if (!problem.empty()) throw EVornikError("\"" + path + "\": " + problem);
    out.width = picture.width;
    out.height = picture.height;
    for (std::uint32_t s : sizes)
        out.pictures.push_back(fit == RasterFit::AsIs ? picture : scaledToSide(picture, s));
    return out;
}

}  // namespace vornik
