#include "app/IcnsDocument.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>

#include "imaging/AlphaSplit.h"
#include "model/EntryConversion.h"
#include "model/EntryStorage.h"
#include "model/IcnsFile.h"
#include "model/IcnsImage.h"
#include "model/IconPngImage.h"
#include "platform/FileIO.h"

namespace vornik {

namespace {

// Types by side in the order entries of one side take them.
const std::map<int, std::vector<const char*>> kTypesBySide = {
    {16, {"is32", "icp4"}},  {32, {"il32", "ic11"}},  {48, {"ih32"}},          {64, {"ic12", "icp6"}},
    {128, {"ic07", "it32"}}, {256, {"ic08", "ic13"}}, {512, {"ic09", "ic14"}}, {1024, {"ic10"}},
};

std::uint32_t typeCode(const std::string& text) {
    return (std::uint32_t(std::uint8_t(text[0])) << 24) | (std::uint32_t(std::uint8_t(text[1])) << 16) |
           (std::uint32_t(std::uint8_t(text[2])) << 8) | std::uint32_t(std::uint8_t(text[3]));
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
    std::ifstream in(path, std::ios::binary);
    std::uint8_t head[4] = {};
    if (!in.read(reinterpret_cast<char*>(head), sizeof head)) return false;
    return IsIcnsData(head, sizeof head);
}

bool IsAppleIconName(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return ext == ".icns";
}

std::unique_ptr<TIconCurEX> LoadAppleIconAsIconSet(const std::string& path) {
    const IcnsFile file = ReadIcnsFile(path);
    auto set = std::make_unique<TIconCurEX>();
    set->ResourceType = 1;
    set->LoadNotes = file.losses;
    std::vector<bool> shown(file.elements.size(), false);
    for (const IcnsImage& image : IcnsImages(file)) {
        if (image.coding == IcnsCoding::Jpeg2000) continue;  // kept below
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
    return set;
}

std::string AppleIconTypeOfEntry(const TIconEx& set, int index) {
    const IconEntry& e = set.Entries[static_cast<std::size_t>(index)];
    const int side = e.PixelWidth();
    if (side != e.PixelHeight()) return {};
    const auto types = kTypesBySide.find(side);
    if (types == kTypesBySide.end()) return {};
    std::size_t before = 0;
    for (int i = 0; i < index; ++i) {
        const IconEntry& o = set.Entries[static_cast<std::size_t>(i)];
        before += o.PixelWidth() == side && o.PixelHeight() == side;
    }
    return before < types->second.size() ? types->second[before] : std::string();
}

void SaveIconSetAsAppleIcon(const TIconEx& set, const std::string& path) {
    IcnsFile file;
    for (int i = 0; i < set.Count; ++i) {
        const std::string type = AppleIconTypeOfEntry(set, i);
        const IconEntry& e = set.Entries[static_cast<std::size_t>(i)];
        if (type.empty())
            throw EVornikError(
                "entry " + std::to_string(i) + " (" + std::to_string(e.PixelWidth()) + " x " +
                std::to_string(e.PixelHeight()) +
                "): an Apple icon holds square images of 16, 32, 48, 64, 128, 256, 512 and 1024 "
                "pixels, at most two of a size");
        const std::uint32_t code = typeCode(type);
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
