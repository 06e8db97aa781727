// vornik-cli export FILE --entry N -o OUT [--png|--bmp]
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "anim/TAniEX.h"
#include "cli/CliCommand.h"
#include "cli/ReadNotes.h"
#include "cli/DocumentReader.h"
#include "cli/IcnsDocument.h"
#include "formats/IcnsIconSet.h"
#include "cli/OutputGuard.h"
#include "cli/StorageFlags.h"
#include "imaging/AlphaMask.h"
#include "imaging/BmpAlphaWrite.h"
#include "imaging/JpegDIB.h"
#include "imaging/PngWrite.h"
#include "model/EntryConversion.h"
#include "model/ExeImageWalk.h"
#include "model/TIconEx.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"

namespace vornik::cli {

namespace {

enum class ExportKind { Icon, Cursor, Bitmap, Jpeg, Png };

ExportKind exportKindOf(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    if (ext == ".ico") return ExportKind::Icon;
    if (ext == ".cur") return ExportKind::Cursor;
    if (ext == ".bmp") return ExportKind::Bitmap;
    if (ext == ".jpg" || ext == ".jpeg") return ExportKind::Jpeg;
    if (ext == ".png") return ExportKind::Png;
    throw UsageError("OUT must end in .ico, .cur, .bmp, .jpg, .jpeg or .png");
}

int parseIndex(const std::string& text) {
    try {
        std::size_t used = 0;
        const long long n = std::stoll(text, &used);
        if (used == text.size() && n >= 0 && n <= INT32_MAX) return static_cast<int>(n);
    } catch (const std::exception&) {
    }
    throw UsageError("--entry needs an entry number from 0");
}

// A one-image file of the entry's own blocks; an icon gets 0 in the fields
// that hold a cursor's hot spot, as the image-pair writer gives it.
Bytes entryFileBytes(const IconEntry& e, int type, EntryStorage storage) {
    TIconCurEX one;
    one.Storage = storage;
    one.Count = 1;
    one.ResourceType = static_cast<std::uint16_t>(type);
    IconEntry& copy = one.Entries[0];
    copy.CopyDirectoryFrom(e);
    copy.InfoHeader = e.InfoHeader;
    copy.XorBits = e.XorBits;
    copy.XorSize = e.XorSize;
    copy.AndBits = e.AndBits;
    copy.AndSize = e.AndSize;
    copy.PngStream = e.PngStream;
    copy.PngDigest = e.PngDigest;
    if (type == 1) copy.HotSpotX = copy.HotSpotY = 0;
    return one.SaveToBytes();
}

// A one-image file of a picture pair, stored as asked.
Bytes onePairFile(const TQvDIB& image, const TQvDIB& mask, int type, int hotSpotX, int hotSpotY,
                  EntryStorage storage) {
    if (storage == EntryStorage::Auto) return ImagePairFileBytes(image, mask, type, hotSpotX, hotSpotY);
    TIconCurEX one;
    one.Storage = storage;
    Bytes plain = ImagePairFileBytes(image, mask, type, hotSpotX, hotSpotY);
    if (!one.LoadFromBytes(plain, "export")) throw EVornikError(one.LoadError());
    return one.SaveToBytes();
}

int fail(const std::string& why) {
    std::fprintf(CliErr(), "vornik-cli export: %s\n", why.c_str());
    return 1;
}

// An Apple icon's image: always 32 bits with alpha, a PNG one kept as it is.
int exportIcns(const std::string& path, int index, const std::string& out, ExportKind kind, EntryStorage storage) {
    TIconCurEX set;
    Bytes png;
    try {
        IcnsEntryAsSet(path, index, set, png);
    } catch (const EVornikError& e) {
        return fail(e.what());
    }
    TQvDIB image, mask;
    EntryToDIBs(set, image, mask, 0);
    switch (kind) {
        case ExportKind::Icon: WriteFileReplacing(out, entryFileBytes(set.Entries[0], 1, storage)); break;
        case ExportKind::Cursor: WriteFileReplacing(out, entryFileBytes(set.Entries[0], 2, storage)); break;
        case ExportKind::Bitmap: WriteFileReplacing(out, EncodeBmpWithAlpha(image)); break;
        case ExportKind::Jpeg: SaveDIBAsJpegFile(image, out); break;
        case ExportKind::Png:
            if (!png.empty())
                WriteFileReplacing(out, png);
            else
                SavePngFile(out, image, &mask);
            break;
    }
    return 0;
}

int runExport(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    std::string entryText, out;
    const bool haveEntry = TakeOption(args, "--entry", entryText);
    const bool haveOut = TakeOption(args, "-o", out);
    const EntryStorage storage = TakeStorageFlags(args);
    RejectUnknownOptions(args);
    if (args.size() != 1) throw UsageError("expected one FILE");
    if (!haveEntry) throw UsageError("missing --entry N");
    if (!haveOut) throw UsageError("missing -o OUT");
    const int index = parseIndex(entryText);
    const ExportKind kind = exportKindOf(out);
    const std::string& path = args[0];
    if (!FileExists(path)) return fail("no such file \"" + path + "\"");
    RefuseOutputOverInput(path, out);
    if (IsAppleIconFile(path)) return exportIcns(path, index, out, kind, storage);

    // The file is read as list reads it; each set is owned by its own type.
    std::unique_ptr<TAniEX> aniSet;
    std::unique_ptr<TExeEXsub> exeSet;
    std::unique_ptr<TIconCurEX> iconSet;
    TIconEx* set = nullptr;
    int entry = index;  // the entry's place in set
    std::vector<Loss> losses;
    switch (ChooseReader(path)) {
        case ReaderKind::Executable: {
            // Any entry number list shows: the walk keeps only that image.
            exeSet = std::make_unique<TExeEXsub>();
            set = exeSet.get();
            int seen = 0;
            try {
                WalkExeImages(path, [&](ExeImage& image) {
                    if (seen++ != index) return true;
                    exeSet->Entries[0] = std::move(image.entry);
                    exeSet->Count = 1;
                    return false;
                });
            } catch (const EInOutError& e) {
                return fail(e.what());
            }
            if (seen == 0) return fail("no icon images found in \"" + path + "\"");
            if (exeSet->Count == 0)
                return fail("\"" + path + "\" has " + std::to_string(seen) + " entries; there is no entry " +
                            std::to_string(index));
            entry = 0;
            break;
        }
        default: {
            ReadResult<FileContent> read = ReadEntrySet(path);
            if (read.refused) {
                PrintRefusal("export", path, read.refusal);
                return 1;
            }
            aniSet = std::move(read.value.animation);
            iconSet = std::move(read.value.icons);
            set = aniSet ? static_cast<TIconEx*>(aniSet.get()) : iconSet.get();
            losses = std::move(read.losses);
            break;
        }
    }
    // The entry asked for may be one that was read; the exit status still says the file was not whole.
    ReportLosses(path, losses);
    if (entry >= set->Count)
        return fail("\"" + path + "\" has " + std::to_string(set->Count) + " entries; there is no entry " +
                    std::to_string(index));

    TQvDIB image, mask;
    EntryToDIBs(*set, image, mask, entry);
    const IconEntry& e = set->Entries[static_cast<std::size_t>(entry)];
    // 16-bit pictures come out of an entry as 24 bits, and a PNG image is
    // best kept as it is: such entries are copied as they stand.
    const int bits = ReadU16LE(e.InfoHeader.data() + 14);
    const bool copyEntry = bits == 16 || bits == 32;
    const bool pngSource = !e.PngStream.empty();
    switch (kind) {
        case ExportKind::Icon:
            if (copyEntry)
                WriteFileReplacing(out, entryFileBytes(e, 1, storage));
            else
                WriteFileReplacing(out, onePairFile(image, mask, 1, 0, 0, storage));
            break;
        case ExportKind::Cursor:
            if (copyEntry)
                WriteFileReplacing(out, entryFileBytes(e, 2, storage));
            else
                WriteFileReplacing(out, onePairFile(image, mask, 2, e.HotSpotX, e.HotSpotY, storage));
            break;
        case ExportKind::Bitmap:
            // A 32-bit image keeps its alpha in a BITMAPV5 file.
            if (HasAlphaChannel(image))
                WriteFileReplacing(out, EncodeBmpWithAlpha(image));
            else
                image.SaveToFile(out);
            break;
        case ExportKind::Jpeg: SaveDIBAsJpegFile(image, out); break;
        case ExportKind::Png:
            // A PNG image read from the file is written as it was.
            if (pngSource)
                WriteFileReplacing(out, EntryPngBytes(e));
            else
                SavePngFile(out, image, &mask);
            break;
    }
    return 0;
}

const CommandRegistration registration(
    {"export",
     "  export FILE --entry N -o OUT [--png|--bmp]\n"
     "                       entry N (from 0) of an icon, cursor, animated cursor, ICNS or\n"
     "                       executable as OUT: a one-image .ico or .cur (a cursor keeps\n"
     "                       the entry's hot spot; --png/--bmp: how its image is stored),\n"
     "                       the image as .bmp (32 bits with alpha) or .jpg, or the image\n"
     "                       with its alpha (or its mask as alpha) as .png",
     runExport});

}  // namespace

}  // namespace vornik::cli
