#include "model/ListView.h"

#include <cstdio>

#include "imaging/AlphaMask.h"
#include "imaging/BitmapInfoHeader.h"
#include "imaging/ScaleArea.h"
#include "imaging/TQvDIBCanvas.h"
#include "model/ColorName.h"
#include "imaging/PictureView.h"
#include "model/RenderEntry.h"

namespace vornik {

namespace {

std::string format(const char* pattern, long long value) {
    char text[32];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

StretchMode modeOfSetting(int stretchMode) {
    return stretchMode == 1 || stretchMode == 2 ? StretchMode::Halftone : StretchMode::ColorOnColor;
}

void stretchWhole(TQvDIB& target, const TQvDIB& source, int stretchMode) {
    TQvDIBCanvas canvas(target);
    canvas.SetStretchBltMode(modeOfSetting(stretchMode));
    canvas.StretchBlt(0, 0, target.Width(), target.Height(), source, 0, 0, source.Width(), source.Height());
}

}  // namespace

EntryListItem EntryListItemOf(const TIconEx& set, int index) {
    const IconEntry& e = set.Entries[static_cast<std::size_t>(index)];
    const int bits = e.InfoHeader.size() >= BitmapInfoHeader::kSize ? ReadU16LE(e.InfoHeader.data() + bih::kBitCount) : 0;
    const std::string colour = ColorName(bits);
    EntryListItem item;
    item.caption = std::to_string(e.PixelWidth()) + " x " + std::to_string(e.PixelHeight()) + " - " + colour;
    item.subItems = {format("%lld", e.PixelWidth()), format("%lld", e.PixelHeight()), colour,
                     format("%llx", e.ImageOffset), format("%lld", e.ImageSize), format("%lld", e.HotSpotX),
                     format("%lld", e.HotSpotY)};
    return item;
}

ImagePair ScaleImagePair(const TQvDIB& image, const TQvDIB& mask, int size, int stretchMode) {
    ImagePair pair;
    pair.image.CreateDIB(size, size, 0, 24);
    pair.mask.CreateDIB(size, size, 2, 1);
    const RgbQuad blackWhite[2] = {RgbQuad{0, 0, 0, 0}, RgbQuad{255, 255, 255, 0}};
    pair.mask.SetColorTable(blackWhite, 2);
    stretchWhole(pair.image, DrawableSource(image), stretchMode);
    stretchWhole(pair.mask, mask, stretchMode);
    if (AlphaInUse(image)) pair.alpha = ScaleArea(image, size, size);
    return pair;
}

void FillListView(TIconEx& set, EntryListView& listView, ImageList& largeImages, int stretchMode,
                  ImageList& smallImages) {
    struct UpdateBracket {
        EntryListView& view;
        explicit UpdateBracket(EntryListView& v) : view(v) { view.updating = true; }
        ~UpdateBracket() { view.updating = false; }
    } bracket(listView);
    largeImages.size = 32;
    smallImages.size = 16;
    for (int i = 0; i < set.Count; ++i) {
        EntryListItem item = EntryListItemOf(set, i);
        const RenderCache& cache = RenderEntry(set, i);
        item.imageIndex = largeImages.Add(ScaleImagePair(cache.RenderedImage, cache.RenderedMask, 32, stretchMode));
        smallImages.Add(ScaleImagePair(cache.RenderedImage, cache.RenderedMask, 16, stretchMode));
        listView.items.push_back(std::move(item));
    }
}

}  // namespace vornik
