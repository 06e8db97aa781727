#pragma once

#include <map>
#include <memory>
#include <string>

#include "formats/IconSet.h"
#include "imaging/SvgSource.h"

namespace vornik::cli {

// The drawing of an icon set from files: the main picture, and pictures
// given for single sides. An SVG is drawn afresh at every side asked for (the
// sides prepared together in one rendering); a raster picture is read once,
// kept at the working size, and shrunk by area averaging, a non-square one
// centred on transparent padding. Errors name the file.
class IconSetDrawing : public IconDrawing {
public:
    IconSetDrawing(const std::string& mainPath, const std::map<int, std::string>& perSide);

    void Prepare(const std::vector<int>& sides) override;
    TQvDIB Square(int side) override;
    const Bytes* SvgText() const override;

private:
    struct Source {
        std::shared_ptr<SvgSource> svg;
        TQvDIB raster;  // 32-bit straight alpha, at most the working size
    };
    const std::string& pathFor(int side) const;
    Source& source(const std::string& path);

    std::string main_;
    std::map<int, std::string> perSide_;
    std::map<std::string, Source> sources_;
    std::map<int, TQvDIB> drawn_;
};

}  // namespace vornik::cli
