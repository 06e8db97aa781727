// The drawing tools of the image and mask views, driven as the mouse does.
#include <gtest/gtest.h>

#include "anim/TAniEX.h"
#include "app/CanvasTools.h"
#include "app/UndoCommands.h"
#include "imaging/PixelArea.h"

using namespace vornik;

namespace {

constexpr Rgba kHalfBlue{0, 0, 255, 128};
constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kBlack{0, 0, 0, 255};

MainState WithViews(int bitCount, int side) {
    MainState s;
    s.doc.IconSet = std::make_unique<TIconCurEX>();
    s.doc.AniSet = std::make_unique<TAniEX>();
    TQvDIB image, mask;
    image.CreateDIB(side, side, bitCount <= 8 ? 1 << bitCount : 0, bitCount);
    if (bitCount == 8) {
        const RgbQuad table[3] = {MakeRgbQuad(0, 0, 0), MakeRgbQuad(255, 0, 0), MakeRgbQuad(0, 0, 255)};
        image.SetColorTable(table, 3);
    }
    mask.CreateDIB(side, side, 0, 24);  // all black: opaque
    s.edit.imgxor = image;
    s.edit.imgand = mask;
    if (bitCount == 32)
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) WritePaintValue(*s.edit.imgxor, x, y, PaintValueOf(image, kWhite));
    return s;
}

Rgba At(const MainState& s, int x, int y) { return ReadColour(*s.edit.imgxor, x, y); }
Rgba MaskAt(const MainState& s, int x, int y) { return ReadColour(*s.edit.imgand, x, y); }

void Click(MainState& s, CanvasTools& t, int x, int y, bool secondary = false,
           CanvasView view = CanvasView::Image) {
    CanvasPress(s, t, view, x, y, secondary, false);
    CanvasRelease(s, t, x, y, false);
}

void Drag(MainState& s, CanvasTools& t, int x0, int y0, int x1, int y1, bool shift = false,
          CanvasView view = CanvasView::Image) {
    CanvasPress(s, t, view, x0, y0, false, shift);
    CanvasMove(s, t, (x0 + x1) / 2 + 3, (y0 + y1) / 2 + 3, shift);  // a detour the result must not keep
    CanvasRelease(s, t, x1, y1, shift);
}

bool SamePixels(const TQvDIB& a, const TQvDIB& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height() || a.GetBitCount() != b.GetBitCount()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (ReadPaintValue(a, x, y) != ReadPaintValue(b, x, y)) return false;
    return true;
}

TEST(CanvasTools, PickPencilEraserAndLineOn32BitAreExactAndUndoStepByStep) {
    MainState s = WithViews(32, 32);
    WritePaintValue(*s.edit.imgxor, 5, 5, PaintValueOf(*s.edit.imgxor, kHalfBlue));
    CanvasTools t;
    const TQvDIB start = *s.edit.imgxor;

    t.tool = CanvasTool::Picker;
    Click(s, t, 5, 5);
    EXPECT_EQ(t.primary, kHalfBlue);
    EXPECT_EQ(t.recent.front(), kHalfBlue);
    EXPECT_EQ(s.History.UndoCount(), 0u);  // picking changes no picture

    t.tool = CanvasTool::Pencil;
    Click(s, t, 10, 12);
    EXPECT_EQ(At(s, 10, 12), kHalfBlue);  // replaced, not blended over white
    EXPECT_EQ(At(s, 11, 12), kWhite);
    EXPECT_EQ(MaskAt(s, 10, 12), kBlack);  // alpha 128 still counts as opaque in the mask
    const TQvDIB afterPencil = *s.edit.imgxor;

    t.tool = CanvasTool::Eraser;
    Click(s, t, 20, 3);
    EXPECT_EQ(At(s, 20, 3).a, 0);
    EXPECT_EQ(MaskAt(s, 20, 3), kWhite);
    const TQvDIB afterEraser = *s.edit.imgxor;

    t.tool = CanvasTool::Line;
    t.primary = Rgba{10, 200, 30, 255};
    Drag(s, t, 0, 31, 31, 0);
    for (int i = 0; i < 32; ++i) EXPECT_EQ(At(s, i, 31 - i), (Rgba{10, 200, 30, 255})) << i;
    EXPECT_EQ(At(s, 18, 17), kWhite) << "the detour of the drag is not kept";
    EXPECT_EQ(s.History.UndoCount(), 3u);

    ASSERT_TRUE(UndoEdit(s));
    EXPECT_TRUE(SamePixels(*s.edit.imgxor, afterEraser));
    ASSERT_TRUE(UndoEdit(s));
    EXPECT_TRUE(SamePixels(*s.edit.imgxor, afterPencil));
    EXPECT_EQ(MaskAt(s, 20, 3), kBlack);
    ASSERT_TRUE(UndoEdit(s));
    EXPECT_TRUE(SamePixels(*s.edit.imgxor, start));
}

