#include "cli/IconSetDrawing.h"

#include <algorithm>
#include <fstream>
#include <set>

#include "cli/PictureInput.h"
#include "imaging/PictureRgba.h"
#include "imaging/ScaleArea.h"
#include "imaging/SvgSandbox.h"
#include "imaging/SvgSource.h"
#include "imaging/WorkingSize.h"
#include "platform/FileIO.h"

namespace vornik::cli {

namespace {

// Fitted inside side x side keeping the aspect ratio, centred.
TQvDIB fitted(const TQvDIB& picture, int side) {
    const int w = picture.Width(), h = picture.Height();
    int fw = side, fh = side;
    if (w > h) fh = std::max(1, static_cast<int>((static_cast<long long>(h) * side + w / 2) / w));
    if (h > w) fw = std::max(1, static_cast<int>((static_cast<long long>(w) * side + h / 2) / h));
    const TQvDIB scaled = ScaleArea(picture, fw, fh);
    return fw == side && fh == side ? scaled : Centred(scaled, side);
}

}  // namespace

IconSetDrawing::IconSetDrawing(const std::string& mainPath, const std::map<int, std::string>& perSide)
    : main_(mainPath), perSide_(perSide) {
    source(main_);  // refused at once when it is not a picture
    for (const auto& [side, path] : perSide_) source(path);
}

const std::string& IconSetDrawing::pathFor(int side) const {
    const auto given = perSide_.find(side);
    return given == perSide_.end() ? main_ : given->second;
}

IconSetDrawing::Source& IconSetDrawing::source(const std::string& path) {
    const auto found = sources_.find(path);
    if (found != sources_.end()) return found->second;
    Source s;
    if (IsSvgFile(path)) {
        s.svg = std::make_shared<SvgSource>(ReadSvgSource(path));
        RenderSvg(*s.svg, SvgBox{16, 16});  // a document librsvg refuses is refused here, by name
    } else {
        PictureRgbaOptions working;
        working.maxSide = kWorkingSide;
        s.raster = PictureRgba(LoadPicture(path), working);
    }
    return sources_.emplace(path, std::move(s)).first->second;
}

void IconSetDrawing::Prepare(const std::vector<int>& sides) {
    std::map<std::string, std::vector<int>> wanted;
    for (int side : sides)
        if (!drawn_.count(side) && source(pathFor(side)).svg) wanted[pathFor(side)].push_back(side);
    for (const auto& [path, list] : wanted) {
        std::vector<SvgBox> boxes;
        for (int side : list) boxes.push_back({side, side});
        const std::vector<TQvDIB> pictures = RenderSvg(*source(path).svg, boxes);
        for (std::size_t i = 0; i < list.size(); ++i) drawn_[list[i]] = pictures[i];
    }
}

TQvDIB IconSetDrawing::Square(int side) {
    const auto done = drawn_.find(side);
    if (done != drawn_.end()) return done->second;
    Source& s = source(pathFor(side));
    const TQvDIB picture = s.svg ? RenderSvg(*s.svg, SvgBox{side, side}) : fitted(s.raster, side);
    drawn_[side] = picture;
    return picture;
}

const Bytes* IconSetDrawing::SvgText() const {
    const auto found = sources_.find(main_);
    return found != sources_.end() && found->second.svg ? &found->second.svg->text : nullptr;
}

}  // namespace vornik::cli
