#pragma once

#include <string>
#include <vector>

#include "anim/TAniEX.h"
#include "platform/Bytes.h"

namespace vornik {

// The sizes (image widths in pixels) of a frame, in its images' order; a
// frame that is its entry alone has one. Empty for a frame without image.
std::vector<int> FrameSizes(const TAniEX& set, int frame);
// "32, 48, 64": a frame's distinct sizes, ascending.
std::string FrameSizesCaption(const TAniEX& set, int frame);
// Every size some frame of the set holds, ascending.
std::vector<int> SetSizes(const TAniEX& set);
// The width of the image a frame shows (its entry), 0 without image.
int ShownSize(const TAniEX& set, int frame);

// Folds edits of a frame's entry back into its image list, so that another
// image can be shown without losing them. The problem, or "".
std::string CommitShownImage(TAniEX& set, int frame);
// Makes every frame that holds an image of this width show (and so edit and
// play) that image; the others keep theirs. The number of frames showing it.
int ShowFrameSize(TAniEX& set, int size);

// A frame taken whole, with every size it holds.
struct FrameCopy {
    IconEntry Entry;
    FrameImageList Images;
};
FrameCopy CopyFrame(TAniEX& set, int frame);
// Puts copies in as frames before frame `before` (Count or -1: at the end);
// the steps that showed later frames follow them, and each new frame gets a
// step at the header's rate, appended. Stops with the set-full notice at
// the frame or step limit. The numbers of the new frames.
std::vector<int> InsertFrameCopies(TAniEX& set, int before, const std::vector<FrameCopy>& copies);

// A frame as a cursor file of its own, with every image it holds (the bytes
// of its "icon" chunk). Throws EVornikError for a frame without image.
Bytes FrameAsCursorFile(const TAniEX& set, int frame);

}  // namespace vornik
