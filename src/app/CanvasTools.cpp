#include "app/CanvasTools.h"

#include <algorithm>
#include <cstdlib>

#include "app/UndoCommands.h"
#include "imaging/AlphaMask.h"
#include "imaging/PixelArea.h"

namespace vornik {

namespace {

constexpr Rgba kClear{0, 0, 0, 0};
constexpr Rgba kBlack{0, 0, 0, 255};
constexpr Rgba kWhite{255, 255, 255, 255};

bool drawable(const std::optional<TQvDIB>& p) { return p && !p->IsCompressed(); }

bool maskFollows(const EditState& e) {
    return drawable(e.imgxor) && drawable(e.imgand) && e.imgand->Width() == e.imgxor->Width() &&
           e.imgand->Height() == e.imgxor->Height();
}

bool isAlpha(const TQvDIB& p) { return p.GetBitCount() == 32; }

// A 32-bit picture shown by its mask alone (alpha 0 everywhere) takes the mask
// as alpha before its first drawn pixel, so the rest stays as it looked.
void alphaFromMaskOnce(EditState& e) {
    if (!maskFollows(e) || !isAlpha(*e.imgxor) || AlphaInUse(*e.imgxor)) return;
    TQvDIB& img = *e.imgxor;
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x) {
            const bool clear = ReadColour(*e.imgand, x, y) == kWhite;
            WritePaintValue(img, x, y, (ReadPaintValue(img, x, y) & 0xFFFFFFu) | (clear ? 0u : 0xFF000000u));
        }
}

// Writes a colour into the image view and keeps the mask in step: in 32-bit
// pictures alpha is stored as chosen; elsewhere a colour below half alpha is
// transparent (black over a white mask), any other is opaque.
void putColour(EditState& e, int x, int y, Rgba c, bool withMask) {
    TQvDIB& img = *e.imgxor;
    const bool transparent = c.a < kOpaqueAlpha;
    if (isAlpha(img))
        WritePaintValue(img, x, y, PaintValueOf(img, c));
    else
        WritePaintValue(img, x, y, PaintValueOf(img, transparent ? kBlack : c));
    if (withMask) WritePaintValue(*e.imgand, x, y, PaintValueOf(*e.imgand, transparent ? kWhite : kBlack));
}

PixelRect paintImage(EditState& e, const PixelCoverage& c, Rgba colour) {
    alphaFromMaskOnce(e);
    const bool withMask = maskFollows(e);
    const PixelRect b = c.bounds();
    if (isAlpha(*e.imgxor)) {
        // One value for the whole coverage: no per-pixel colour lookups.
        PaintCoverage(*e.imgxor, c, PaintValueOf(*e.imgxor, colour));
        if (withMask) PaintCoverage(*e.imgand, c, PaintValueOf(*e.imgand, colour.a < kOpaqueAlpha ? kWhite : kBlack));
        return b;
    }
    const bool transparent = colour.a < kOpaqueAlpha;
    PaintCoverage(*e.imgxor, c, PaintValueOf(*e.imgxor, transparent ? kBlack : colour));
    if (withMask) PaintCoverage(*e.imgand, c, PaintValueOf(*e.imgand, transparent ? kWhite : kBlack));
    return b;
}

// Mask pixels black (opaque) or white; a 32-bit image of the mask's size
// gets alpha 255 or 0 on the same pixels.
PixelRect paintMask(EditState& e, const PixelCoverage& c, bool opaque) {
    alphaFromMaskOnce(e);
    PaintCoverage(*e.imgand, c, PaintValueOf(*e.imgand, opaque ? kBlack : kWhite));
    const PixelRect b = c.bounds();
    if (maskFollows(e) && isAlpha(*e.imgxor))
        for (int y = b.y; y < b.y + b.h; ++y)
            for (int x = b.x; x < b.x + b.w; ++x)
                if (c.has(x, y))
                    WritePaintValue(*e.imgxor, x, y,
                                    (ReadPaintValue(*e.imgxor, x, y) & 0xFFFFFFu) | (opaque ? 0xFF000000u : 0u));
    return b;
}

const TQvDIB& target(const EditState& e, CanvasView v) { return v == CanvasView::Image ? *e.imgxor : *e.imgand; }

// Shift: lines keep to 0, 45 or 90 degrees, boxes become squares.
void constrain(CanvasTool tool, int x0, int y0, int& x, int& y) {
    int dx = x - x0, dy = y - y0;
    const int ax = std::abs(dx), ay = std::abs(dy);
    if (tool == CanvasTool::Line && ax > 2 * ay) {
        dy = 0;
    } else if (tool == CanvasTool::Line && ay > 2 * ax) {
        dx = 0;
    } else {
        const int m = std::max(ax, ay);
        dx = dx < 0 ? -m : m;
        dy = dy < 0 ? -m : m;
    }
    x = x0 + dx;
    y = y0 + dy;
}

PixelRect pictureRect(const TQvDIB& p) { return PixelRect{0, 0, p.Width(), p.Height()}; }

PixelRect clipTo(const PixelRect& r, const PixelRect& box) {
    const int left = std::max(r.x, box.x), top = std::max(r.y, box.y);
    const int right = std::min(r.x + r.w, box.x + box.w), bottom = std::min(r.y + r.h, box.y + box.h);
    return PixelRect{left, top, right - left, bottom - top};
}

// Puts the floating pixels over the views they float on.
PixelRect place(EditState& e, const FloatingPixels& f) {
    e.imgxor = f.baseImage;
    e.imgand = f.baseMask;
    const PixelRect r = clipTo(PixelRect{f.x, f.y, f.rgba.Width(), f.rgba.Height()}, pictureRect(*e.imgxor));
    if (r.empty()) return r;
    alphaFromMaskOnce(e);
    const bool withMask = maskFollows(e);
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x) putColour(e, x, y, ReadColour(f.rgba, x - f.x, y - f.y), withMask);
    return r;
}

