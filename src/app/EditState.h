#pragma once

#include <optional>
#include <string>

#include "imaging/TQvDIB.h"
#include "platform/Message.h"

namespace vornik {

// What the resource-select buttons sbview / sbxor / sband say later commands
// work on.
enum class ResourceTarget { View = 0, Image = 1, Mask = 2 };

// Pages of PageControl1.
enum Page { kIconPage = 0, kAnimationPage = 1, kBitmapPage = 2 };

// Selector values, in item order.
enum CmbType { kTypeIcon = 0, kTypeCursor = 1, kTypeBitmap = 2 };

inline constexpr int kHotSpotMin = 0;
inline constexpr int kHotSpotMax = 127;

// The editing state of the main window. The controls are the state: each
// field carries the control's name and holds what the control shows.
struct EditState {
    int PageControl1 = kIconPage;
    int cmbtype = kTypeIcon;  // 0 "Icon", 1 "Cursor", 2 "Bitmap"
    int cmbsize = 2;          // 0 "Any", 1 " 16x 16" ... 6 " 256x256", 7..10 20, 24, 40, 96
    int cmbcolor = 1;         // 0 "   2 color", 1 "  16 color", 2 " 256 color", 3 "True color", 4 32 bits with alpha
    int spex = 0;             // hot spot, 0..127
    int spey = 0;
    int spebx = 0;  // bitmap take-in position, unbounded
    int speby = 0;
    ResourceTarget target = ResourceTarget::View;
    int LVIconStyle = 0;  // 0 large icons, 1 small icons, 2 list, 3 details

    // The views; empty until something is loaded. A view's size is its picture's.
    std::optional<TQvDIB> imgxor;  // image of the entry under edit
    std::optional<TQvDIB> imgand;  // mask: pure white (transparent) / pure black, true colour
    std::optional<TQvDIB> imgbmp;  // the Bitmap page's picture

    // The selection frame Shape1 on the Bitmap page, in picture pixels.
    int Shape1Left = 0;
    int Shape1Top = 0;
    int Shape1Width = 32;
    int Shape1Height = 32;
};

// Item texts of the selectors. Items are only ever appended: settings and
// other callers keep the indices of the older ones.
inline constexpr const char* kCmbTypeItems[3] = {"Icon", "Cursor", "Bitmap"};
inline constexpr const char* kCmbSizeItems[11] = {"Any",     " 16x 16", " 32x 32", " 48x 48",  " 64x 64", "128x128",
                                                  " 256x256", " 20x 20", " 24x 24", " 40x 40", " 96x 96"};
inline constexpr const char* kCmbColorItems[5] = {"   2 color", "  16 color", " 256 color", "True color",
                                                  VORNIK_TRANSLATE_NOOP("EditState", "32 bit (alpha)")};
inline constexpr int kColorAlpha = 4;  // the 32-bit depth with alpha

// Size index to pixels: 1..6 -> 16, 32, 48, 64, 128, 256, 7..10 -> 20, 24,
// 40, 96 (appended later, so stored indices keep their sizes); "Any" (and
// anything else) -> 32. IndexOfSize is the reverse (0 for an unlisted side).
int SizeOfIndex(int cmbsize);
int IndexOfSize(int side);
inline constexpr int kCmbSizeCount = 11;
// The selector shows its items by size ("Any", 16, 20, 24, 32, 40, 48, 64,
// 96, 128, 256) while cmbsize keeps the item index above, so settings and
// callers that hold an index keep its size. Row and index map both ways; an
// index or row out of range maps to -1.
int SizeRowOfIndex(int cmbsize);
int SizeIndexOfRow(int row);
// Colour index to bits per pixel: 0 -> 1, 1 -> 4, 2 -> 8, 3 -> 24, 4 -> 32.
int BitCountOfIndex(int cmbcolor);

// Number fields. A value set by a command is clamped into the range; typed
// text is read when the field loses focus, non-numbers reading as the
// range's minimum. The take-in fields have no range; non-numbers read 0.
// A picture larger than 128 pixels (a 256 px cursor) lets the hot spot reach
// its own last pixel.
int ClampHotSpot(int value, int pictureSide = 0);
int ReadRangeField(const std::string& text, int min, int max);
int ReadFreeField(const std::string& text);

}  // namespace vornik
