// Writing of a TAniEX as an ANI file (RIFF form "ACON").
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "anim/FrameImages.h"
#include "anim/FrameSizes.h"
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

// Byte by byte: GCC 12 at -O3 mistakes a 4-byte range insert right after
// push_backs for a write past the buffer (-Wstringop-overflow).
void appendTag(Bytes& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
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

// One image of a frame as written: its directory entry and its block.
struct WrittenImage {
    std::uint8_t directory[IconEntry::kDirectorySize];
    const Bytes* block;
};

// The images of frame i in their order. A frame read from a file keeps every
// image it had, each in its byte form; the shown one is the entry's own form
// once the entry was edited. A frame made here is its entry alone.
std::vector<WrittenImage> imagesOf(const TAniEX& set, int i, Bytes& entryBlock) {
    const IconEntry& e = set.Entries[static_cast<std::size_t>(i)];
    const std::string problem = EntryImageBlock(e, entryBlock);
    if (!problem.empty())
        throw EVornikError(
            Message("Write", VORNIK_TRANSLATE_NOOP("Write", "Cannot write the animated cursor: frame %1 %2"),
                    {i, problem}));
    std::vector<WrittenImage> out;
    const FrameImageList* list = set.ImagesOfFrame(i);
    const int count = list ? static_cast<int>(list->Images.size()) : 1;
    for (int k = 0; k < count; ++k) {
        WrittenImage w{};
        if (!list || k == list->Shown) {
            e.WriteDirectory(w.directory);
            w.block = list && list->ShownUnchanged(e) ? &list->Images[static_cast<std::size_t>(k)].Data : &entryBlock;
        } else {
            const FrameImage& image = list->Images[static_cast<std::size_t>(k)];
            std::copy(image.Directory.begin(), image.Directory.end(), w.directory);
            w.block = &image.Data;
        }
        out.push_back(w);
    }
    return out;
}

std::uint64_t iconChunkSize(const std::vector<WrittenImage>& images) {
    std::uint64_t n = 6;
    for (const WrittenImage& w : images) n += IconEntry::kDirectorySize + w.block->size();
    return n;
}

// The cursor file of one frame: directory header, entries, image blocks.
void appendCursorFile(Bytes& out, const std::vector<WrittenImage>& images) {
    AppendU16LE(out, 0);
    AppendU16LE(out, 2);  // always a cursor, whatever the frame came from
    AppendU16LE(out, static_cast<std::uint16_t>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + IconEntry::kDirectorySize * images.size());
    for (const WrittenImage& w : images) {
        std::uint8_t dir[IconEntry::kDirectorySize];
        std::copy(std::begin(w.directory), std::end(w.directory), dir);
        WriteU32LE(dir + 8, static_cast<std::uint32_t>(w.block->size()));
        WriteU32LE(dir + 12, offset);
        AppendBytes(out, dir, sizeof dir);
        offset += static_cast<std::uint32_t>(w.block->size());
    }
    for (const WrittenImage& w : images) AppendBytes(out, w.block->data(), w.block->size());
}

}  // namespace

Bytes FrameAsCursorFile(const TAniEX& set, int frame) {
    if (frame < 0 || frame >= set.Count) throw EVornikError("no frame " + std::to_string(frame));
    Bytes entryBlock;
    const std::vector<WrittenImage> images = imagesOf(set, frame, entryBlock);
    Bytes out;
    appendCursorFile(out, images);
    return out;
}

Bytes TAniEX::SaveToBytes() {
    // Check every frame before anything of the set changes.
    std::vector<Bytes> entryBlocks(static_cast<std::size_t>(Count));
    std::vector<std::vector<WrittenImage>> frames;
    frames.reserve(static_cast<std::size_t>(Count));
    for (int i = 0; i < Count; ++i) frames.push_back(imagesOf(*this, i, entryBlocks[static_cast<std::size_t>(i)]));

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

    // A step that names no frame would be dropped on reading: it is not written.
    int steps = 0;
    for (int i = 0; i < StepCount(); ++i) {
        const AniStep st = Steps[static_cast<std::size_t>(i)];
        if (st.Frame >= 0 && st.Frame < Count) Steps[static_cast<std::size_t>(steps++)] = st;
    }
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
    for (const auto& images : frames) {
        const std::uint64_t n = iconChunkSize(images);
        listSize += 8 + n + n % 2;
    }
    if (listSize > 0xFFFFFFF0u)
        throw EVornikError(Message(
            "Write",
            VORNIK_TRANSLATE_NOOP("Write", "Cannot write the animated cursor: more than 4 GiB of frames")));
    appendTag(out, "LIST");
    AppendU32LE(out, static_cast<std::uint32_t>(listSize));
    appendTag(out, "fram");
    for (int i = 0; i < Count; ++i) {
        const std::vector<WrittenImage>& images = frames[static_cast<std::size_t>(i)];
        const std::uint64_t chunkSize = iconChunkSize(images);
        appendTag(out, "icon");
        AppendU32LE(out, static_cast<std::uint32_t>(chunkSize));
        appendCursorFile(out, images);
        if (chunkSize % 2 != 0) out.push_back(0);  // RIFF pads odd chunks
        // The entry's directory says where its image was written, as in a cursor file of its own.
        IconEntry& e = Entries[static_cast<std::size_t>(i)];
        const FrameImageList* list = ImagesOfFrame(i);
        const std::size_t shown = list ? static_cast<std::size_t>(list->Shown) : 0;
        e.ImageSize = static_cast<std::uint32_t>(images[shown].block->size());
        e.ImageOffset = 22;
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
        throw EVornikError(
            Message("Write", VORNIK_TRANSLATE_NOOP("Write", "%1 (\"%2\")"), {e.message(), path}));
    }
    WriteFileReplacing(path, data);
}

}  // namespace vornik
