#include "imaging/ConvertDIBFormat.h"

#include "imaging/AlphaMask.h"
#include "imaging/AlphaPlanes.h"
#include "imaging/AlphaSplit.h"
#include "imaging/ExactPalette.h"
#include "imaging/ScaleArea.h"
#include "imaging/TQvDIBCanvas.h"

namespace vornik {

StretchMode StretchModeOfSetting(int stretchbltmode) {
    return stretchbltmode == 1 || stretchbltmode == 2 ? StretchMode::Halftone : StretchMode::ColorOnColor;
}

void ConvertDIBFormat(TQvDIB& dib, int target, int width, int height, bool fixedPalette, int stretchbltmode) {
    // A picture that already fits the table keeps exactly its colours (the
    // fixed palette is a request to snap, so it always reduces).
    const bool exact = target != dib.GetBitCount() && (target == 8 || (target == 4 && !fixedPalette)) &&
                       ReduceToOwnColours(dib, target);
    if (!exact && target != dib.GetBitCount()) {
        switch (target) {
            case 1: dib.ConvertToMono(); break;
            case 4:
                if (fixedPalette)
                    dib.ConvertTo16FixedColors();
                else
                    dib.ConvertTo16Colors();
                break;
            case 8: dib.ConvertTo256Colors(); break;
            // 24 asked for by name drops an alpha channel; 0, 15, 16, 32 keep a 32-bit picture.
            case 24: dib = ToTwentyFourBits(dib.IsCompressed() ? Decompressed(dib) : dib); [[fallthrough]];
            default:
                if (!HasAlphaChannel(dib)) dib.ConvertToTrueColor();
                break;
        }
    }
    if (dib.Width() == width && dib.Height() == height) return;
    if (HasAlphaChannel(dib)) {
        // The raster engine works on colours without alpha.
        const TQvDIB scaled = StretchModeOfSetting(stretchbltmode) == StretchMode::Halftone
                                  ? ScaleArea(dib, width, height)
                                  : ScaleNearest(dib, width, height);
        dib.Assign(&scaled);
        return;
    }

    const TQvDIB source = DrawableSource(dib);
    TQvDIB scaled;
    scaled.CreateDIB(width, height, 0, source.GetBitCount());
    scaled.SetColorTable(source.ColorTable(), source.ColorCount());
    {
        TQvDIBCanvas canvas(scaled);
        canvas.SetStretchBltMode(StretchModeOfSetting(stretchbltmode));
        canvas.StretchBlt(0, 0, width, height, source, 0, 0, source.Width(), source.Height());
    }
    dib.Assign(&scaled);
}

int SizeIndexToPixels(int index) {
    switch (index) {
        case 1: return 16;
        case 2: return 32;
        case 3: return 48;
        case 4: return 64;
        case 5: return 128;
        case 6: return 256;
        case 7: return 20;
        case 8: return 24;
        case 9: return 40;
        case 10: return 96;
        default: return 32;
    }
}

int ColorIndexToTarget(int index) {
    switch (index) {
        case 0: return 1;
        case 1: return 4;
        case 2: return 8;
        case 3: return 0;
        case 4: return 32;
        default: return 4;
    }
}

int BitCountToColorIndex(int bitCount) {
    switch (bitCount) {
        case 1: return 0;
        case 8: return 2;
        case 0:
        case 15:
        case 16:
        case 24:
        case 32: return 3;
        default: return 1;
    }
}

int PixelFormatBitCount(PixelFormat format) {
    switch (format) {
        case PixelFormat::Bits1: return 1;
        case PixelFormat::Bits4: return 4;
        case PixelFormat::Bits8: return 8;
        case PixelFormat::Bits15: return 15;
        case PixelFormat::Bits16: return 16;
        case PixelFormat::Bits24: return 24;
        case PixelFormat::Bits32: return 32;
        case PixelFormat::Device:
        case PixelFormat::Custom: break;
    }
    return 24;
}

void CopyBitmapRect(const TQvDIB& source, TQvDIB& target, int left, int top, int width, int height) {
    if (HasAlphaChannel(source)) {
        // Alpha comes along; what lies beyond the picture is transparent.
        TQvDIB copy = source;
        KeepingAlpha(copy, false, [&](TQvDIB& plane, bool) {
            TQvDIB rect;
            CopyBitmapRect(plane, rect, left, top, width, height);
            plane = rect;
        });
        target = copy;
        return;
    }
    const TQvDIB from = DrawableSource(source);
    TQvDIB rect;
    rect.CreateDIB(width, height, 0, from.GetBitCount());
    rect.SetColorTable(from.ColorTable(), from.ColorCount());
    {
        TQvDIBCanvas canvas(rect);
        canvas.BitBlt(0, 0, width, height, from, left, top, RasterOp::SrcCopy);
    }
    target = rect;
}

TQvDIB AlphaFormat(const TQvDIB& image, const TQvDIB& mask, int side, int stretchbltmode) {
    // The mask's transparent pixels become alpha 0, a picture's own alpha is
    // kept, and the alpha is scaled with the colour. A 32-bit picture whose
    // alpha is 0 everywhere goes by its mask alone.
    // A picture drawn by alpha is scaled as it is: its mask is derived from
    // that alpha (an entry's may be coarser), and cutting by it would drop the
    // faint pixels of soft edges.
    const TQvDIB rgba = AlphaInUse(image) ? TQvDIB(image) : WithAlphaFromMask(ToTwentyFourBits(image), mask);
    return stretchbltmode == 0 ? ScaleNearest(rgba, side, side) : ScaleArea(rgba, side, side);
}

void ConvertViews(PictureView& maskView, PictureView& imageView, int sizeIndex, int colorIndex, bool fixedPalette,
                  int stretchbltmode) {
    const int size = SizeIndexToPixels(sizeIndex);
    if (ColorIndexToTarget(colorIndex) == 32) {
        TQvDIB own = imageView;
        if (own.Width() == maskView.Width() && own.Height() == maskView.Height())
            StoreAlphaFromMask(own, maskView);  // mask edits made in the views count
        const TQvDIB rgba = AlphaFormat(own, ViewToDIB(maskView), size, stretchbltmode);
        TQvDIB image, mask;
        SplitAlpha(rgba, image, mask);
        DIBToView(mask, maskView);
        imageView = rgba;
        return;
    }
    TQvDIB mask = ViewToDIB(maskView);
    // The image leaves its view without alpha: pixels below half coverage
    // join the mask's transparent ones and turn black.
    const bool alphaToMask = HasAlphaChannel(imageView) && imageView.Width() == mask.Width() &&
                             imageView.Height() == mask.Height();
    if (alphaToMask) FoldAlphaIntoMask(imageView, mask);
    ConvertDIBFormat(mask, 24, size, size, fixedPalette, stretchbltmode);
    TQvDIB image = alphaToMask ? FlattenAlpha(imageView) : ViewToDIB(imageView);
    ConvertDIBFormat(image, ColorIndexToTarget(colorIndex), size, size, fixedPalette, stretchbltmode);
    DIBToView(mask, maskView);
    DIBToView(image, imageView);
}

}  // namespace vornik
