#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/IconEntry.h"
#include "platform/Bytes.h"

namespace vornik {

// One image of a frame's "icon" chunk, kept in the byte form of the file.
struct FrameImage {
    // Its 16-byte directory entry as read (width, height, colour count,
    // reserved, hot spot); ImageSize and ImageOffset are recomputed on writing.
    std::array<std::uint8_t, IconEntry::kDirectorySize> Directory{};
    // The image block as in the file: a bitmap header with doubled height,
    // colour table, XOR and AND rows; or a PNG stream.
    Bytes Data;
    // As decoded, for listings: real sides (256 and more included) and bits per pixel.
    int Width = 0;
    int Height = 0;
    int BitCount = 0;

    std::uint16_t HotSpotX() const { return ReadU16LE(Directory.data() + 4); }
    std::uint16_t HotSpotY() const { return ReadU16LE(Directory.data() + 6); }
};

// Every image of one animation frame. Modern cursor packs put several sizes
// of the same picture into each frame; all of them are kept and written back
// in their order. The image at Shown is also decoded into the frame's entry:
// it is the one the editor shows, plays and edits.
struct FrameImageList {
    std::vector<FrameImage> Images;  // in chunk order; empty: the frame is its entry alone
    int Shown = 0;

    // The shown image's entry blocks as decoded. While the entry still holds
    // exactly these, Images[Shown] is written back byte for byte; once the
    // entry is edited, the entry's own form takes its place (and only its).
    Bytes ShownInfoHeader;
    Bytes ShownXorBits;
    Bytes ShownAndBits;

    bool HoldsImages() const { return !Images.empty() && Shown >= 0 && Shown < static_cast<int>(Images.size()); }
    bool ShownUnchanged(const IconEntry& entry) const {
        return entry.InfoHeader == ShownInfoHeader && entry.XorBits == ShownXorBits &&
               entry.AndBits == ShownAndBits;
    }
    // Records the entry's blocks as those of the shown image.
    void RememberShown(const IconEntry& entry) {
        ShownInfoHeader = entry.InfoHeader;
        ShownXorBits = entry.XorBits;
        ShownAndBits = entry.AndBits;
    }
};

// The image the editor shows of a frame: the one whose width is nearest to
// 32 pixels, the first of equals (so a one-image frame shows its image).
int NearestTo32(const std::vector<FrameImage>& images);

// An entry's image block in the byte form of a cursor file: its header with
// the height doubled, the colour table its colour count states (never more
// than the block holds), XOR and AND rows (zero-filled where a block is
// short). The problem in a few words when the entry holds no image.
std::string EntryImageBlock(const IconEntry& entry, Bytes& block);

// A frame image made from an entry: its directory fields and its block as
// EntryImageBlock gives it; the sizes from its header.
std::string MakeFrameImage(const IconEntry& entry, FrameImage& image);

}  // namespace vornik