TEST(CanvasTools, IndexedPicturesKeepTheirDepthAndUseTheMaskForTransparency) {
    MainState s = WithViews(8, 8);
    CanvasTools t;
    ChooseColour(s, t, false, Rgba{200, 20, 20, 255});
    EXPECT_EQ(t.primary, (Rgba{255, 0, 0, 255}));  // snapped to the entry's own palette
    ASSERT_EQ(EntryPalette(s.edit).size(), 3u);
    t.tool = CanvasTool::Pencil;
    t.brush.size = 2;
    Click(s, t, 3, 3);
    EXPECT_EQ(ReadPaintValue(*s.edit.imgxor, 3, 3), 1u);
    EXPECT_EQ(ReadPaintValue(*s.edit.imgxor, 4, 4), 1u);
    EXPECT_EQ(ReadPaintValue(*s.edit.imgxor, 5, 5), 0u);
    EXPECT_EQ(s.edit.imgxor->GetBitCount(), 8);
    EXPECT_EQ(s.edit.imgxor->ColorCount(), 3);

    t.tool = CanvasTool::Eraser;
    t.brush.size = 1;
    Click(s, t, 3, 3);
    EXPECT_EQ(ReadPaintValue(*s.edit.imgxor, 3, 3), 0u);  // black under a white mask
    EXPECT_EQ(MaskAt(s, 3, 3), kWhite);
    EXPECT_EQ(ColourAt(s.edit, 3, 3)->a, 0);

    // Fill with the secondary colour (blue), tolerance 0: the region of the clicked index only.
    t.tool = CanvasTool::Fill;
    t.secondary = Rgba{0, 0, 255, 255};
    Click(s, t, 0, 0, true);
    EXPECT_EQ(ReadPaintValue(*s.edit.imgxor, 0, 0), 2u);
    EXPECT_EQ(ReadPaintValue(*s.edit.imgxor, 4, 3), 1u);
    EXPECT_EQ(MaskAt(s, 3, 3), kBlack) << "the erased pixel (black, index 0) joins the fill";
    EXPECT_EQ(s.History.UndoCount(), 3u);
}

TEST(CanvasTools, ShapesAreRedrawnFromThePressAndConstrainedWithShift) {
    MainState s = WithViews(32, 16);
    CanvasTools t;
    t.tool = CanvasTool::Rectangle;
    Drag(s, t, 2, 2, 6, 4);
    EXPECT_EQ(At(s, 2, 2), kBlack);
    EXPECT_EQ(At(s, 6, 4), kBlack);
    EXPECT_EQ(At(s, 4, 3), kWhite);
    EXPECT_EQ(At(s, 7, 5), kWhite);
    t.shapeFilled = true;
    Drag(s, t, 10, 10, 13, 11, true);  // Shift: a square of 4
    EXPECT_EQ(At(s, 13, 13), kBlack);
    EXPECT_EQ(At(s, 11, 12), kBlack);
    EXPECT_EQ(At(s, 14, 13), kWhite);
    t.tool = CanvasTool::Ellipse;
    t.shapeFilled = false;
    Drag(s, t, 0, 8, 4, 12);
    EXPECT_EQ(At(s, 2, 8), kBlack);
    EXPECT_EQ(At(s, 0, 8), kWhite);
    EXPECT_EQ(At(s, 2, 10), kWhite);
    t.tool = CanvasTool::Line;
    Drag(s, t, 0, 15, 9, 14, true);  // nearly flat: kept horizontal
    EXPECT_EQ(At(s, 9, 15), kBlack);
    EXPECT_EQ(At(s, 9, 14), kWhite);
    EXPECT_EQ(s.History.UndoCount(), 4u);
}