TQvDIB rgbaOf(const EditState& e, const PixelRect& r) {
    TQvDIB out;
    out.CreateDIB(r.w, -r.h, 0, 32);
    for (int y = 0; y < r.h; ++y)
        for (int x = 0; x < r.w; ++x)
            WritePaintValue(out, x, y, PaintValueOf(out, ColourAt(e, r.x + x, r.y + y).value_or(kClear)));
    return out;
}

}  // namespace

std::optional<CanvasTool> ToolOfKey(char key, bool shift) {
    switch (key) {
        case 'h': case 'H': return CanvasTool::HotSpot;
        case 'b': case 'B': return CanvasTool::Pencil;
        case 'e': case 'E': return CanvasTool::Eraser;
        case 'g': case 'G': return CanvasTool::Fill;
        case 'i': case 'I': return CanvasTool::Picker;
        case 'l': case 'L': return CanvasTool::Line;
        case 'u': case 'U': return shift ? CanvasTool::Ellipse : CanvasTool::Rectangle;
        case 'm': case 'M': return CanvasTool::Select;
        case 'v': case 'V': return CanvasTool::Move;
        default: return std::nullopt;
    }
}

void SwapColours(CanvasTools& t) { std::swap(t.primary, t.secondary); }

void StepBrushSize(CanvasTools& t, int delta) {
    t.brush.size = std::clamp(t.brush.size + delta, Brush::kMinSize, Brush::kMaxSize);
}

void RememberColour(CanvasTools& t, Rgba c) {
    std::erase(t.recent, c);
    t.recent.insert(t.recent.begin(), c);
    if (t.recent.size() > static_cast<std::size_t>(CanvasTools::kRecentColours))
        t.recent.resize(CanvasTools::kRecentColours);
}

std::vector<Rgba> EntryPalette(const EditState& e) {
    std::vector<Rgba> out;
    if (!e.imgxor || e.imgxor->GetBitCount() > 8) return out;
    for (int i = 0; i < e.imgxor->ColorCount(); ++i) {
        const RgbQuad q = e.imgxor->GetColor(i);
        out.push_back(Rgba{q.rgbRed, q.rgbGreen, q.rgbBlue, 255});
    }
    return out;
}

Rgba SnapToImage(const EditState& e, Rgba c) {
    if (!e.imgxor || isAlpha(*e.imgxor)) return c;
    if (c.a < kOpaqueAlpha) return kClear;
    return SnapColour(*e.imgxor, c);
}

void ChooseColour(MainState& s, CanvasTools& t, bool secondary, Rgba c) {
    c = SnapToImage(s.edit, c);
    (secondary ? t.secondary : t.primary) = c;
    RememberColour(t, c);
}

std::optional<Rgba> ColourAt(const EditState& e, int x, int y) {
    if (!drawable(e.imgxor) || !pictureRect(*e.imgxor).contains(x, y)) return std::nullopt;
    Rgba c = ReadColour(*e.imgxor, x, y);
    if (isAlpha(*e.imgxor) && AlphaInUse(*e.imgxor)) return c;
    if (maskFollows(e)) c.a = ReadColour(*e.imgand, x, y) == kWhite ? 0 : 255;
    return c;
}

