#include "app/ImageIntake.h"

#include "imaging/AlphaMask.h"
#include "imaging/PictureView.h"

namespace vornik {

void PictureIntoImageView(EditState& e, const TQvDIB& picture) {
    if (AlphaInUse(picture)) {
        e.imgxor = picture;
        e.imgand = MaskFromAlpha(picture);
        return;
    }
    PictureView view;
    DIBToView(picture, view);
    e.imgxor = view;
}

}  // namespace vornik
