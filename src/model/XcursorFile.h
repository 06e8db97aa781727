#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Bytes.h"
#include "platform/Errors.h"

namespace vornik {

// One image of an Xcursor file: the nominal size it is chosen by, its real
// size, the hot spot, the delay to the next frame of an animation (ms), and
// the pixels as the file holds them: 0xAARRGGBB with premultiplied alpha,
// rows top-down.
struct XcursorPicture {
    std::uint32_t nominalSize = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t xhot = 0;
    std::uint32_t yhot = 0;
    std::uint32_t delay = 0;
    std::vector<std::uint32_t> pixels;
};

// An Xcursor file that is refused; the message names the file and the reason.
class EXcursorError : public EVornikError {
public:
    using EVornikError::EVornikError;
};

// Largest image side we accept in an Xcursor file (the library's own limit is
// 32767, far beyond any cursor).
constexpr std::uint32_t kMaxXcursorSide = 1024;

// True when the bytes start with the Xcursor magic "Xcur".
bool IsXcursorData(const std::uint8_t* data, std::size_t size);

// Every image of the file, in the order of its table of contents. The header
// and table are checked first (counts, positions, image sizes against the
// bytes present and against the decoded-size budget), then libXcursor decodes.
// Throws EXcursorError naming `name`.
std::vector<XcursorPicture> ReadXcursor(const std::uint8_t* data, std::size_t size, const std::string& name);
std::vector<XcursorPicture> ReadXcursorFile(const std::string& path);

// The file libXcursor writes for the images, in the order given. Every image
// must have pixels for width x height; a hot spot beyond the image's side is
// moved to its nearest edge pixel, since the library refuses such files on
// reading.
Bytes WriteXcursor(const std::vector<XcursorPicture>& images);

}  // namespace vornik
