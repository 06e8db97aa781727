#include "cli/PictureInput.h"

#include <algorithm>

#include "imaging/AlphaMask.h"
#include "imaging/AlphaSplit.h"
#include "imaging/JpegCodec.h"
#include "imaging/JpegDIB.h"
#include "imaging/JpegOrientation.h"
#include "imaging/PictureRgba.h"
#include "imaging/PictureView.h"
#include "imaging/SvgSandbox.h"
#include "cli/IcnsDocument.h"
#include "model/IcnsFile.h"
#include "model/IconImageReader.h"
#include "model/PngImage.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"

namespace vornik::cli {

namespace {
constexpr std::uint64_t kMaxInputBytes = 256ull << 20;
constexpr int kMaxPngSide = 8192;

TQvDIB opaque32(const TQvDIB& image) {
    TQvDIB black;
    black.CreateDIB(image.Width(), image.Height(), 0, 24);
    return WithAlphaFromMask(image, black);
}

// The picture at its own depth: 32 bits with alpha for a PNG or an SVG.
TQvDIB loadPicture(const std::string& path) {
    const Bytes data = ReadFileBytes(path, kMaxInputBytes);
    if (IsIcnsData(data.data(), data.size())) return LargestIcnsPicture(path);
    if (IsPngImage(data.data(), data.size(), 0)) {
        int w = 0, h = 0;
        Bytes bgra;
        const std::string problem = DecodePngBgra(data.data(), data.size(), kMaxPngSide, &w, &h, bgra);
        if (!problem.empty()) throw EVornikError("\"" + path + "\": " + problem);
        TQvDIB image;
        image.CreateDIB(w, h, 0, 32);
        const std::size_t row = static_cast<std::size_t>(w) * 4;
        for (int y = 0; y < h; ++y)
            std::copy_n(bgra.data() + static_cast<std::size_t>(y) * row, row, image.MutableScanLine(h - 1 - y));
        return image;
    }
    TQvDIB image;
    if (LooksLikeJpeg(data.data(), data.size())) {
        LoadJpegIntoDIB(data.data(), data.size(), image);
        image = ApplyExifOrientation(image, JpegExifOrientation(data.data(), data.size()));
    } else if (LooksLikeSvg(data)) {
        // drawn at its own size, 32 bits with straight alpha
        image = RenderSvg(MakeSvgSource(data, path), SvgBox{});
    } else if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M') {
        image.LoadFromBytes(data);
    } else {
        throw EVornikError("\"" + path + "\" is not a BMP, JPEG, PNG or SVG picture");
    }
    return image;
}

}  // namespace

TQvDIB LoadPicture(const std::string& path) { return loadPicture(path); }

TQvDIB LoadPictureWithAlpha(const std::string& path) {
    const TQvDIB picture = loadPicture(path);
    return HasAlphaChannel(picture) ? picture : opaque32(picture);
}

void LoadPictureViews(const std::string& path, TQvDIB& imageView, TQvDIB& maskView, int maxSide) {
    const TQvDIB picture = loadPicture(path);
    if (maxSide > 0 && std::max(picture.Width(), picture.Height()) > maxSide) {
        PictureRgbaOptions shrink;
        shrink.maxSide = maxSide;
        SplitAlpha(PictureRgba(picture, shrink), imageView, maskView);
        return;
    }
    TQvDIB mask;
    mask.CreateDIB(picture.Width(), picture.Height(), 0, 24);  // all black: opaque
    FoldAlphaIntoMask(picture, mask);
    DIBToView(FlattenAlpha(picture), imageView);
    DIBToView(mask, maskView);
}

}  // namespace vornik::cli
