#include "cli/DocumentReader.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "anim/TAniEX.h"
#include "cli/EntryTable.h"
#include "cli/IcnsDocument.h"
#include "cli/ReadNotes.h"
#include "cli/StdStreams.h"
#include "formats/FormatRegistry.h"
#include "formats/IcnsIconSet.h"
#include "model/ExeImageWalk.h"
#include "model/TIconEx.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"
#include "platform/ShiftJis.h"
#include "cli/CliCommand.h"

namespace vornik::cli {

namespace {

void print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), CliOut()); }

std::string stepTsv(const TAniEX& ani) {
    std::string out = "Step\tFrame\tRate\n";
    for (int i = 0; i < ani.StepCount(); ++i)
        out += std::to_string(i) + "\t" + std::to_string(ani.Steps[i].Frame) + "\t" +
               std::to_string(ani.Steps[i].Rate) + "\n";
    return out;
}

std::string stepTable(const TAniEX& ani) {
    std::string out = "Step  Frame  Rate\n";
    char line[64];
    for (int i = 0; i < ani.StepCount(); ++i) {
        std::snprintf(line, sizeof line, "%4d  %5d  %4d\n", i, ani.Steps[i].Frame, ani.Steps[i].Rate);
        out += line;
    }
    return out;
}

// Each frame's images as "WxH" in their order (several in modern packs).
std::string frameSizes(const TAniEX& ani, bool tsv) {
    std::string out = tsv ? "Frame\tSizes\n" : "Frame  Sizes\n";
    for (int i = 0; i < ani.Count; ++i) {
        std::string sizes;
        const FrameImageList* list = ani.ImagesOfFrame(i);
        const std::size_t n = list ? list->Images.size() : 1;
        for (std::size_t k = 0; k < n; ++k) {
            int w = 0, h = 0;
            if (list) {
                w = list->Images[k].Width;
                h = list->Images[k].Height;
            } else if (ani.Entries[i].InfoHeader.size() >= 12) {
                w = ReadI32LE(ani.Entries[i].InfoHeader.data() + 4);
                h = ReadI32LE(ani.Entries[i].InfoHeader.data() + 8);
            }
            if (!sizes.empty()) sizes += tsv ? "," : " ";
            sizes += std::to_string(w) + "x" + std::to_string(h);
        }
        char head[16];
        std::snprintf(head, sizeof head, "%5d  ", i);
        out += tsv ? std::to_string(i) + "\t" + sizes + "\n" : std::string(head) + sizes + "\n";
    }
    return out;
}

std::string aniListing(const TAniEX& ani, bool tsv) {
    if (tsv) return FormatEntryTsv(ani) + "\n" + stepTsv(ani) + "\n" + frameSizes(ani, true);
    return FormatEntryTable(ani) + "\n" + stepTable(ani) + "\n" + frameSizes(ani, false) +
           "\nTitle: " + ShiftJisToUtf8(ani.Title) + "\nCreator: " + ShiftJisToUtf8(ani.Creator) + "\n";
}

// A picture as one row in the usual columns: its size and depth, the whole file as its data.
std::string pictureListing(const TQvDIB& picture, const std::string& path, bool tsv) {
    EntryRow row;
    row.width = picture.Width();
    row.height = picture.Height();
    row.bitCount = picture.GetBitCount();
    row.size = static_cast<std::uint32_t>(std::min<std::uint64_t>(FileSizeOf(path), UINT32_MAX));
    return tsv ? FormatEntryTsv(std::vector<EntryRow>{row}) : FormatEntryTable(std::vector<EntryRow>{row});
}

