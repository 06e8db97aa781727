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
#include "cli/ReadNotes.h"
#include "cli/StdStreams.h"
#include "formats/PictureRead.h"
#include "model/IcnsFile.h"
#include "model/IconImageReader.h"
#include "model/PngImage.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"

namespace vornik::cli {

namespace {
constexpr std::uint64_t kMaxInputBytes = 256ull << 20;

TQvDIB opaque32(const TQvDIB& image) {
    TQvDIB black;
    black.CreateDIB(image.Width(), image.Height(), 0, 24);
    return WithAlphaFromMask(image, black);
}

[[noreturn]] TQvDIB refuseNotPicture(const std::string& path) {
    throw EVornikError("\"" + ShownFileName(path) + "\" is not a BMP, JPEG, PNG or SVG picture");
}

// The picture at its own depth: 32 bits with alpha for a PNG or an SVG.
TQvDIB loadPicture(const std::string& path) {
    const Bytes data = ReadFileBytes(path, kMaxInputBytes);
    if (IsIcnsData(data.data(), data.size())) return LargestIcnsPicture(path);
    // The editor's picture reader: the same pictures read, the same refused.
    ReadResult<TQvDIB> r = ReadPicture(path);
    if (r.refused) {
        Refusal why = r.refusal;
        if (why.code == RefusalCode::NotThisFormat) return refuseNotPicture(path);
        throw EVornikError("\"" + ShownFileName(path) + "\": " + EnglishRefusal(why));
    }
    ReportLosses(path, r.losses);
    return r.value;
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
