#include "formats/PictureRead.h"

#include <algorithm>

#include "imaging/BmpAlpha.h"
#include "imaging/JpegCodec.h"
#include "imaging/QvDIBErrors.h"
#include "imaging/RleDecoder.h"
#include "imaging/TQvClipboard.h"
#include "imaging/JpegDIB.h"
#include "imaging/JpegOrientation.h"
#include "imaging/SvgSandbox.h"
#include "imaging/SvgSource.h"
#include "formats/FormatRegistry.h"
#include "model/IconImageReader.h"
#include "model/PngImage.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"

namespace vornik {

namespace {

constexpr std::uint64_t kMaxPictureFileBytes = 256ull << 20;
constexpr int kMaxPngSide = 8192;

// Rows an RLE picture's data never reaches; damaged runs raise EQvDIBInvalidDIB.
int rleRowsMissing(const TQvDIB& dib) {
    static const RleMessages kMessages = {{"bad end of line", "bad delta", "bad absolute run", "bad encoded run",
                                           "bad end of line", "bad delta", "bad absolute run", "bad encoded run"}};
    return DecodeRle(dib.Pixels(), static_cast<std::size_t>(std::max(dib.DataSize(), 0)), dib.GetBitCount(),
                     dib.Width(), dib.Height(), nullptr, 0, kMessages);
}

ReadResult<TQvDIB> readPng(const Bytes& data) {
    int w = 0, h = 0;
    Bytes bgra;
    const std::string problem = DecodePngBgra(data.data(), data.size(), kMaxPngSide, &w, &h, bgra);
    if (!problem.empty()) return ReadResult<TQvDIB>::Refuse(RefusalCode::Damaged, {}, problem);
    ReadResult<TQvDIB> r;
    r.value.CreateDIB(w, h, 0, 32);
    const std::size_t row = static_cast<std::size_t>(w) * 4;
    for (int y = 0; y < h; ++y)
        std::copy_n(bgra.data() + static_cast<std::size_t>(y) * row, row, r.value.MutableScanLine(h - 1 - y));
    return r;
}

}  // namespace

ReadResult<TQvDIB> ReadPicture(const std::string& path) {
    using R = ReadResult<TQvDIB>;
    if (!FileExists(path)) return R::Refuse(RefusalCode::FileMissing);
    try {
        if (FileSizeOf(path) > kMaxPictureFileBytes) return R::Refuse(RefusalCode::TooLarge);
        const Bytes data = ReadFileBytes(path, kMaxPictureFileBytes);
        // The registry's content tests tell the kinds apart; each reader's own checks decide.
        const FormatHead head{data.data(), std::min(data.size(), kFormatHeadSize), data.size()};
        const FileFormat& format = DetectFormat(head, path);
        const bool contentMatches = format.matches && format.matches(head);
        // Named as a picture without its content: only the bitmap codec, which
        // also reads what the content test is strict about, gets to look.
        if (!contentMatches && format.name != "BMP") return R::Refuse(RefusalCode::NotThisFormat);
        R r;
        if (format.name == "PNG") {
            return readPng(data);
        } else if (format.name == "JPEG") {
            LoadJpegIntoDIB(data.data(), data.size(), r.value);
            r.value = ApplyExifOrientation(r.value, JpegExifOrientation(data.data(), data.size()));
        } else if (format.name == "BMP") {
            if (!contentMatches && LowerExtension(path) == ".dib" && data.size() >= 4 &&
                ReadU32LE(data.data()) >= 40 && ReadU32LE(data.data()) <= 124) {
                // A .dib may be a packed DIB as the clipboard holds it: no file header.
                if (std::optional<TQvDIB> withAlpha = DecodeBmpAlpha(data, true))
                    r.value = *withAlpha;  // shares the pixels
                else
                    r.value.LoadFromClipboardFormat(CF_DIB, &data, nullptr);
            } else if (std::optional<TQvDIB> withAlpha = DecodeBmpAlpha(data, false)) {
                // A 32-bit picture with alpha keeps it; the DIB reader would drop it.
                r.value = *withAlpha;  // shares the pixels
            } else {
                r.value.LoadFromBytes(data);
            }
        } else if (format.name == "SVG") {
            r.value = RenderSvg(MakeSvgSource(data, path), SvgBox{});
        } else {
            return R::Refuse(RefusalCode::NotThisFormat);
        }
        // RLE8 and RLE4 stay compressed and are checked here; RLE24 is
        // decoded while it is read and says what it missed.
        const bool rle = r.value.Compression() == 1 || r.value.Compression() == 2;
        const int missing = rle ? rleRowsMissing(r.value) : r.value.RowsNotReached();
        // Rows are stored from the bottom: the missing ones are at the top.
        if (missing > 0)
            r.losses.push_back({LossCode::RowsMissing,
                                missing == 1 ? "row 1 from the top"
                                             : "rows 1-" + std::to_string(missing) + " from the top",
                                static_cast<std::uint64_t>(missing), {}});
        return r;
    } catch (const EEndOfFile& e) {
        return R::Refuse(RefusalCode::EndsEarly, {}, e.what());
    } catch (const EInOutError& e) {
        return R::Refuse(RefusalCode::CannotRead, {}, e.what());
    } catch (const std::bad_alloc&) {
        return R::Refuse(RefusalCode::TooLarge);
    } catch (const EQvDIBInvalidDIB&) {
        return R::Refuse(RefusalCode::Damaged);  // the codec's words name its routines
    } catch (const EQvDIBInvalidDIBFile&) {
        // No "BM": a file named as a bitmap that is none.
        return R::Refuse(RefusalCode::NotThisFormat);
    } catch (const EQvDIBInvalidDIBPara&) {
        return R::Refuse(RefusalCode::Damaged);
    } catch (const EQvDIBInvalidPalette&) {
        return R::Refuse(RefusalCode::Damaged);
    } catch (const std::exception& e) {
        return R::Refuse(RefusalCode::Damaged, {}, e.what());
    }
}

}  // namespace vornik
