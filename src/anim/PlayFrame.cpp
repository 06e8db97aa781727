#include "anim/PlayFrame.h"

#include "imaging/TQvDIBCanvas.h"
#include "model/RenderEntry.h"

namespace vornik {

void DrawPlayFrame(const TAniEX& set, int frame, TQvDIB& view, RasterColor background) {
    TQvDIBCanvas canvas(view);
    canvas.FillRect(0, 0, canvas.Width(), canvas.Height(), background);
    DrawEntry(set, canvas, frame, 0);
}

}  // namespace vornik
