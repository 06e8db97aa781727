#pragma once

#include <optional>
#include <vector>

#include "app/MainState.h"
#include "app/UndoHistory.h"
#include "imaging/PaintColour.h"
#include "imaging/PixelCoverage.h"
#include "imaging/PixelRect.h"

namespace vornik {

// The drawing tools of the image and mask views. H leaves the views to their
// classic mouse behaviour (hot spot, auto mask, mask strokes).
enum class CanvasTool { HotSpot, Pencil, Eraser, Fill, Picker, Line, Rectangle, Ellipse, Select, Move };

// The view a press happened on: the image draws in colour, the mask in black
// (primary, opaque) and white (secondary, transparent).
enum class CanvasView { Image, Mask };

// The tool a key chooses (letters as typed, any case; Shift only tells the
// rectangle from the ellipse); none for other keys.
std::optional<CanvasTool> ToolOfKey(char key, bool shift);

// A pasted or lifted part of the picture, floating over it until anchored.
struct FloatingPixels {
    TQvDIB rgba;  // 32-bit, alpha in use
    int x = 0, y = 0;
    std::optional<TQvDIB> baseImage, baseMask;  // the views under it
};

// A press-drag-release under way.
struct CanvasDrag {
    CanvasView view = CanvasView::Image;
    bool secondary = false;
    int x0 = 0, y0 = 0, lastX = 0, lastY = 0;
    std::optional<TQvDIB> baseImage, baseMask;  // the views at the press
    std::optional<PixelCoverage> stroke;        // pencil and eraser: what the drag covered so far
    PixelRect shown;                            // what the last move changed
    std::optional<UndoStep> before;             // the views before the drag
};

struct CanvasTools {
    static constexpr int kRecentColours = 16;

    CanvasTool tool = CanvasTool::HotSpot;
    Rgba primary{0, 0, 0, 255};
    Rgba secondary{255, 255, 255, 255};
    Brush brush;
    int tolerance = 0;  // fill: 0 takes only the clicked colour
    bool shapeFilled = false;
    std::vector<Rgba> recent;  // newest first

    std::optional<PixelRect> selection;  // picture pixels, inside the picture
    std::optional<FloatingPixels> floating;
    std::optional<CanvasDrag> drag;
};

void SwapColours(CanvasTools& t);
// Brush size by [ and ]: stays within 1..16.
void StepBrushSize(CanvasTools& t, int delta);
// Puts a colour first in the recent colours (once; the oldest drop off).
void RememberColour(CanvasTools& t, Rgba c);
// The colour table of an indexed image view (what its pixels can be); empty
// for other depths and without an image.
std::vector<Rgba> EntryPalette(const EditState& e);
// A chosen colour as the image view can hold it: the nearest palette colour
// in an indexed picture, alpha only in 32-bit pictures (elsewhere a colour is
// opaque or, below half alpha, transparent through the mask).
Rgba SnapToImage(const EditState& e, Rgba c);
// Sets the primary or secondary colour, snapped to the image and remembered.
void ChooseColour(MainState& s, CanvasTools& t, bool secondary, Rgba c);
// The colour pixel (x, y) of the image view shows, with its transparency:
// a 32-bit picture's own alpha, else 0 where the mask is white.
std::optional<Rgba> ColourAt(const EditState& e, int x, int y);

// Mouse on a view, in picture pixels. Each returns the pixels of the views
// that may have changed (for repainting). A drag from press to release is
// one undo step, recorded at the release when something changed.
PixelRect CanvasPress(MainState& s, CanvasTools& t, CanvasView view, int x, int y, bool secondary, bool shift);
PixelRect CanvasMove(MainState& s, CanvasTools& t, int x, int y, bool shift);
PixelRect CanvasRelease(MainState& s, CanvasTools& t, int x, int y, bool shift);

// --- selection ---
// Ctrl+A: the whole picture (anchoring what floats).
void SelectAll(MainState& s, CanvasTools& t);
// Enter / a click outside: what floats stays where it is; the selection stays.
void AnchorSelection(CanvasTools& t);
// Escape: anchors and drops the selection.
void DropSelection(CanvasTools& t);
// After an undo or redo, or another picture in the views: nothing is selected.
void ForgetSelection(CanvasTools& t);
// The selected pixels (or what floats) as a 32-bit picture with alpha;
// none without a selection.
std::optional<TQvDIB> SelectionPixels(const MainState& s, const CanvasTools& t);
// Delete: the selection becomes transparent (what floats is taken away), one
// undo step. False without a selection.
bool DeleteSelection(MainState& s, CanvasTools& t);
// Ctrl+V: a picture floats over the image view at the selection's top left
// (else at 0, 0), one undo step; it becomes the selection. False without an
// image view.
bool PasteFloating(MainState& s, CanvasTools& t, const TQvDIB& picture);

}  // namespace vornik
