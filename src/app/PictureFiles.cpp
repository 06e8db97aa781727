#include "app/PictureFiles.h"

#include <cctype>
#include <filesystem>

#include "imaging/JpegDIB.h"
#include "imaging/SvgSandbox.h"

namespace vornik {

TQvDIB LoadBitmapPicture(const std::string& path) {
    TQvDIB pic;
    pic.LoadFromFile(path);
    return pic;
}

TQvDIB LoadJpegPicture(const std::string& path) {
    TQvDIB pic;
    LoadJpegFile(path, pic);
    return pic;
}

bool IsSvgExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".svg" || ext == ".svgz";
}

TQvDIB LoadSvgPicture(const std::string& path) { return RenderSvg(ReadSvgSource(path), SvgBox{}); }

}  // namespace vornik
