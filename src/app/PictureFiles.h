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

// True for the extensions of SVG pictures (.svg, .svgz, any case).
bool IsSvgExtension(const std::string& path);

// An SVG or SVGZ file drawn at its own size (its width and height, else its
// viewBox) into a 32-bit picture with alpha, in a child process within the
// renderer's time and memory budget. EVornikError naming the file when it is
// refused.
TQvDIB LoadSvgPicture(const std::string& path);

}  // namespace vornik
