// Writing a resource set, or one entry of it, as an ICO or CUR file.
#include <algorithm>
#include <cstddef>

#include "imaging/BitmapInfoHeader.h"
#include "model/TIconEx.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"

namespace vornik {

namespace {

constexpr std::size_t kHeaderSize = 6;

// An entry read without its PNG pixels (TIconEx::LoadFromFile) has no rows:
// it can be written only as its PNG stream.
void checkWritable(const IconEntry& e, int index, EntryStorage storage) {
    if (e.InfoHeader.size() < BitmapInfoHeader::kSize || e.XorSize < 0 || e.AndSize < 0 ||
        e.XorBits.size() < static_cast<std::size_t>(e.XorSize) ||
        e.AndBits.size() < static_cast<std::size_t>(e.AndSize) || (e.XorSize == 0 && !StoredAsPng(e, storage)))
        throw EVornikError(Message(
            "Entries", VORNIK_TRANSLATE_NOOP("Entries", "entry %1 holds no complete image"), {index}));
}

// Directory values that follow from the entry's header.
void updateDirectory(IconEntry& e) {
    const std::uint8_t* h = e.InfoHeader.data();
    e.Width = static_cast<std::uint8_t>(ReadI32LE(h + bih::kWidth));
    e.Height = static_cast<std::uint8_t>(ReadI32LE(h + bih::kHeight));
    e.ColorCount = DirectoryColorCount(ReadU16LE(h + bih::kBitCount));
    e.EntryReserved = 0;
}

// Appends the image block (header with doubled height and the full colour
// count, colour table padded with zeros, XOR rows, AND rows), or the PNG
// stream when the entry is stored so, and returns its size.
std::uint32_t appendImage(Bytes& out, const IconEntry& e, EntryStorage storage) {
    const std::size_t start = out.size();
    if (StoredAsPng(e, storage)) {
        const Bytes png = EntryPngBytes(e);
        AppendBytes(out, png.data(), png.size());
        return static_cast<std::uint32_t>(png.size());
    }
    const std::uint8_t* h = e.InfoHeader.data();
    const int colors = PaletteSize(ReadU16LE(h + bih::kBitCount));
    AppendBytes(out, h, BitmapInfoHeader::kSize);
    std::uint8_t* header = out.data() + start;
    WriteI32LE(header + bih::kHeight,
               static_cast<std::int32_t>(2u * static_cast<std::uint32_t>(ReadI32LE(h + bih::kHeight))));
    WriteU32LE(header + bih::kClrUsed, static_cast<std::uint32_t>(colors));
    // The table written is exactly as long as the header now says: a longer
    // held table (a true-colour header stating some colours) would otherwise
    // be read back as pixel rows.
    const std::size_t held = std::min<std::size_t>((e.InfoHeader.size() - BitmapInfoHeader::kSize) / 4,
                                                   ReadU32LE(h + bih::kClrUsed));
    const std::size_t copied = std::min<std::size_t>(held, static_cast<std::size_t>(colors));
    AppendBytes(out, h + BitmapInfoHeader::kSize, 4 * copied);
    out.resize(out.size() + 4 * (static_cast<std::size_t>(colors) - copied), 0);
    AppendBytes(out, e.XorBits.data(), static_cast<std::size_t>(e.XorSize));
    AppendBytes(out, e.AndBits.data(), static_cast<std::size_t>(e.AndSize));
    return static_cast<std::uint32_t>(out.size() - start);
}

}  // namespace

Bytes TIconEx::SaveToBytes() {
    Bytes out;
    if (Count == 0) return out;
    std::size_t total = kHeaderSize + IconEntry::kDirectorySize * Count;
    for (int i = 0; i < Count; ++i) {
        const IconEntry& e = Entries[static_cast<std::size_t>(i)];
        checkWritable(e, i, Storage);
        total += BitmapInfoHeader::kSize + 4u * PaletteSize(ReadU16LE(e.InfoHeader.data() + bih::kBitCount)) +
                 static_cast<std::size_t>(e.XorSize) + static_cast<std::size_t>(e.AndSize);
    }
    out.reserve(total);
    AppendU16LE(out, Reserved);
    AppendU16LE(out, ResourceType);
    AppendU16LE(out, Count);
    out.resize(kHeaderSize + IconEntry::kDirectorySize * Count, 0);
    for (int i = 0; i < Count; ++i) {
        IconEntry& e = Entries[static_cast<std::size_t>(i)];
        updateDirectory(e);
        e.ImageOffset = static_cast<std::uint32_t>(out.size());
        e.ImageSize = appendImage(out, e, Storage);
    }
    for (int i = 0; i < Count; ++i)
        Entries[static_cast<std::size_t>(i)].WriteDirectory(
            out.data() + kHeaderSize + IconEntry::kDirectorySize * static_cast<std::size_t>(i));
    return out;
}

void TIconEx::SaveToFile(const std::string& path) {
    if (Count == 0) return;
    WriteFileReplacing(path, SaveToBytes());
}

Bytes TIconEx::SaveEntryToBytes(int index, int type) {
    if (index < 0 || index >= Count)
        throw EVornikError(
            Message("Entries", VORNIK_TRANSLATE_NOOP("Entries", "entry index %1 is not in use"), {index}));
    IconEntry& e = Entries[static_cast<std::size_t>(index)];
    checkWritable(e, index, Storage);
    Bytes out;
    AppendU16LE(out, 0);
    AppendU16LE(out, static_cast<std::uint16_t>(type));
    AppendU16LE(out, 1);
    out.resize(kHeaderSize + IconEntry::kDirectorySize, 0);
    updateDirectory(e);
    e.ImageOffset = static_cast<std::uint32_t>(out.size());
    e.ImageSize = appendImage(out, e, Storage);
    e.WriteDirectory(out.data() + kHeaderSize);
    return out;
}

void TIconEx::SaveEntryToFile(const std::string& path, int index, int type) {
    WriteFileReplacing(path, SaveEntryToBytes(index, type));
}

}  // namespace vornik
