#include "imaging/SvgRenderer.h"

#include <cairo.h>
#include <librsvg/rsvg.h>

#include <cmath>
#include <memory>

#include "platform/Errors.h"
#include "platform/SharedLibrary.h"

namespace vornik {

namespace {

// librsvg and what it needs from glib and cairo, opened on the first SVG.
struct Rsvg {
    SharedLibrary library{"librsvg-2.so.2"};
// The argument is pasted as a declarator and after ::, where parentheses
// cannot go.
// NOLINTNEXTLINE(bugprone-macro-parentheses)
#define VORNIK_RSVG(name) decltype(&::name) name = library.Symbol<decltype(::name)>(#name)
    VORNIK_RSVG(g_object_unref);
    VORNIK_RSVG(g_clear_error);
    VORNIK_RSVG(g_memory_input_stream_new_from_data);
    VORNIK_RSVG(g_file_new_for_path);
    VORNIK_RSVG(rsvg_handle_new_from_stream_sync);
    VORNIK_RSVG(rsvg_handle_set_dpi);
    VORNIK_RSVG(rsvg_handle_get_intrinsic_size_in_pixels);
    VORNIK_RSVG(rsvg_handle_get_intrinsic_dimensions);
    VORNIK_RSVG(rsvg_handle_render_document);
    VORNIK_RSVG(cairo_image_surface_create);
    VORNIK_RSVG(cairo_surface_status);
    VORNIK_RSVG(cairo_create);
    VORNIK_RSVG(cairo_translate);
    VORNIK_RSVG(cairo_scale);
    VORNIK_RSVG(cairo_status);
    VORNIK_RSVG(cairo_status_to_string);
    VORNIK_RSVG(cairo_destroy);
    VORNIK_RSVG(cairo_surface_destroy);
    VORNIK_RSVG(cairo_surface_flush);
    VORNIK_RSVG(cairo_image_surface_get_data);
    VORNIK_RSVG(cairo_image_surface_get_stride);
#undef VORNIK_RSVG
};

const Rsvg& lib() {
    static const Rsvg api;
    return api;
}

struct GObjectFree {
    void operator()(void* p) const { lib().g_object_unref(p); }
};
template <class T>
using GPtr = std::unique_ptr<T, GObjectFree>;

struct CairoSurfaceFree {
    void operator()(cairo_surface_t* s) const { lib().cairo_surface_destroy(s); }
};
struct CairoFree {
    void operator()(cairo_t* c) const { lib().cairo_destroy(c); }
};

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

[[noreturn]] void refuse(const SvgSource& source, const std::string& why) {
    throw EVornikError(quoted(source.path) + ": " + why);
}

[[noreturn]] void refuse(const SvgSource& source, GError* error) {
    const std::string why = error && error->message ? error->message : "librsvg could not read it";
    lib().g_clear_error(&error);
    refuse(source, why);
}

GPtr<RsvgHandle> load(const SvgSource& source) {
    GPtr<GInputStream> stream(lib().g_memory_input_stream_new_from_data(
        source.text.data(), static_cast<gssize>(source.text.size()), nullptr));
    // The base file lets librsvg resolve relative references, which it then
    // loads only from this folder or below; without one it loads only data: URLs.
    GPtr<GFile> base(source.path.empty() ? nullptr : lib().g_file_new_for_path(source.path.c_str()));
    GError* error = nullptr;
    GPtr<RsvgHandle> handle(
        lib().rsvg_handle_new_from_stream_sync(stream.get(), base.get(), RSVG_HANDLE_FLAGS_NONE, nullptr, &error));
    if (!handle) refuse(source, error);
    lib().rsvg_handle_set_dpi(handle.get(), 96.0);
    return handle;
}

// The document's own size in pixels: width and height when both are absolute,
// else the viewBox's size, as rsvg-convert takes it.
void naturalSize(const SvgSource& source, RsvgHandle* handle, double& w, double& h) {
    if (!lib().rsvg_handle_get_intrinsic_size_in_pixels(handle, &w, &h)) {
        gboolean hasViewBox = FALSE;
        RsvgRectangle viewBox{};
        lib().rsvg_handle_get_intrinsic_dimensions(handle, nullptr, nullptr, nullptr, nullptr, &hasViewBox,
                                             &viewBox);
        if (!hasViewBox) refuse(source, "has no size and no viewBox, so it cannot be fitted to a size");
        w = viewBox.width;
        h = viewBox.height;
    }
    if (!std::isfinite(w) || !std::isfinite(h) || w <= 0 || h <= 0)
        refuse(source, "declares a size of zero or less");
    if (w > kMaxSvgDeclaredSide || h > kMaxSvgDeclaredSide)
        refuse(source, "declares an absurd size (" + std::to_string(std::llround(w)) + " x " +
                           std::to_string(std::llround(h)) + " pixels)");
}

SvgUserSize userExtent(RsvgHandle* handle, double naturalW, double naturalH) {
    gboolean hasViewBox = FALSE;
    RsvgRectangle viewBox{};
    lib().rsvg_handle_get_intrinsic_dimensions(handle, nullptr, nullptr, nullptr, nullptr, &hasViewBox, &viewBox);
    if (hasViewBox && std::isfinite(viewBox.width) && std::isfinite(viewBox.height) && viewBox.width > 0 &&
        viewBox.height > 0)
        return {viewBox.width, viewBox.height};
    return {naturalW, naturalH};
}

TQvDIB render(const SvgSource& source, RsvgHandle* handle, double w, double h, int boxW, int boxH) {
    std::unique_ptr<cairo_surface_t, CairoSurfaceFree> surface(
        lib().cairo_image_surface_create(CAIRO_FORMAT_ARGB32, boxW, boxH));
    if (lib().cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        throw EOutOfResources("no memory for a " + std::to_string(boxW) + " x " + std::to_string(boxH) +
                              " picture");
    {
        std::unique_ptr<cairo_t, CairoFree> cr(lib().cairo_create(surface.get()));
        const double scale = std::min(boxW / w, boxH / h);
        lib().cairo_translate(cr.get(), (boxW - w * scale) / 2, (boxH - h * scale) / 2);
        lib().cairo_scale(cr.get(), scale, scale);
        const RsvgRectangle viewport{0, 0, w, h};
        GError* error = nullptr;
        if (!lib().rsvg_handle_render_document(handle, cr.get(), &viewport, &error)) refuse(source, error);
        if (lib().cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS)
            refuse(source, lib().cairo_status_to_string(lib().cairo_status(cr.get())));
    }
    lib().cairo_surface_flush(surface.get());
    const std::uint8_t* pixels = lib().cairo_image_surface_get_data(surface.get());
    const int stride = lib().cairo_image_surface_get_stride(surface.get());
    TQvDIB dib;
    dib.CreateDIB(boxW, -boxH, 0, 32);
    for (int y = 0; y < boxH; ++y) {
        const auto* in =
            reinterpret_cast<const std::uint32_t*>(pixels + static_cast<std::size_t>(y) * stride);
        std::uint8_t* out = dib.MutableScanLine(y);
        for (int x = 0; x < boxW; ++x) {
            // Cairo keeps premultiplied ARGB in native words; undo the
            // premultiplication with the rounding cairo's own PNG writer uses.
            const std::uint32_t p = in[x];
            const std::uint32_t a = p >> 24;
            std::uint8_t* o = out + 4 * x;
            if (a == 0) {
                o[0] = o[1] = o[2] = o[3] = 0;
                continue;
            }
            o[0] = static_cast<std::uint8_t>(((p & 0xFF) * 255 + a / 2) / a);
            o[1] = static_cast<std::uint8_t>((((p >> 8) & 0xFF) * 255 + a / 2) / a);
            o[2] = static_cast<std::uint8_t>((((p >> 16) & 0xFF) * 255 + a / 2) / a);
            o[3] = static_cast<std::uint8_t>(a);
        }
    }
    return dib;
}

}  // namespace

std::vector<TQvDIB> RenderSvgHere(const SvgSource& source, const std::vector<SvgBox>& boxes,
                                  SvgUserSize* userSize) {
    for (const SvgBox& box : boxes)
        if (box.width < 0 || box.height < 0 || box.width > kMaxSvgSide || box.height > kMaxSvgSide ||
            (box.width == 0 && box.height != 0))
            throw EQvDIBInvalidDIBPara("RenderSvg: Invalid Size");
    GPtr<RsvgHandle> handle = load(source);
    double w = 0, h = 0;
    naturalSize(source, handle.get(), w, h);
    if (userSize) *userSize = userExtent(handle.get(), w, h);
    std::vector<TQvDIB> out;
    out.reserve(boxes.size());
    for (const SvgBox& box : boxes) {
        int boxW = box.width, boxH = box.height;
        if (boxW > 0 && boxH == 0) {
            // The longer side fills the box; the other keeps the proportion.
            const double shortSide = box.width * std::min(w, h) / std::max(w, h);
            const int other = std::max(1, static_cast<int>(std::lround(shortSide)));
            boxW = w >= h ? box.width : other;
            boxH = w >= h ? other : box.width;
        } else if (boxW == 0) {
            const double cw = std::ceil(w), ch = std::ceil(h);
            if (cw > kMaxSvgSide || ch > kMaxSvgSide)
                refuse(source, "is " + std::to_string(std::llround(cw)) + " x " +
                                   std::to_string(std::llround(ch)) + " pixels; pictures are made up to " +
                                   std::to_string(kMaxSvgSide) + " pixels a side");
            boxW = static_cast<int>(cw);
            boxH = static_cast<int>(ch);
        }
        out.push_back(render(source, handle.get(), w, h, boxW, boxH));
    }
    return out;
}

}  // namespace vornik
