// Xcursor files through libXcursor's file functions over memory. The library
// trusts the sizes it reads and allocates before it reads pixels, so the
// header and table of contents are checked here first.
#include "model/XcursorFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include <X11/Xcursor/Xcursor.h>

#include "model/IconImageReader.h"
#include "platform/FileIO.h"
#include "platform/SharedLibrary.h"

namespace vornik {

namespace {

// libXcursor, opened on the first Xcursor file: linked in, it and X11's
// libraries would load at every start.
struct Xcursor {
    SharedLibrary library{"libXcursor.so.1"};
// The argument is pasted as a declarator and after ::, where parentheses
// cannot go.
// NOLINTNEXTLINE(bugprone-macro-parentheses)
#define VORNIK_XCURSOR(name) decltype(&::name) name = library.Symbol<decltype(::name)>(#name)
    VORNIK_XCURSOR(XcursorImagesDestroy);
    VORNIK_XCURSOR(XcursorCommentsDestroy);
    VORNIK_XCURSOR(XcursorXcFileLoadAllImages);
    VORNIK_XCURSOR(XcursorImagesCreate);
    VORNIK_XCURSOR(XcursorImageCreate);
    VORNIK_XCURSOR(XcursorCommentsCreate);
    VORNIK_XCURSOR(XcursorXcFileSave);
#undef VORNIK_XCURSOR
};

const Xcursor& lib() {
    static const Xcursor api;
    return api;
}

constexpr std::size_t kFileHeaderLen = XCURSOR_FILE_HEADER_LEN;  // magic, header, version, ntoc
constexpr std::size_t kTocLen = XCURSOR_FILE_TOC_LEN;            // type, subtype, position
constexpr std::size_t kImageHeaderLen = XCURSOR_IMAGE_HEADER_LEN;
// The library refuses more table entries than this.
constexpr std::uint32_t kMaxToc = 0x10000;
// Largest Xcursor file read into memory.
constexpr std::uint64_t kMaxXcursorFileBytes = 1ull << 30;

// A block of memory seen as an XcursorFile; reads never pass its end.
struct MemoryReader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos;
};

int memoryRead(XcursorFile* file, unsigned char* buf, int len) {
    auto* m = static_cast<MemoryReader*>(file->closure);
    if (len <= 0 || m->pos >= m->size) return 0;
    const std::size_t n = std::min(static_cast<std::size_t>(len), m->size - m->pos);
    std::memcpy(buf, m->data + m->pos, n);
    m->pos += n;
    return static_cast<int>(n);
}

int noWrite(XcursorFile*, unsigned char*, int) { return -1; }

int memorySeek(XcursorFile* file, long offset, int whence) {
    auto* m = static_cast<MemoryReader*>(file->closure);
    if (whence != SEEK_SET || offset < 0 || static_cast<unsigned long>(offset) > m->size) return EOF;
    m->pos = static_cast<std::size_t>(offset);
    return static_cast<int>(std::min<long>(offset, INT32_MAX));
}

// A growing block of memory seen as an XcursorFile for writing.
struct MemoryWriter {
    Bytes bytes;
    std::size_t pos = 0;
};

int writerRead(XcursorFile*, unsigned char*, int) { return 0; }

int writerWrite(XcursorFile* file, unsigned char* buf, int len) {
    auto* m = static_cast<MemoryWriter*>(file->closure);
    if (len <= 0) return 0;
    const std::size_t n = static_cast<std::size_t>(len);
    if (m->bytes.size() < m->pos + n) m->bytes.resize(m->pos + n);
    std::memcpy(m->bytes.data() + m->pos, buf, n);
    m->pos += n;
    return len;
}

int writerSeek(XcursorFile* file, long offset, int whence) {
    auto* m = static_cast<MemoryWriter*>(file->closure);
    if (whence != SEEK_SET || offset < 0) return EOF;
    m->pos = static_cast<std::size_t>(offset);
    return static_cast<int>(std::min<long>(offset, INT32_MAX));
}

[[noreturn]] void refuse(const std::string& name, const std::string& why) {
    throw EXcursorError("\"" + name + "\": " + why);
}

// Checks what the library will read and allocate: the table must lie inside
// the file, every image chunk must carry its full pixels, and all images
// together must stay within the decoded-size budget.
void checkLayout(const std::uint8_t* data, std::size_t size, const std::string& name) {
    if (size < kFileHeaderLen) refuse(name, "the Xcursor header is cut short");
    if (!IsXcursorData(data, size)) refuse(name, "not an Xcursor file");
    const std::uint32_t headerLen = ReadU32LE(data + 4);
    const std::uint32_t ntoc = ReadU32LE(data + 12);
    if (headerLen < kFileHeaderLen || headerLen > size) refuse(name, "the Xcursor header length is wrong");
    if (ntoc > kMaxToc) refuse(name, "the table of contents claims " + std::to_string(ntoc) + " entries");
    if (std::uint64_t{ntoc} * kTocLen > size - headerLen) refuse(name, "the table of contents runs past the end");
    std::uint64_t decoded = 0;
    std::uint32_t images = 0;
    for (std::uint32_t i = 0; i < ntoc; ++i) {
        const std::uint8_t* toc = data + headerLen + std::size_t{i} * kTocLen;
        if (ReadU32LE(toc) != XCURSOR_IMAGE_TYPE) continue;  // comments are not read
        const std::string which = "image " + std::to_string(images);
        ++images;
        const std::uint32_t pos = ReadU32LE(toc + 8);
        if (pos > size || kImageHeaderLen > size - pos) refuse(name, which + ": header runs past the end");
        const std::uint8_t* chunk = data + pos;
        if (ReadU32LE(chunk + 4) != XCURSOR_IMAGE_TYPE || ReadU32LE(chunk + 8) != ReadU32LE(toc + 4))
            refuse(name, which + ": the chunk does not match the table of contents");
        const std::uint32_t w = ReadU32LE(chunk + 16), h = ReadU32LE(chunk + 20);
        if (w == 0 || h == 0 || w > kMaxXcursorSide || h > kMaxXcursorSide)
            refuse(name, which + ": size " + std::to_string(w) + " x " + std::to_string(h) +
                             " (at most " + std::to_string(kMaxXcursorSide) + " a side)");
        if (ReadU32LE(chunk + 24) > w || ReadU32LE(chunk + 28) > h)
            refuse(name, which + ": hot spot outside the image");
        const std::uint64_t bytes = std::uint64_t{w} * h * 4;
        if (bytes > size - pos - kImageHeaderLen) refuse(name, which + ": pixels run past the end of the file");
        decoded += bytes + sizeof(XcursorImage);
        if (decoded > kMaxDecodedImageBytes) refuse(name, "the images are too large to hold");
    }
    if (images == 0) refuse(name, "no images");
}

struct ImagesDeleter {
    void operator()(XcursorImages* p) const { lib().XcursorImagesDestroy(p); }
};
struct CommentsDeleter {
    void operator()(XcursorComments* p) const { lib().XcursorCommentsDestroy(p); }
};

}  // namespace

