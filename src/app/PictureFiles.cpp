#include "app/PictureFiles.h"

#include "imaging/JpegDIB.h"

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

}  // namespace vornik