int listExe(const std::string& path, bool tsv) {
    // Any number of images: one is decoded at a time and only its row is kept.
    std::vector<EntryRow> rows;
    ExeWalkResult walk;
    try {
        walk = WalkExeImages(path, [&rows](ExeImage& image) {
            rows.push_back(RowOf(image.entry));
            return true;
        });
    } catch (const EInOutError&) {
        PrintRefusal("list", path, {RefusalCode::CannotRead, {}, {}});
        return 1;
    }
    if (rows.empty()) {
        PrintRefusal("list", path, {walk.truncated ? RefusalCode::EndsEarly : RefusalCode::NoImages, {}, {}});
        return 1;
    }
    print(tsv ? FormatEntryTsv(rows) : FormatEntryTable(rows));
    // Images skipped make the listing incomplete; after a content scan the
    // one note says why the directory was not used, and nothing is lost.
    std::vector<Loss> losses;
    if (walk.fromResources && !walk.notes.empty()) {
        std::string detail;
        for (const auto& note : walk.notes) detail += (detail.empty() ? "" : "; ") + note;
        losses.push_back({LossCode::ResourcesSkipped, {}, walk.notes.size(), detail});
    }
    if (walk.truncated)
        losses.push_back({LossCode::ImageCut, "offset " + std::to_string(walk.truncatedAt), 1, {}});
    PrintLosses("list", path, losses);
    return losses.empty() ? 0 : 1;
}

}  // namespace

ReaderKind ChooseReader(const std::string& path) {
    const auto format = DetectFileFormat(path);
    if (format.refused) return ReaderKind::Executable;  // the walk says why
    switch (format.value->yields) {
        case Yield::Picture: return ReaderKind::Bitmap;
        case Yield::Animation: return ReaderKind::AnimatedCursor;
        case Yield::IconSet:
        case Yield::CursorSet: return ReaderKind::IconCursor;
        case Yield::Cursors: return ReaderKind::Xcursor;
        case Yield::ProgramIcons: break;
    }
    return ReaderKind::Executable;
}

ReadResult<FileContent> ReadEntrySet(const std::string& path, bool decodePng) {
    using R = ReadResult<FileContent>;
    const auto format = DetectFileFormat(path);
    if (format.refused) return R::Refuse(format.refusal.code);
    if (format.value->yields == Yield::Picture) return R::Refuse(RefusalCode::NotForCommand);
    ReadOptions options;
    options.decodePng = decodePng;
    return format.value->read(path, options);
}

int ListDocument(const std::string& path, bool tsv) {
    if (FileExists(path) && IsAppleIconFile(path)) return ListIcns(path, tsv);
    // The same reader the editor's open command takes (FormatRegistry.h).
    const auto format = DetectFileFormat(path);
    if (format.refused) {
        PrintRefusal("list", path, format.refusal);
        return 1;
    }
    // Programs are walked, not read whole: any number of images.
    if (format.value->yields == Yield::ProgramIcons) return listExe(path, tsv);
    // Sizes come from the directory and the PNG headers: no pixels decoded.
    ReadOptions options;
    options.decodePng = false;
    ReadResult<FileContent> r = format.value->read(path, options);
    if (r.refused) {
        PrintRefusal("list", path, r.refusal);
        return 1;
    }
    const FileContent& c = r.value;
    if (c.kind == Yield::Picture)
        print(pictureListing(c.picture, path, tsv));
    else if (c.animation)
        print(aniListing(*c.animation, tsv));
    else
        print(tsv ? FormatEntryTsv(*c.icons) : FormatEntryTable(*c.icons));
    PrintLosses("list", path, r.losses);
    return r.losses.empty() ? 0 : 1;
}

int ResaveDocument(const std::string& in, const std::string& out, EntryStorage storage) {
    if (FileExists(in) && IsAppleIconFile(in)) return ResaveIcns(in, out);
    const ReaderKind kind = ChooseReader(in);
    if (kind == ReaderKind::Executable || kind == ReaderKind::Xcursor) {
        if (!FileExists(in)) {
            PrintRefusal("resave", in, {RefusalCode::FileMissing, {}, {}});
            return 1;
        }
        std::fprintf(CliErr(), "vornik-cli resave: icons found in \"%s\" are not written back; use extract\n",
                     ShownFileName(in).c_str());
        return 1;
    }
    // PNG images are decoded only when they are to be written as bitmaps;
    // otherwise their streams go out as they came in.
    ReadResult<FileContent> r = ReadEntrySet(in, storage == EntryStorage::Bmp);
    if (r.refused) {
        PrintRefusal("resave", in, r.refusal);
        return 1;
    }
    if (r.value.animation) {
        r.value.animation->SaveToFile(out);
    } else {
        r.value.icons->Storage = storage;
        r.value.icons->SaveToFile(out);
    }
    // Written all the same: what was read is kept, and the exit status says it is not all.
    PrintLosses("resave", in, r.losses);
    return r.losses.empty() ? 0 : 1;
}

}  // namespace vornik::cli
