#include "anim/GenerateEffect.h"

#include <algorithm>

namespace vornik {

bool RunAniEffect(std::unique_ptr<TAniEX>& aniSet, int defrate, const PictureView& imageView,
                  const PictureView& maskView, int stretchbltmode, const AniEffectChoice& choice,
                  const GenerateStatus& status, const std::optional<PixelPoint>& hotSpot) {
    if (!choice.ok) return false;
    if (!aniSet) aniSet = std::make_unique<TAniEX>(static_cast<std::uint32_t>(std::max(defrate, 0)));
    const int value = std::max(choice.value, 1);
    switch (choice.tab) {
        case AniEffectTab::Rotation:
            GenerateRotation(*aniSet, imageView, maskView, value, choice.radioIndex, stretchbltmode, status, hotSpot);
            break;
        case AniEffectTab::Zoom:
            GenerateZoom(*aniSet, imageView, maskView, value, choice.radioIndex, stretchbltmode, status, hotSpot);
            break;
        case AniEffectTab::Move:
            GenerateMove(*aniSet, imageView, maskView, value, choice.radioIndex, status, hotSpot);
            break;
    }
    if (status) status(GenerationDoneText());
    return true;
}

}  // namespace vornik
