#include "formats/IcnsIconSet.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>

#include "formats/FormatRegistry.h"
#include "imaging/AlphaSplit.h"
#include "model/EntryConversion.h"
#include "model/EntryStorage.h"
#include "model/IcnsFile.h"
#include "model/IcnsImage.h"
#include "model/IconPngImage.h"
#include "platform/FileIO.h"

namespace vornik {

namespace {

// Types by side in the order entries of one side without a type of their
// own take them.
const std::map<int, std::vector<std::uint32_t>> kTypesBySide = {
    {16, {IcnsType("is32"), IcnsType("icp4"), IcnsType("ic04")}},
    {32, {IcnsType("il32"), IcnsType("ic11"), IcnsType("icp5"), IcnsType("ic05")}},
    {48, {IcnsType("ih32")}},
    {64, {IcnsType("ic12"), IcnsType("icp6")}},
    {128, {IcnsType("ic07"), IcnsType("it32")}},
    {256, {IcnsType("ic08"), IcnsType("ic13")}},
    {512, {IcnsType("ic09"), IcnsType("ic14")}},
    {1024, {IcnsType("ic10")}},
};

int squareSide(const IconEntry& e) { return e.PixelWidth() == e.PixelHeight() ? e.PixelWidth() : 0; }

// The type of every entry (0: none holds it). An entry read from an ICNS
// file keeps its type while its size still fits it, so an it32 stays
// run-length coded and is not turned into ic07; the others take the free
// types of their side in order.
std::vector<std::uint32_t> typesOfEntries(const TIconEx& set) {
    const int n = std::min<int>(set.Count, TIconEx::kMaxEntries);
    std::vector<std::uint32_t> types(static_cast<std::size_t>(n), 0);
    std::vector<std::uint32_t> taken;
    auto isTaken = [&](std::uint32_t t) { return std::find(taken.begin(), taken.end(), t) != taken.end(); };
    for (int i = 0; i < n; ++i) {
        const IconEntry& e = set.Entries[static_cast<std::size_t>(i)];
        const IcnsTypeInfo* info = FindIcnsType(e.IcnsType);
        const bool fits = info && info->side == squareSide(e) && info->coding != IcnsCoding::Mask8 &&
                          info->coding != IcnsCoding::Jpeg2000;
        if (fits && !isTaken(e.IcnsType)) {
            types[static_cast<std::size_t>(i)] = e.IcnsType;
            taken.push_back(e.IcnsType);
        }
    }
    for (int i = 0; i < n; ++i) {
        if (types[static_cast<std::size_t>(i)] != 0) continue;
        const auto side = kTypesBySide.find(squareSide(set.Entries[static_cast<std::size_t>(i)]));
        if (side == kTypesBySide.end()) continue;
        for (std::uint32_t t : side->second)
            if (!isTaken(t)) {
                types[static_cast<std::size_t>(i)] = t;
                taken.push_back(t);
                break;
            }
    }
    return types;
}

// The entry as a 32-bit picture with alpha: its own alpha, or its mask's.
TQvDIB entryPicture(const TIconEx& set, int index) {
    TQvDIB image, mask;
    EntryToDIBs(set, image, mask, index);
    if (image.GetBitCount() == 32) {
        bool anyAlpha = false;
        for (int y = 0; y < image.Height() && !anyAlpha; ++y)
            for (int x = 0; x < image.Width() && !anyAlpha; ++x) anyAlpha = image.ScanLine(y)[4 * x + 3] != 0;
        if (anyAlpha) return image;
    }
    if (image.GetBitCount() != 24) image.ConvertToTrueColor();
    if (mask.GetBitCount() != 24) mask.ConvertToTrueColor();
    return JoinAlpha(image, mask);
}

}  // namespace

bool IsAppleIconFile(const std::string& path) {
    const auto format = DetectFileFormat(path);
    return !format.refused && format.value->name == "ICNS";
}

std::unique_ptr<TIconCurEX> LoadAppleIconAsIconSet(const std::string& path, std::size_t* keptUnshown) {
    const IcnsFile file = ReadIcnsFile(path);
    auto set = std::make_unique<TIconCurEX>();
    set->ResourceType = 1;
    set->LoadNotes = file.losses;
    std::vector<std::string> unshown;
    std::vector<bool> shown(file.elements.size(), false);
    for (const IcnsImage& image : IcnsImages(file)) {
        if (image.coding == IcnsCoding::Jpeg2000) {  // kept below, and said so
            unshown.push_back(IcnsTypeText(image.type) + " (" + std::to_string(image.side) + " x " +
                              std::to_string(image.side) +
                              "): JPEG 2000 images are not shown; it is kept in the file as it is");
            continue;
        }
        TQvDIB picture;
        try {
            picture = DecodeIcnsImage(file, image);
        } catch (const EIcnsError& e) {
            set->LoadNotes.push_back(e.what());
            continue;
        }
        const int index = set->AddSlot(-1);
        if (index < 0) break;
        IconEntry& entry = set->Entries[static_cast<std::size_t>(index)];
        entry.IcnsType = image.type;
        const Bytes& data = file.elements[image.element].data;
        std::size_t next = 0;
        if (image.coding == IcnsCoding::Png &&
            ReadPngIconImage(data.data(), data.size(), 0, entry, &next).empty()) {
            set->InitEntry(index, 1, image.side, image.side, 32);
            // InitEntry made fresh blocks: read the stream again into them.
            ReadPngIconImage(data.data(), data.size(), 0, entry, &next);
        } else {
            TQvDIB colour, mask;
            SplitAlpha(picture, colour, mask);
            mask.ConvertToMono();
            set->InitEntry(index, 1, image.side, image.side, 32);
            DIBsToEntry(*set, picture, mask, index);
        }
        shown[image.element] = true;
        if (image.mask >= 0) shown[static_cast<std::size_t>(image.mask)] = true;
    }
    for (std::size_t i = 0; i < file.elements.size(); ++i) {
        const IcnsTypeInfo* info = FindIcnsType(file.elements[i].type);
        // Masks go with their images; anything else not shown is kept.
        if (!shown[i] && !(info && info->coding == IcnsCoding::Mask8))
            set->IcnsKept.push_back(file.elements[i]);
    }
    if (keptUnshown) *keptUnshown = unshown.size();
    set->LoadNotes.insert(set->LoadNotes.end(), unshown.begin(), unshown.end());
    return set;
}

std::string AppleIconTypeOfEntry(const TIconEx& set, int index) {
    const std::vector<std::uint32_t> types = typesOfEntries(set);
    if (index < 0 || static_cast<std::size_t>(index) >= types.size() || types[static_cast<std::size_t>(index)] == 0)
        return {};
    return IcnsTypeText(types[static_cast<std::size_t>(index)]);
}

void SaveIconSetAsAppleIcon(const TIconEx& set, const std::string& path) {
    IcnsFile file;
    const std::vector<std::uint32_t> types = typesOfEntries(set);
    for (int i = 0; i < set.Count; ++i) {
        const std::uint32_t code = types[static_cast<std::size_t>(i)];
        const IconEntry& e = set.Entries[static_cast<std::size_t>(i)];
        if (code == 0)
            throw EVornikError(
                "entry " + std::to_string(i) + " (" + std::to_string(e.PixelWidth()) + " x " +
                std::to_string(e.PixelHeight()) +
                "): an Apple icon holds square images of 16, 32, 48, 64, 128, 256, 512 and 1024 "
                "pixels, at most two of a size (four of 32, three of 16)");
        if (FindIcnsType(code)->coding == IcnsCoding::Png && !e.PngStream.empty())
            file.elements.push_back({code, EntryPngBytes(e), 0});  // as it was read while unchanged
        else
            PutIcnsImage(file, code, entryPicture(set, i));
    }
    file.elements.insert(file.elements.end(), set.IcnsKept.begin(), set.IcnsKept.end());
    if (file.elements.empty()) throw EVornikError("an Apple icon needs at least one image");
    SaveIcnsFile(path, file.elements);
}

}  // namespace vornik
