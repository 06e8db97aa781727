#pragma once

#include <cstdint>

#include "imaging/TQvDIB.h"

namespace vornik {

// Picture operations of the icon sets. Pictures are 32-bit with straight
// alpha; results have their rows bottom-up.

// A colour as red, green, blue in 0xRRGGBB.
using Rgb = std::uint32_t;

// The picture with its rows bottom-up (a copy only when they are not).
TQvDIB BottomUp(const TQvDIB& picture);

// How far the drawing reaches from the picture's centre: the largest
// distance of a corner of any pixel that is not fully transparent, as a
// fraction of the side (0.5 for a drawing that touches the middle of an
// edge, about 0.707 for one that fills the corners). 0 for a blank picture.
double ContentRadius(const TQvDIB& picture);

// The side to draw the picture at so that, centred on a canvas, its content
// stays within `radius` pixels of the canvas's centre. At most canvasSide.
int InsetSide(double contentRadius, double radius, int canvasSide);

// The picture centred on a transparent side x side canvas.
TQvDIB Centred(const TQvDIB& picture, int side);

// The picture over an opaque colour: every pixel fully opaque.
TQvDIB OverColour(const TQvDIB& picture, Rgb colour);

// The picture over a disc of the colour filling the square (its edge
// anti-aliased), transparent outside the disc.
TQvDIB OverDisc(const TQvDIB& picture, Rgb colour);

}  // namespace vornik
