#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/EntryStorage.h"
#include "model/IcnsFile.h"
#include "model/IconEntry.h"

namespace vornik {

struct RenderCache;  // model/RenderCache.h

// Where an entry of a set read from an executable's resources came from.
struct ExeEntryOrigin {
    int kind = 1;       // 1 icon image (RT_ICON), 2 cursor image (RT_CURSOR, hot spot in the entry)
    std::string label;  // its group and place in it, "IDI_APP #1"; "RT_ICON 7" for an image in no group
    std::string group;  // the group's name or id ("IDI_APP", "101"); empty for an image in no group
    int language = -1;  // the group's language; -1 for an image in no group
};

// The resource set: the 6-byte ICO/CUR header and a fixed table of 1000
// entries. All operations are plain (non-virtual); the kinds below add nothing
// except TAniEX (anim/).
class TIconEx {
public:
    static constexpr int kMaxEntries = 1000;

    TIconEx();  // Create
    ~TIconEx();
    TIconEx(const TIconEx&) = delete;
    TIconEx& operator=(const TIconEx&) = delete;

    // --- directory header, as in the file ---
    std::uint16_t Reserved = 0;
    std::uint16_t ResourceType = 0;  // 1 icon, 2 cursor, 0 in a new set
    std::uint16_t Count = 0;         // entries in use

    std::array<IconEntry, kMaxEntries> Entries;

    // How SaveToFile and SaveEntryToFile store the images (model/EntryStorage.h).
    EntryStorage Storage = EntryStorage::Auto;

    // --- the entry rendered last (RenderEntry, model/RenderEntry.h); empty until then ---
    std::shared_ptr<RenderCache> RenderedEntry;

    // --- table operations ---
    void Clear();
    void FreeEntry(int index);
    void InitEntry(int index, int resourceType, int width, int height, int bitCount);
    int AddSlot(int index);     // new empty slot's index, or -1 (the set-full notice)
    int DeleteSlot(int index);  // removed index, or -1

    // --- ICO/CUR files ---
    // Replaces the content by the file's. False when the file is refused; the
    // set is then empty and LoadError() says why (naming the file).
    // A missing file is refused too; other read failures throw EInOutError.
    //
    // With pngPixels false, PNG-compressed images are not decoded: such an
    // entry holds its header (sides from IHDR, 32 bits) and its PNG stream,
    // no rows. Enough to list the set, or to write it back with the PNG
    // streams as they are (any storage but Bmp); nothing else may use it. The
    // decoding budget then counts only what is held.
    bool LoadFromFile(const std::string& path, bool pngPixels = true);
    // The same over bytes already in memory; nameForMessages names them in LoadError().
    bool LoadFromBytes(const Bytes& data, const std::string& nameForMessages, bool pngPixels = true);
    const std::string& LoadError() const { return loadError_; }
    // Writes the whole set as ICO (type 1) or CUR (type 2); nothing when Count is 0.
    // Throws EInOutError; a failed write leaves an existing file as it was.
    void SaveToFile(const std::string& path);
    // Entry index alone as a one-image file of the given type (1 or 2).
    void SaveEntryToFile(const std::string& path, int index, int type);
    // The bytes SaveToFile and SaveEntryToFile write, with the same updates of
    // the directory fields. SaveToBytes gives an empty block when Count is 0.
    Bytes SaveToBytes();
    Bytes SaveEntryToBytes(int index, int type);

    // --- executables and any other file ---
    // The icon and cursor images of the resource directory in group order
    // when the file has one; otherwise, or when it is damaged, a content scan
    // for icon images.
    bool LoadFromExe(const std::string& path);
    // Set by LoadFromExe: the origin of each entry (empty after a content
    // scan), what was skipped or found damaged, one line each, and how many
    // images did not fit in the table.
    std::vector<ExeEntryOrigin> Origins;
    std::vector<std::string> LoadNotes;
    int LeftOut = 0;

    // --- Apple icons ---
    // Elements of an ICNS file that no entry shows (JPEG 2000 images, other
    // data), written back as they were when the set is saved as ICNS.
    std::vector<IcnsElement> IcnsKept;

protected:
    std::string loadError_;
};

// A set read from or written to an ICO or CUR file.
class TIconCurEX : public TIconEx {};

// A set filled by scanning an executable; never written back.
class TExeEXsub : public TIconEx {};

}  // namespace vornik
