#pragma once

namespace vornik {

// Raises Qt's image allocation limit (128 MB by default) to what our own
// pictures may hold: any DIB we accept (up to TQvInternalDIB::kMaxPixels) must
// reach the views, which decode it through QImageReader at 32 bits a pixel.
// Without this a picture above about 5792 x 5792 shows as an empty page.
void AllowPicturesUpToOurBudget();

}  // namespace vornik
