#include "cli/PictureInput.h"

#include <algorithm>

#include "imaging/JpegCodec.h"
#include "imaging/JpegDIB.h"
#include "imaging/PictureView.h"
#include "imaging/AlphaSplit.h"
#include "imaging/SvgSandbox.h"
#include "model/IconImageReader.h"
#include "model/PngImage.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"

namespace vornik::cli {

namespace {
constexpr std::uint64_t kMaxInputBytes = 256ull << 20;
constexpr int kMaxPngSide = 8192;
}  // namespace

void LoadPictureViews(const std::string& path, TQvDIB& imageView, TQvDIB& maskView) {
    const Bytes data = ReadFileBytes(path, kMaxInputBytes);
    TQvDIB image;
    TQvDIB mask;
    if (IsPngImage(data.data(), data.size(), 0)) {
        int w = 0, h = 0;
        Bytes bgra;
        const std::string problem = DecodePngBgra(data.data(), data.size(), kMaxPngSide, &w, &h, bgra);
        if (!problem.empty()) throw EVornikError("\"" + path + "\": " + problem);
        image.CreateDIB(w, -h, 0, 24);
        mask.CreateDIB(w, -h, 0, 24);
        for (int y = 0; y < h; ++y) {
            std::uint8_t* ir = image.MutableScanLine(y);
            std::uint8_t* mr = mask.MutableScanLine(y);
            const std::uint8_t* in = bgra.data() + static_cast<std::size_t>(y) * w * 4;
            for (int x = 0; x < w; ++x) {
                std::copy_n(in + 4 * x, 3, ir + 3 * x);
                std::fill_n(mr + 3 * x, 3, in[4 * x + 3] == 0 ? 255 : 0);
            }
        }
    } else if (LooksLikeSvg(data)) {
        SplitAlpha(RenderSvg(MakeSvgSource(data, path), SvgBox{}), image, mask);
    } else {
        if (LooksLikeJpeg(data.data(), data.size()))
            LoadJpegIntoDIB(data.data(), data.size(), image);
        else if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M')
            image.LoadFromBytes(data);
        else
            throw EVornikError("\"" + path + "\" is not a BMP, JPEG, PNG or SVG picture");
        mask.CreateDIB(image.Width(), image.Height(), 0, 24);  // all black: opaque
    }
    DIBToView(image, imageView);
    DIBToView(mask, maskView);
}

}  // namespace vornik::cli