PixelRect CanvasPress(MainState& s, CanvasTools& t, CanvasView view, int x, int y, bool secondary, bool shift) {
    EditState& e = s.edit;
    t.drag.reset();
    if (t.tool == CanvasTool::HotSpot) return {};
    if (view == CanvasView::Image ? !drawable(e.imgxor) : !drawable(e.imgand)) return {};
    // The picker and the selection work on the mask view too: its pixels are
    // the image's, so they pick, select and move the same pixels.
    if (view == CanvasView::Mask && !maskFollows(e) &&
        (t.tool == CanvasTool::Picker || t.tool == CanvasTool::Select || t.tool == CanvasTool::Move))
        return {};
    if (t.tool == CanvasTool::Picker) {
        if (const auto c = ColourAt(e, x, y)) ChooseColour(s, t, secondary, *c);
        return {};
    }
    CanvasDrag d;
    d.view = view;
    d.secondary = secondary;
    d.x0 = d.lastX = x;
    d.y0 = d.lastY = y;
    if (t.tool == CanvasTool::Select) {
        AnchorSelection(t);
        t.selection.reset();
        t.drag = std::move(d);
        return CanvasMove(s, t, x, y, shift);
    }
    if (t.tool == CanvasTool::Move) {
        if (!t.selection || !t.selection->contains(x, y)) {
            DropSelection(t);
            return {};
        }
        d.before = CaptureStep(s, kUndoViews, "move");
        if (!t.floating) {
            // Lift the selected pixels; the place they leave becomes transparent.
            FloatingPixels f;
            f.rgba = rgbaOf(e, *t.selection);
            f.x = t.selection->x;
            f.y = t.selection->y;
            PixelCoverage hole(e.imgxor->Width(), e.imgxor->Height());
            AddArea(hole, *t.selection);
            paintImage(e, hole, kClear);
            f.baseImage = e.imgxor;
            f.baseMask = e.imgand;
            t.floating = std::move(f);
        }
        d.baseImage = e.imgxor;  // unused by moves; kept so a drag always knows its start
        d.shown = PixelRect{t.floating->x, t.floating->y, t.floating->rgba.Width(), t.floating->rgba.Height()};
        d.x0 = x - t.floating->x;  // the grab point inside the floating pixels
        d.y0 = y - t.floating->y;
        t.drag = std::move(d);
        return CanvasMove(s, t, x, y, shift);
    }
    AnchorSelection(t);
    d.before = CaptureStep(s, kUndoViews, "draw");
    d.baseImage = e.imgxor;
    d.baseMask = e.imgand;
    const TQvDIB& p = target(e, view);
    if (t.tool == CanvasTool::Pencil || t.tool == CanvasTool::Eraser) d.stroke.emplace(p.Width(), p.Height());
    t.drag = std::move(d);
    if (t.tool == CanvasTool::Fill) {
        // An older 32-bit picture drawn by its mask takes it as alpha first: else all of it
        // would read as one transparent area.
        alphaFromMaskOnce(e);
        PixelCoverage c(p.Width(), p.Height());
        AddConnectedArea(c, p, x, y, view == CanvasView::Image ? t.tolerance : 0);
        if (view == CanvasView::Mask) return paintMask(e, c, !secondary);
        return paintImage(e, c, secondary ? t.secondary : t.primary);
    }
    return CanvasMove(s, t, x, y, shift);
}

