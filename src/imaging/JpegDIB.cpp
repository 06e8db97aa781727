#include "imaging/JpegDIB.h"

#include <cstring>

#include "imaging/JpegError.h"
#include "imaging/TQvDIBCanvas.h"
#include "platform/FileIO.h"

namespace vornik {

namespace {
// A JPEG file bigger than this is not a picture an icon tool should open.
constexpr std::uint64_t kMaxJpegFileBytes = 256ull << 20;
}  // namespace

void LoadJpegIntoDIB(const std::uint8_t* data, std::size_t size, TQvDIB& target, const JpegLimits& limits) {
    const JpegRaster raster = DecodeJpeg(data, size, limits);
    TQvDIB dib;
    dib.CreateDIB(raster.width, raster.height, 0, 24);
    const std::size_t rowBytes = std::size_t(raster.width) * 3;
    for (int y = 0; y < raster.height; ++y)
        std::memcpy(dib.MutableScanLine(raster.height - 1 - y), raster.bgr.data() + rowBytes * std::size_t(y),
                    rowBytes);
    target.Assign(&dib);
}

void LoadJpegFile(const std::string& path, TQvDIB& target) {
    const Bytes bytes = ReadFileBytes(path, kMaxJpegFileBytes);
    try {
        LoadJpegIntoDIB(bytes.data(), bytes.size(), target);
    } catch (const EJpegError& e) {
        throw EJpegError(path + ": " + e.what());
    }
}

Bytes EncodeDIBAsJpeg(const TQvDIB& image, int quality) {
    const TQvDIBSourceSurface source(image);
    const RasterSurface& s = source.Surface();
    JpegRaster raster;
    raster.width = s.width;
    raster.height = s.height;
    raster.bgr.resize(std::size_t(s.width) * std::size_t(s.height) * 3);
    std::uint8_t* out = raster.bgr.data();
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x, out += 3) {
            const RasterColor c = ReadPixelColor(s, x, y);
            out[0] = BlueOf(c);
            out[1] = GreenOf(c);
            out[2] = RedOf(c);
        }
    return EncodeJpeg(raster, quality);
}

void SaveDIBAsJpegFile(const TQvDIB& image, const std::string& path, int quality) {
    WriteFileReplacing(path, EncodeDIBAsJpeg(image, quality));
}

}  // namespace vornik
