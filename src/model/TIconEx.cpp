#include "model/TIconEx.h"

#include <cmath>
#include <cstdint>
#include <utility>

#include "imaging/BitmapInfoHeader.h"
#include "model/SetNotices.h"
#include "platform/Errors.h"
#include "platform/Notice.h"

namespace vornik {

namespace {

void checkSlot(int index) {
    if (index < 0 || index >= TIconEx::kMaxEntries)
        throw EVornikError(Message(
            "Entries", VORNIK_TRANSLATE_NOOP("Entries", "entry index %1 is outside the table"), {index}));
}

void releaseBlocks(IconEntry& e) {
    Bytes().swap(e.InfoHeader);
    Bytes().swap(e.XorBits);
    Bytes().swap(e.AndBits);
    Bytes().swap(e.PngStream);
    e.PngDigest = 0;
}

void putColor(std::uint8_t* table, int i, int r, int g, int b) {
    table[4 * i] = static_cast<std::uint8_t>(b);
    table[4 * i + 1] = static_cast<std::uint8_t>(g);
    table[4 * i + 2] = static_cast<std::uint8_t>(r);
    table[4 * i + 3] = 0;
}

void fillStandardTable(std::uint8_t* table, int bitCount) {
    if (bitCount == 1) {
        putColor(table, 0, 0, 0, 0);
        putColor(table, 1, 255, 255, 255);
    } else if (bitCount == 4) {
        static constexpr int kColors[16][3] = {
            {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
            {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
            {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
        for (int i = 0; i < 16; ++i) putColor(table, i, kColors[i][0], kColors[i][1], kColors[i][2]);
    } else if (bitCount == 8) {
        int n = 0;
        for (int i = 0; i <= 10; ++i) {
            const int v = static_cast<int>(std::lround(i * 23.8));
            putColor(table, n++, v, v, v);
        }
        for (int ramp = 0; ramp < 3; ++ramp) {
            for (int i = 0; i <= 9; ++i) {
                const int v = static_cast<int>(std::lround(17 + i * 221.0 / 9));
                putColor(table, n++, ramp == 0 ? v : 0, ramp == 1 ? v : 0, ramp == 2 ? v : 0);
            }
        }
        for (int b = 0; b < 6; ++b)
            for (int g = 0; g < 6; ++g)
                for (int r = 0; r < 6; ++r)
                    if (r || g || b) putColor(table, n++, r * 51, g * 51, b * 51);
    }
}

}  // namespace

TIconEx::TIconEx() = default;
TIconEx::~TIconEx() = default;

void TIconEx::Clear() {
    for (int i = 0; i < Count; ++i) FreeEntry(i);
    Count = 0;
    Origins.clear();
    LoadNotes.clear();
    LeftOut = 0;
    IcnsKept.clear();
}

void TIconEx::FreeEntry(int index) {
    checkSlot(index);
    releaseBlocks(Entries[static_cast<std::size_t>(index)]);
}

void TIconEx::InitEntry(int index, int resourceType, int width, int height, int bitCount) {
    checkSlot(index);
    const std::int64_t xorRow = RowBytes(static_cast<std::int64_t>(width) * bitCount);
    if (width <= 0 || height <= 0 || bitCount <= 0 || xorRow > INT32_MAX / height)
        throw EVornikError(Message("Entries",
                                   VORNIK_TRANSLATE_NOOP("Entries", "InitEntry: invalid image %1 x %2 x %3"),
                                   {width, height, bitCount}));
    const std::int64_t xorSize = xorRow * height;
    const std::int64_t andSize = RowBytes(width) * height;
    ResourceType = static_cast<std::uint16_t>(resourceType);
    FreeEntry(index);
    IconEntry& e = Entries[static_cast<std::size_t>(index)];
    e.Width = static_cast<std::uint8_t>(width);
    e.Height = static_cast<std::uint8_t>(height);
    e.ColorCount = DirectoryColorCount(bitCount);
    e.EntryReserved = 0;
    e.HotSpotX = 0;
    e.HotSpotY = 0;
    e.ImageSize = 0;
    e.ImageOffset = 0;

    const int colors = PaletteSize(bitCount);
    BitmapInfoHeader h;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = static_cast<std::uint16_t>(bitCount);
    h.biSizeImage = static_cast<std::uint32_t>(xorSize);
    h.biClrUsed = static_cast<std::uint32_t>(colors);
    e.InfoHeader.assign(BitmapInfoHeader::kSize + 4u * colors, 0);
    h.Write(e.InfoHeader.data());
    fillStandardTable(e.InfoHeader.data() + BitmapInfoHeader::kSize, bitCount);

    e.XorSize = static_cast<std::int32_t>(xorSize);
    e.AndSize = static_cast<std::int32_t>(andSize);
    e.XorBits.assign(static_cast<std::size_t>(xorSize), 0x00);
    e.AndBits.assign(static_cast<std::size_t>(andSize), 0xFF);
}

int TIconEx::AddSlot(int index) {
    if (Count >= kMaxEntries) {
        ShowMessage(setmsg::SetFull());
        return -1;
    }
    if (index < 0 || index >= Count) {
        const int slot = Count++;
        releaseBlocks(Entries[static_cast<std::size_t>(slot)]);
        Entries[static_cast<std::size_t>(slot)].IcnsType = 0;  // a new image has no type of its own
        return slot;
    }
    ++Count;
    for (int i = Count - 1; i > index; --i)
        Entries[static_cast<std::size_t>(i)] = std::move(Entries[static_cast<std::size_t>(i - 1)]);
    // The slot keeps the directory fields of the entry moved up from it.
    releaseBlocks(Entries[static_cast<std::size_t>(index)]);
    Entries[static_cast<std::size_t>(index)].IcnsType = 0;
    return index;
}

int TIconEx::DeleteSlot(int index) {
    if (Count == 0) {
        ShowMessage(setmsg::NothingToDelete());
        return -1;
    }
    if (index < 0 || index >= Count) {
        ShowMessage(setmsg::CannotDelete());
        return -1;
    }
    FreeEntry(index);
    for (int i = index; i < Count - 1; ++i)
        Entries[static_cast<std::size_t>(i)] = std::move(Entries[static_cast<std::size_t>(i) + 1]);
    releaseBlocks(Entries[static_cast<std::size_t>(Count - 1)]);
    --Count;
    return index;
}

}  // namespace vornik
