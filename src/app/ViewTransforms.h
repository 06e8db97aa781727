#pragma once

#include "app/EditState.h"

namespace vornik {

// The transform commands of the editing panel.
enum class ViewTransform { Mirror, Flip, QuarterRight, QuarterLeft, Half, Angle };

// Runs the transform on the views the resource target selects (both, image
// or mask; nothing without both views). A 32-bit image keeps its alpha. A
// cursor's hot spot moves with the image whenever the image view is turned.
// angle and left are the rotation dialog's values (ViewTransform::Angle only;
// nothing at angle 0).
void TransformViews(EditState& edit, ViewTransform kind, int angle = 0, bool left = false);

}  // namespace vornik
