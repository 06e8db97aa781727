#include "cli/SizedSources.h"

#include <fstream>
#include <set>

#include "cli/CliCommand.h"
#include "cli/PictureInput.h"
#include "imaging/AlphaSplit.h"
#include "imaging/ConvertDIBFormat.h"
#include "imaging/SvgSandbox.h"
#include "imaging/SvgSource.h"
#include "imaging/WorkingSize.h"
#include "platform/FileIO.h"

namespace vornik::cli {

std::map<int, std::string> TakeSourceOptions(std::vector<std::string>& args, int maxSide) {
    std::map<int, std::string> out;
    std::string value;
    while (TakeOption(args, "--source", value)) {
        const std::size_t eq = value.find('=');
        int side = 0;
        try {
            std::size_t used = 0;
            if (eq != std::string::npos && eq > 0) side = std::stoi(value.substr(0, eq), &used);
            if (used != eq) side = 0;
        } catch (const std::exception&) {
            side = 0;
        }
        if (side < 1 || side > maxSide || eq + 1 >= value.size())
            throw UsageError("--source needs SIDE=FILE with SIDE from 1 to " + std::to_string(maxSide) +
                             ", not \"" + value + "\"");
        if (!out.emplace(side, value.substr(eq + 1)).second)
            throw UsageError("--source " + std::to_string(side) + " is given twice");
    }
    return out;
}

namespace {

std::shared_ptr<SizedSources::Picture> fromRgba(const TQvDIB& rgba) {
    auto p = std::make_shared<SizedSources::Picture>();
    p->rgba = rgba;
    p->vector = true;
    SplitAlpha(rgba, p->image, p->mask);
    return p;
}

}  // namespace

SizedSources::SizedSources(const std::string& mainPath, const std::map<int, std::string>& perSide,
                           const std::vector<int>& sides, bool loadMainRaster) {
    // Which file serves which sides.
    std::map<std::string, std::set<int>> users;
    for (int side : sides) {
        const auto given = perSide.find(side);
        users[given == perSide.end() ? mainPath : given->second].insert(side);
    }
    users[mainPath];  // the main picture is always read, for its own size
    for (const auto& [path, served] : users) {
        if (IsSvgFile(path)) {
            auto svg = std::make_shared<SvgSource>(ReadSvgSource(path));
            std::vector<SvgBox> boxes;
            for (int side : served) boxes.push_back({side, side});
            if (path == mainPath) boxes.push_back({0, 0});
            const std::vector<TQvDIB> pictures = RenderSvg(*svg, boxes);
            std::size_t i = 0;
            for (int side : served) bySide_[side] = fromRgba(pictures[i++]);
            if (path == mainPath) {
                main_ = fromRgba(pictures[i]);
                mainSvg_ = svg;
            }
        } else {
            auto p = std::make_shared<Picture>();
            if (path != mainPath || loadMainRaster) LoadPictureViews(path, p->image, p->mask, kWorkingSide);
            for (int side : served) bySide_[side] = p;
            if (path == mainPath) main_ = p;
        }
    }
}

const SizedSources::Picture& SizedSources::For(int side) const { return *bySide_.at(side); }

TQvDIB SquareRgba(const SizedSources::Picture& picture, int side) {
    if (picture.vector && picture.rgba.Width() == side && picture.rgba.Height() == side) return picture.rgba;
    TQvDIB image = picture.image, mask = picture.mask;
    ConvertDIBFormat(image, 24, side, side, false, 1);
    ConvertDIBFormat(mask, 24, side, side, false, 0);
    return JoinAlpha(image, mask);
}

}  // namespace vornik::cli
