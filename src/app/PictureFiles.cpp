#include "app/PictureFiles.h"

#include <cstring>

#include "imaging/JpegCodec.h"
#include "platform/FileIO.h"

namespace vornik {

namespace {
// Far more than any JPEG the decoder's pixel limits accept.
constexpr std::uint64_t kMaxJpegFileBytes = 256ull << 20;
}  // namespace

TQvDIB LoadBitmapPicture(const std::string& path) {
    TQvDIB pic;
    pic.LoadFromFile(path);
    return pic;
}

TQvDIB LoadJpegPicture(const std::string& path) {
    const Bytes data = ReadFileBytes(path, kMaxJpegFileBytes);
    const JpegRaster raster = DecodeJpeg(data.data(), data.size());
    TQvDIB pic;
    pic.CreateDIB(raster.width, raster.height, 0, 24);
    const std::size_t rowBytes = static_cast<std::size_t>(raster.width) * 3;
    // The raster runs top-down, the picture bottom-up.
    for (int y = 0; y < raster.height; ++y)
        std::memcpy(pic.MutableScanLine(raster.height - 1 - y), raster.bgr.data() + rowBytes * y, rowBytes);
    return pic;
}

}  // namespace vornik
