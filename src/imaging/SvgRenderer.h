#pragma once

#include <vector>

#include "imaging/SvgSource.h"
#include "imaging/TQvDIB.h"

namespace vornik {

// Where one rendering goes: the document is scaled, keeping its aspect ratio,
// to fit width x height, centred, with transparent padding. 0 x 0 asks for the
// document's own size (its width and height at 96 dpi, rounded up). N x 0
// makes the document's longer side N pixels and the other in proportion
// (rounded, at least 1), with no padding.
struct SvgBox {
    int width = 0;
    int height = 0;
};

// The extent of the document's own coordinates (user units): its viewBox when
// it has one, else its width and height in pixels at 96 dpi.
struct SvgUserSize {
    double width = 0;
    double height = 0;
};

// Largest side of any rendering, and of a document's own size.
constexpr int kMaxSvgSide = 4096;
// A document declaring a side beyond this many pixels is refused as absurd.
constexpr double kMaxSvgDeclaredSide = 1e6;

// Renders the document once per box, straight from the vector data (never by
// scaling one raster), into 32-bit top-down DIBs with straight (not
// premultiplied) alpha, as librsvg draws them. Runs in this process without
// limits; use RenderSvg (SvgSandbox.h) for files from outside.
// EVornikError naming the file when librsvg refuses the document or it has no
// usable size; EQvDIBInvalidDIBPara for a box side outside 0..kMaxSvgSide.
// userSize, when given, receives the document's user-unit extent.
std::vector<TQvDIB> RenderSvgHere(const SvgSource& source, const std::vector<SvgBox>& boxes,
                                  SvgUserSize* userSize = nullptr);

}  // namespace vornik
