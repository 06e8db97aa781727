#pragma once

#include <memory>

#include "anim/TAniEX.h"
#include "imaging/TQvDIB.h"
#include "model/TIconEx.h"

namespace vornik {

// What a format yields when it is read.
enum class Yield {
    IconSet,       // ICO: a set of icon images
    CursorSet,     // CUR: a set of cursor images
    Animation,     // ANI: frames and steps
    Cursors,       // Xcursor: a cursor set, or an animation when it has frames
    Picture,       // BMP, JPEG, PNG, SVG: one picture
    ProgramIcons,  // the icon images of a program or of any file scanned for them
};

// A file read whole. kind says which one member holds the content: IconSet
// and CursorSet fill icons, Animation fills animation, Picture fills picture
// (PNG and SVG as 32 bits with alpha, other pictures at their own depth),
// ProgramIcons fills program.
struct FileContent {
    Yield kind = Yield::IconSet;
    std::unique_ptr<TIconCurEX> icons;
    std::unique_ptr<TAniEX> animation;
    std::unique_ptr<TExeEXsub> program;
    TQvDIB picture;
    // The set any of the first three hold (nullptr for a picture).
    TIconEx* Set() const {
        if (icons) return icons.get();
        if (animation) return animation.get();
        return program.get();
    }
};

}  // namespace vornik
