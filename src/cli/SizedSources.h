#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "imaging/SvgSource.h"
#include "imaging/TQvDIB.h"

namespace vornik::cli {

// Takes every "--source N=FILE" out of args: FILE is the picture for side N
// (1..maxSide). UsageError for a malformed or repeated side.
std::map<int, std::string> TakeSourceOptions(std::vector<std::string>& args, int maxSide);

// The pictures an icon is made from, per side: the main picture, or the one
// given for that side. An SVG is rendered at each side it serves (all its
// sides in one go), straight from the vector data; any other picture is
// loaded once at its own size and scaled by the caller.
class SizedSources {
public:
    // One picture as the editor's image pair (image, 24-bit mask view);
    // `rgba` is the 32-bit straight-alpha form when the picture came from an SVG.
    struct Picture {
        TQvDIB image;
        TQvDIB mask;
        TQvDIB rgba;
        bool vector = false;
    };

    // Loads and renders everything now; errors name the file. A raster
    // picture larger than the working size is shrunk to it as it is read.
    // Without loadMainRaster a raster main picture is left to the caller:
    // Main() and the sides it serves are then an empty Picture.
    SizedSources(const std::string& mainPath, const std::map<int, std::string>& perSide,
                 const std::vector<int>& sides, bool loadMainRaster = true);

    // The picture for a side named at construction: side x side for an SVG.
    const Picture& For(int side) const;
    // The main picture at its own size (an SVG's declared size).
    const Picture& Main() const { return *main_; }
    // The main picture's SVG text, or null when it is not an SVG.
    const SvgSource* MainSvg() const { return mainSvg_.get(); }

private:
    std::shared_ptr<Picture> main_;
    std::shared_ptr<SvgSource> mainSvg_;
    std::map<int, std::shared_ptr<Picture>> bySide_;
};

// The picture as a 32-bit straight-alpha side x side square: an SVG's own
// rendering, or a raster scaled with area averaging (image) and nearest pixel
// (mask).
TQvDIB SquareRgba(const SizedSources::Picture& picture, int side);

}  // namespace vornik::cli