PixelRect CanvasMove(MainState& s, CanvasTools& t, int x, int y, bool shift) {
    if (!t.drag) return {};
    CanvasDrag& d = *t.drag;
    EditState& e = s.edit;
    const TQvDIB* base = d.baseImage ? &*d.baseImage : (e.imgxor ? &*e.imgxor : nullptr);
    switch (t.tool) {
        case CanvasTool::Select: {
            if (!base) return {};
            const PixelRect old = t.selection.value_or(PixelRect{});
            const PixelRect r = clipTo(SpanOf(d.x0, d.y0, x, y), pictureRect(*e.imgxor));
            if (r.empty()) t.selection.reset();
            else t.selection = r;
            return United(old, r);
        }
        case CanvasTool::Move: {
            if (!t.floating) return {};
            FloatingPixels& f = *t.floating;
            const PixelRect old{f.x, f.y, f.rgba.Width(), f.rgba.Height()};
            f.x = x - d.x0;
            f.y = y - d.y0;
            place(e, f);
            t.selection = PixelRect{f.x, f.y, f.rgba.Width(), f.rgba.Height()};
            return clipTo(United(old, *t.selection), pictureRect(*e.imgxor));
        }
        case CanvasTool::Pencil:
        case CanvasTool::Eraser: {
            if (!d.stroke) return {};
            PixelCoverage segment(d.stroke->width(), d.stroke->height());
            AddStroke(segment, d.lastX, d.lastY, x, y, t.brush);
            AddStroke(*d.stroke, d.lastX, d.lastY, x, y, t.brush);
            d.lastX = x;
            d.lastY = y;
            const bool erase = t.tool == CanvasTool::Eraser;
            if (d.view == CanvasView::Mask) return paintMask(e, segment, !erase && !d.secondary);
            return paintImage(e, segment, erase ? kClear : d.secondary ? t.secondary : t.primary);
        }
        case CanvasTool::Line:
        case CanvasTool::Rectangle:
        case CanvasTool::Ellipse: {
            // A shape is drawn anew from the press's pictures at every move.
            e.imgxor = d.baseImage;
            e.imgand = d.baseMask;
            if (shift) constrain(t.tool, d.x0, d.y0, x, y);
            const TQvDIB& p = target(e, d.view);
            PixelCoverage c(p.Width(), p.Height());
            if (t.tool == CanvasTool::Line) AddStroke(c, d.x0, d.y0, x, y, t.brush);
            if (t.tool == CanvasTool::Rectangle) AddRectangle(c, d.x0, d.y0, x, y, t.shapeFilled);
            if (t.tool == CanvasTool::Ellipse) AddEllipse(c, d.x0, d.y0, x, y, t.shapeFilled);
            const PixelRect now = d.view == CanvasView::Mask ? paintMask(e, c, !d.secondary)
                                                             : paintImage(e, c, d.secondary ? t.secondary : t.primary);
            const PixelRect changed = United(d.shown, now);
            d.shown = now;
            return changed;
        }
        default:
            return {};
    }
}

PixelRect CanvasRelease(MainState& s, CanvasTools& t, int x, int y, bool shift) {
    if (!t.drag) return {};
    PixelRect changed;
    if (t.tool != CanvasTool::Fill) changed = CanvasMove(s, t, x, y, shift);
    if (t.drag->before) CommitStep(s, std::move(*t.drag->before));
    t.drag.reset();
    return changed;
}

void SelectAll(MainState& s, CanvasTools& t) {
    AnchorSelection(t);
    t.selection.reset();
    if (drawable(s.edit.imgxor)) t.selection = pictureRect(*s.edit.imgxor);
}

void AnchorSelection(CanvasTools& t) {
    if (!t.floating) return;
    t.floating.reset();
}

void DropSelection(CanvasTools& t) {
    AnchorSelection(t);
    t.selection.reset();
}

void ForgetSelection(CanvasTools& t) {
    t.floating.reset();
    t.selection.reset();
    t.drag.reset();
}

std::optional<TQvDIB> SelectionPixels(const MainState& s, const CanvasTools& t) {
    if (t.floating) return t.floating->rgba;
    if (!t.selection || !drawable(s.edit.imgxor)) return std::nullopt;
    const PixelRect r = clipTo(*t.selection, pictureRect(*s.edit.imgxor));
    if (r.empty()) return std::nullopt;
    return rgbaOf(s.edit, r);
}

bool DeleteSelection(MainState& s, CanvasTools& t) {
    if (!t.selection || !drawable(s.edit.imgxor)) return false;
    UndoStep before = CaptureStep(s, kUndoViews, "delete");
    if (t.floating) {
        s.edit.imgxor = t.floating->baseImage;
        s.edit.imgand = t.floating->baseMask;
        t.floating.reset();
    } else {
        PixelCoverage c(s.edit.imgxor->Width(), s.edit.imgxor->Height());
        AddArea(c, *t.selection);
        paintImage(s.edit, c, kClear);
    }
    CommitStep(s, std::move(before));
    return true;
}

bool PasteFloating(MainState& s, CanvasTools& t, const TQvDIB& picture) {
    if (!drawable(s.edit.imgxor) || picture.IsCompressed()) return false;
    AnchorSelection(t);
    UndoStep before = CaptureStep(s, kUndoViews, "paste");
    FloatingPixels f;
    if (isAlpha(picture)) {
        f.rgba = picture;
    } else {
        f.rgba.CreateDIB(picture.Width(), -picture.Height(), 0, 32);
        PasteArea(f.rgba, picture, 0, 0);
    }
    f.x = t.selection ? t.selection->x : 0;
    f.y = t.selection ? t.selection->y : 0;
    f.baseImage = s.edit.imgxor;
    f.baseMask = s.edit.imgand;
    place(s.edit, f);
    t.selection = PixelRect{f.x, f.y, f.rgba.Width(), f.rgba.Height()};
    t.floating = std::move(f);
    CommitStep(s, std::move(before));
    return true;
}

}  // namespace vornik