TEST(CanvasTools, MaskViewShapesPaintBlackAndWhiteAndFollowInAlpha) {
    MainState s = WithViews(32, 8);
    CanvasTools t;
    t.tool = CanvasTool::Rectangle;
    t.shapeFilled = true;
    CanvasPress(s, t, CanvasView::Mask, 1, 1, true, false);
    CanvasRelease(s, t, 3, 2, false);
    EXPECT_EQ(MaskAt(s, 2, 2), kWhite);
    EXPECT_EQ(At(s, 2, 2).a, 0);
    EXPECT_EQ(At(s, 2, 3).a, 255);

    // The picker and the selection take the same pixels on the mask view as on the image view.
    WritePaintValue(*s.edit.imgxor, 5, 5, PaintValueOf(*s.edit.imgxor, kHalfBlue));
    t.tool = CanvasTool::Picker;
    EXPECT_TRUE(CanvasPress(s, t, CanvasView::Mask, 5, 5, false, false).empty());
    EXPECT_EQ(t.primary, kHalfBlue);
    const std::size_t steps = s.History.UndoCount();
    t.tool = CanvasTool::Select;
    Drag(s, t, 5, 5, 5, 5, false, CanvasView::Mask);
    ASSERT_TRUE(t.selection);
    EXPECT_EQ(*t.selection, (PixelRect{5, 5, 1, 1}));
    t.tool = CanvasTool::Move;
    CanvasPress(s, t, CanvasView::Mask, 5, 5, false, false);
    CanvasRelease(s, t, 6, 7, false);
    EXPECT_EQ(At(s, 6, 7), kHalfBlue);
    EXPECT_EQ(MaskAt(s, 6, 7), kBlack);
    EXPECT_EQ(At(s, 5, 5).a, 0);
    EXPECT_EQ(MaskAt(s, 5, 5), kWhite);
    EXPECT_EQ(s.History.UndoCount(), steps + 1);  // the move is one step
}

