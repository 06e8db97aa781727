#pragma once

#include <memory>

#include "anim/GenerateFrames.h"
#include "anim/TAniEX.h"
#include "imaging/PictureView.h"

namespace vornik {

// Tabs of the effect dialog TfrmaniEft, in their order.
enum class AniEffectTab : int { Rotation = 0, Zoom = 1, Move = 2 };

// What the effect dialog answered: OK or not, the active tab, that tab's
// radio index and the value of its parameter field (serot, sezoom, semove).
struct AniEffectChoice {
    bool ok = false;
    AniEffectTab tab = AniEffectTab::Rotation;
    int radioIndex = 0;
    int value = 1;
};

// The btnanieft button, after the dialog closed: on anything but OK nothing changes
// and false is returned. Otherwise creates aniSet when there is none (with
// the "defrate" setting), runs the generator of the active tab, and reports
// GenerationDoneText through status, also when nothing could be generated.
// Returns true: the caller refreshes the animation tab. A field value below 1
// is raised to 1 (the field's minimum).
bool RunAniEffect(std::unique_ptr<TAniEX>& aniSet, int defrate, const PictureView& imageView,
                  const PictureView& maskView, int stretchbltmode, const AniEffectChoice& choice,
                  const GenerateStatus& status = {}, const std::optional<PixelPoint>& hotSpot = std::nullopt);

}  // namespace vornik
