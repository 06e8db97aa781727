#include "app/PictureFiles.h"

#include <cctype>
#include <filesystem>

#include "imaging/BmpAlpha.h"
#include "imaging/JpegDIB.h"
#include "imaging/JpegOrientation.h"
#include "platform/FileIO.h"
#include "imaging/SvgSandbox.h"

namespace vornik {

TQvDIB LoadBitmapPicture(const std::string& path) {
    // A 32-bit picture with alpha keeps it; the DIB reader would drop it.
    if (std::optional<TQvDIB> withAlpha = DecodeBmpAlpha(ReadFileBytes(path), false)) return *withAlpha;
    TQvDIB pic;
    pic.LoadFromFile(path);
    return pic;
}

TQvDIB LoadJpegPicture(const std::string& path) {
    // Cameras store pictures sideways and say so in EXIF: shown upright.
    TQvDIB pic;
    LoadJpegFile(path, pic);  // refusals name the file
    const Bytes data = ReadFileBytes(path);
    return ApplyExifOrientation(pic, JpegExifOrientation(data.data(), data.size()));
}

bool IsSvgExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".svg" || ext == ".svgz";
}

TQvDIB LoadSvgPicture(const std::string& path) { return RenderSvg(ReadSvgSource(path), SvgBox{}); }

}  // namespace vornik
