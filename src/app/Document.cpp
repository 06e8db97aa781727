#include "app/Document.h"

#include "app/EditState.h"

namespace vornik {

TIconEx* Document::ShownSet() const {
    if (ExeShown) return ExeSet.get();
    return IconSet.get();
}

TIconEx* Document::ImportSet() const {
    switch (ImportKind) {
        case 0:
        case 1:
            return ImportIconSet.get();
        case 2:
            return ImportAniSet.get();
        default:
            return ImportExeSet.get();
    }
}

const std::string& Document::FileNameOfPage(int page) const {
    if (page == kAnimationPage) return AniFileName;
    if (page == kBitmapPage) return BitmapFileName;
    return ExeShown ? ExeFileName : IconFileName;
}

}  // namespace vornik
