#include "imaging/WorkingSize.h"

#include <algorithm>

#include "imaging/ConvertDIBFormat.h"
#include "imaging/PictureView.h"
#include "imaging/TQvDIBCanvas.h"

namespace vornik {

TQvDIB ShrunkToWorkingSize(const TQvDIB& dib, int stretchbltmode, int maxSide) {
    const int w = dib.Width(), h = dib.Height();
    if (w <= maxSide && h <= maxSide) return dib;
    const TQvDIB source = DrawableSource(dib);
    TQvDIB small;
    small.CreateDIB(std::min(w, maxSide), std::min(h, maxSide), 0, 24);
    TQvDIBCanvas canvas(small);
    canvas.SetStretchBltMode(StretchModeOfSetting(stretchbltmode));
    canvas.StretchBlt(0, 0, small.Width(), small.Height(), source, 0, 0, w, h);
    return small;
}

}  // namespace vornik