bool IsXcursorData(const std::uint8_t* data, std::size_t size) {
    return size >= 4 && std::memcmp(data, "Xcur", 4) == 0;
}

std::vector<XcursorPicture> ReadXcursor(const std::uint8_t* data, std::size_t size, const std::string& name) {
    checkLayout(data, size, name);
    MemoryReader reader{data, size, 0};
    XcursorFile file{};
    file.closure = &reader;
    file.read = memoryRead;
    file.write = noWrite;
    file.seek = memorySeek;
    std::unique_ptr<XcursorImages, ImagesDeleter> images(lib().XcursorXcFileLoadAllImages(&file));
    if (!images || images->nimage <= 0) refuse(name, "libXcursor could not read the images");
    std::vector<XcursorPicture> out;
    out.reserve(static_cast<std::size_t>(images->nimage));
    for (int i = 0; i < images->nimage; ++i) {
        const XcursorImage* im = images->images[i];
        XcursorPicture p;
        p.nominalSize = im->size;
        p.width = im->width;
        p.height = im->height;
        p.xhot = im->xhot;
        p.yhot = im->yhot;
        p.delay = im->delay;
        p.pixels.assign(im->pixels, im->pixels + std::size_t{im->width} * im->height);
        out.push_back(std::move(p));
    }
    return out;
}

std::vector<XcursorPicture> ReadXcursorFile(const std::string& path) {
    const Bytes data = ReadFileBytes(path, kMaxXcursorFileBytes);
    return ReadXcursor(data.data(), data.size(), path);
}

Bytes WriteXcursor(const std::vector<XcursorPicture>& images) {
    if (images.empty())
        throw EXcursorError(
            Message("Write", VORNIK_TRANSLATE_NOOP("Write", "an Xcursor file needs at least one image")));
    if (images.size() > kMaxToc)
        throw EXcursorError(
            Message("Write", VORNIK_TRANSLATE_NOOP("Write", "too many images for one Xcursor file")));
    std::unique_ptr<XcursorImages, ImagesDeleter> set(lib().XcursorImagesCreate(static_cast<int>(images.size())));
    if (!set)
        throw EXcursorError(
            Message("Write", VORNIK_TRANSLATE_NOOP("Write", "out of memory for the Xcursor images")));
    for (const XcursorPicture& p : images) {
        if (p.width == 0 || p.height == 0 || p.width > kMaxXcursorSide || p.height > kMaxXcursorSide ||
            p.pixels.size() != std::size_t{p.width} * p.height)
            throw EXcursorError(Message(
                "Write", VORNIK_TRANSLATE_NOOP("Write", "an image of %1 x %2 cannot be written as Xcursor"),
                {p.width, p.height}));
        XcursorImage* im = lib().XcursorImageCreate(static_cast<int>(p.width), static_cast<int>(p.height));
        if (!im)
            throw EXcursorError(
                Message("Write", VORNIK_TRANSLATE_NOOP("Write", "out of memory for an Xcursor image")));
        set->images[set->nimage++] = im;  // owned by the set from here
        im->size = p.nominalSize != 0 ? p.nominalSize : std::max(p.width, p.height);
        // libXcursor loads a hot spot up to the side itself (one past the last
        // pixel, which xcursorgen writes too) and refuses one beyond it.
        im->xhot = p.xhot > p.width ? p.width - 1 : p.xhot;
        im->yhot = p.yhot > p.height ? p.height - 1 : p.yhot;
        im->delay = p.delay;
        std::copy(p.pixels.begin(), p.pixels.end(), im->pixels);
    }
    std::unique_ptr<XcursorComments, CommentsDeleter> comments(lib().XcursorCommentsCreate(0));
    MemoryWriter writer;
    XcursorFile file{};
    file.closure = &writer;
    file.read = writerRead;
    file.write = writerWrite;
    file.seek = writerSeek;
    if (!comments || !lib().XcursorXcFileSave(&file, comments.get(), set.get()))
        throw EXcursorError(
            Message("Write", VORNIK_TRANSLATE_NOOP("Write", "libXcursor could not write the images")));
    return std::move(writer.bytes);
}

}  // namespace vornik
