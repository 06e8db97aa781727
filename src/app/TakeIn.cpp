#include "app/TakeIn.h"

#include "app/EditActions.h"
#include "imaging/AlphaMask.h"
#include "imaging/ConvertDIBFormat.h"
#include "imaging/PictureView.h"

namespace vornik {

void TakeInBitmap(MainState& s) {
    EditState& e = s.edit;
    const int side = SizeOfIndex(e.cmbsize);
    TQvDIB source;
    if (e.imgbmp) {
        source = *e.imgbmp;
    } else {
        source.CreateDIB(side, side, 0, 24);  // an empty page gives a square all the same
    }
    if (e.target == ResourceTarget::View) {
        TQvDIB mask;
        mask.CreateDIB(side, side, 0, 24);  // zero-filled: all black, fully opaque
        e.imgand = mask;
    }
    if (e.target == ResourceTarget::View || e.target == ResourceTarget::Image) {
        TQvDIB image;
        CopyBitmapRect(DrawableSource(source), image, e.spebx, e.speby, side, side);
        e.imgxor = image;
        // A square of a picture with alpha brings its own mask.
        if (e.target == ResourceTarget::View && AlphaInUse(image)) e.imgand = MaskFromAlpha(image);
    } else {
        TQvDIB mask;
        CopyBitmapRect(DrawableSource(source), mask, e.spebx, e.speby, side, side);
        mask.ConvertToMono();
        mask.ConvertToTrueColor();
        e.imgand = mask;
    }
    if (e.imgxor) SyncSelectorsFromImage(e, *e.imgxor);
    e.cmbtype = kTypeBitmap;
}

}  // namespace vornik
