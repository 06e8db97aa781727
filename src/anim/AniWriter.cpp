// Writing of a TAniEX as an ANI file (RIFF form "ACON").
#include <algorithm>
#include <cstring>
#include <string>

#include "anim/TAniEX.h"
#include "imaging/BitmapInfoHeader.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"

namespace vornik {

namespace {

// Blanks and control characters, as the editor's trim removes them.
bool blankAfterTrim(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) <= 0x20; });
}

void appendTag(Bytes& out, const char* tag) {
    AppendBytes(out, reinterpret_cast<const std::uint8_t*>(tag), 4);
}

// Text bytes as held, padded to an even length.
std::uint32_t paddedTextSize(const std::string& s) {
    return static_cast<std::uint32_t>(s.size() + s.size() % 2);
}
void appendText(Bytes& out, const char* tag, const std::string& s) {
    appendTag(out, tag);
    AppendU32LE(out, paddedTextSize(s));
    AppendBytes(out, reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
    if (s.size() % 2 != 0) out.push_back(0);
}

// The parts of a frame as written: palette bytes as the header's colour
// count states them (never more than the block holds), then the bits.
struct FrameParts {
    std::size_t palette = 0;
    std::size_t xorSize = 0;
    std::size_t andSize = 0;
    std::size_t imageSize() const { return 40 + palette + xorSize + andSize; }
};

FrameParts partsOf(const IconEntry& e, int index, const std::string& path) {
    if (e.InfoHeader.size() < BitmapInfoHeader::kSize)
        throw EVornikError("Cannot write \"" + path + "\": frame " + std::to_string(index) +
                           " holds no image");
    FrameParts f;
    const std::uint64_t clrUsed = ReadU32LE(e.InfoHeader.data() + bih::kClrUsed);
    f.palette = static_cast<std::size_t>(std::min<std::uint64_t>(4 * clrUsed, e.InfoHeader.size() - 40));
    f.xorSize = static_cast<std::size_t>(std::max(e.XorSize, 0));
    f.andSize = static_cast<std::size_t>(std::max(e.AndSize, 0));
    return f;
}

// Exactly n bytes of a block, zero-filled where the block is shorter.
void appendBlock(Bytes& out, const Bytes& block, std::size_t n) {
    const std::size_t have = std::min(n, block.size());
    AppendBytes(out, block.data(), have);
    out.insert(out.end(), n - have, 0);
}

}  // namespace

Bytes TAniEX::SaveToBytes() {
    // Check every frame before anything of the set changes.
    std::vector<FrameParts> parts;
    for (int i = 0; i < Count; ++i)
        parts.push_back(partsOf(Entries[static_cast<std::size_t>(i)], i, "animated cursor"));

    Bytes out;
    appendTag(out, "RIFF");
    AppendU32LE(out, 0);  // patched at the end
    appendTag(out, "ACON");

    const bool title = !blankAfterTrim(Title);
    const bool creator = !blankAfterTrim(Creator);
    if (title || creator) {
        std::uint32_t listSize = 4;
        if (title) listSize += 8 + paddedTextSize(Title);
        if (creator) listSize += 8 + paddedTextSize(Creator);
        appendTag(out, "LIST");
        AppendU32LE(out, listSize);
        appendTag(out, "INFO");
        if (title) appendText(out, "INAM", Title);
        if (creator) appendText(out, "IART", Creator);
    }

    const int steps = StepCount();
    AnimHeader.StepCount = static_cast<std::uint32_t>(steps);
    AnimHeader.HeaderSize = AniHeader::kSize;
    if (AnimHeader.DisplayRate == 0) AnimHeader.DisplayRate = DefaultRate;
    // Steps and rates edited here reach the file: a sequence other than
    // "step i shows frame i" is written as "seq ", and rates other than the
    // header's as "rate". The sequence flag always matches the "seq " chunk.
    bool identity = steps == Count;
    bool uniformRate = true;
    for (int i = 0; i < steps; ++i) {
        identity = identity && Steps[static_cast<std::size_t>(i)].Frame == i;
        uniformRate = uniformRate && static_cast<std::uint32_t>(Steps[static_cast<std::size_t>(i)].Rate) ==
                                         AnimHeader.DisplayRate;
    }
    const bool writeSeq = HasSeqChunk || !identity || AnimHeader.FrameCount != AnimHeader.StepCount;
    const bool writeRate = HasRateChunk || !uniformRate;
    AnimHeader.Flags = writeSeq ? (AniHeader::kFlagIcon | AniHeader::kFlagSequence) : AniHeader::kFlagIcon;
    AnimHeader.FrameCount = Count;
    appendTag(out, "anih");
    AppendU32LE(out, AniHeader::kSize);
    AnimHeader.Append(out);

    if (writeRate) {
        appendTag(out, "rate");
        AppendU32LE(out, 4u * static_cast<std::uint32_t>(steps));
        for (int i = 0; i < steps; ++i)
            AppendU32LE(out, static_cast<std::uint32_t>(Steps[static_cast<std::size_t>(i)].Rate));
    }
    if (writeSeq) {
        appendTag(out, "seq ");
        AppendU32LE(out, 4u * static_cast<std::uint32_t>(steps));
        for (int i = 0; i < steps; ++i)
            AppendU32LE(out, static_cast<std::uint32_t>(Steps[static_cast<std::size_t>(i)].Frame));
    }

    std::uint64_t listSize = 4;
    for (const FrameParts& f : parts) listSize += 30 + f.imageSize();
    if (listSize > 0xFFFFFFF0u)
        throw EVornikError("Cannot write the animated cursor: more than 4 GiB of frames");
    appendTag(out, "LIST");
    AppendU32LE(out, static_cast<std::uint32_t>(listSize));
    appendTag(out, "fram");
    for (int i = 0; i < Count; ++i) {
        IconEntry& e = Entries[static_cast<std::size_t>(i)];
        const FrameParts& f = parts[static_cast<std::size_t>(i)];
        e.ImageSize = static_cast<std::uint32_t>(f.imageSize());
        e.ImageOffset = 22;
        appendTag(out, "icon");
        AppendU32LE(out, static_cast<std::uint32_t>(22 + f.imageSize()));
        AppendU16LE(out, 0);
        AppendU16LE(out, 2);  // always a cursor, whatever the frame came from
        AppendU16LE(out, 1);
        std::uint8_t dir[IconEntry::kDirectorySize];
        e.WriteDirectory(dir);
        AppendBytes(out, dir, sizeof dir);
        const std::size_t headerAt = out.size();
        AppendBytes(out, e.InfoHeader.data(), 40 + f.palette);
        // The file's height covers image and mask.
        WriteU32LE(out.data() + headerAt + bih::kHeight, ReadU32LE(e.InfoHeader.data() + bih::kHeight) * 2u);
        appendBlock(out, e.XorBits, f.xorSize);
        appendBlock(out, e.AndBits, f.andSize);
    }
    WriteU32LE(out.data() + 4, static_cast<std::uint32_t>(out.size() - 8));
    return out;
}

void TAniEX::SaveToFile(const std::string& path) {
    Bytes data;
    try {
        data = SaveToBytes();
    } catch (const EInOutError&) {
        throw;
    } catch (const EVornikError& e) {
        throw EVornikError(std::string(e.what()) + " (\"" + path + "\")");
    }
    WriteFileReplacing(path, data);
}

}  // namespace vornik
