#pragma once

#include <string>

#include "imaging/TQvDIB.h"

namespace vornik {

// A BMP/DIB file as a picture (EInOutError or the DIB's own error when it
// cannot be read).
TQvDIB LoadBitmapPicture(const std::string& path);

// A JPEG file decoded into a bottom-up 24-bit picture (EJpegError when the
// data is not a readable JPEG).
TQvDIB LoadJpegPicture(const std::string& path);

}  // namespace vornik