TEST(CanvasTools, SelectionsMovePasteAndDeleteAsSingleSteps) {
    MainState s = WithViews(32, 8);
    CanvasTools t;
    WritePaintValue(*s.edit.imgxor, 1, 1, PaintValueOf(*s.edit.imgxor, kHalfBlue));
    WritePaintValue(*s.edit.imgxor, 0, 0, 0);  // transparent
    t.tool = CanvasTool::Select;
    Drag(s, t, 0, 0, 1, 1);
    ASSERT_TRUE(t.selection);
    EXPECT_EQ(*t.selection, (PixelRect{0, 0, 2, 2}));
    const auto copied = SelectionPixels(s, t);
    ASSERT_TRUE(copied);
    EXPECT_EQ(ReadColour(*copied, 1, 1), kHalfBlue);
    EXPECT_EQ(s.History.UndoCount(), 0u);

    t.tool = CanvasTool::Move;
    CanvasPress(s, t, CanvasView::Image, 1, 1, false, false);
    CanvasMove(s, t, 2, 3, false);
    CanvasRelease(s, t, 4, 4, false);
    EXPECT_EQ(At(s, 4, 4), kHalfBlue);
    EXPECT_EQ(At(s, 1, 1).a, 0);  // the place it left is transparent
    EXPECT_EQ(At(s, 4, 3), kWhite);
    EXPECT_EQ(At(s, 3, 3).a, 0);  // moved with the rest
    EXPECT_EQ(*t.selection, (PixelRect{3, 3, 2, 2}));
    EXPECT_EQ(s.History.UndoCount(), 1u);

    // Deleting what floats takes it away and leaves the hole.
    ASSERT_TRUE(DeleteSelection(s, t));
    EXPECT_EQ(At(s, 4, 4), kWhite);
    EXPECT_EQ(At(s, 1, 1).a, 0);
    ASSERT_TRUE(UndoEdit(s));
    EXPECT_EQ(At(s, 4, 4), kHalfBlue);
    ForgetSelection(t);

    // Paste at the selection's corner, partly outside the picture.
    t.selection = PixelRect{6, 6, 1, 1};
    ASSERT_TRUE(PasteFloating(s, t, *copied));
    EXPECT_EQ(At(s, 7, 7), kHalfBlue);
    EXPECT_EQ(MaskAt(s, 7, 7), kBlack);
    EXPECT_EQ(At(s, 6, 6).a, 0);
    EXPECT_EQ(MaskAt(s, 6, 6), kWhite);
    DropSelection(t);
    EXPECT_EQ(At(s, 7, 7), kHalfBlue);  // dropping keeps the pasted pixels
    EXPECT_FALSE(DeleteSelection(s, t));
    SelectAll(s, t);
    ASSERT_TRUE(DeleteSelection(s, t));
    EXPECT_EQ(At(s, 0, 7).a, 0);
    EXPECT_EQ(s.History.UndoCount(), 3u);  // move, (delete undone), paste, delete
}

TEST(CanvasTools, AnOlder32BitPictureDrawnByItsMaskKeepsItsLookWhenFilled) {
    // Alpha 0 everywhere, the mask decides: the left half opaque red, the right half transparent.
    MainState s = WithViews(32, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            WritePaintValue(*s.edit.imgxor, x, y, x < 2 ? 0x00FF0000u : 0u);
            if (x >= 2) WritePaintValue(*s.edit.imgand, x, y, PaintValueOf(*s.edit.imgand, kWhite));
        }
    CanvasTools t;
    t.tool = CanvasTool::Fill;
    t.primary = Rgba{0, 255, 0, 255};
    Click(s, t, 3, 0);
    EXPECT_EQ(At(s, 3, 3), (Rgba{0, 255, 0, 255}));
    EXPECT_EQ(At(s, 0, 0), (Rgba{255, 0, 0, 255})) << "the opaque half is neither filled nor made transparent";
    EXPECT_EQ(MaskAt(s, 3, 3), kBlack);
}

TEST(CanvasTools, KeysBrushAndColoursStayInRange) {
    EXPECT_EQ(ToolOfKey('B', false), CanvasTool::Pencil);
    EXPECT_EQ(ToolOfKey('u', false), CanvasTool::Rectangle);
    EXPECT_EQ(ToolOfKey('U', true), CanvasTool::Ellipse);
    EXPECT_EQ(ToolOfKey('h', false), CanvasTool::HotSpot);
    EXPECT_FALSE(ToolOfKey('Q', false));
    CanvasTools t;
    StepBrushSize(t, -3);
    EXPECT_EQ(t.brush.size, 1);
    StepBrushSize(t, 40);
    EXPECT_EQ(t.brush.size, 16);
    SwapColours(t);
    EXPECT_EQ(t.primary, kWhite);
    for (int i = 0; i < 20; ++i) RememberColour(t, Rgba{std::uint8_t(i), 0, 0, 255});
    RememberColour(t, Rgba{5, 0, 0, 255});
    EXPECT_EQ(t.recent.size(), 16u);
    EXPECT_EQ(t.recent[0], (Rgba{5, 0, 0, 255}));
    EXPECT_EQ(t.recent[1], (Rgba{19, 0, 0, 255}));
}

}  // namespace
