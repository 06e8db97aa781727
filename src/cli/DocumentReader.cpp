#include "cli/DocumentReader.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "anim/AniContent.h"
#include "anim/TAniEX.h"
#include "cli/EntryTable.h"
#include "cli/IcnsDocument.h"
#include "formats/IcnsIconSet.h"
#include "model/ExeImageWalk.h"
#include "model/TIconEx.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"
#include "platform/ShiftJis.h"
#include "cli/CliCommand.h"

namespace vornik::cli {

namespace {

std::string upperExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::toupper(c); });
    return ext;
}

bool beginsRiffAcon(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::uint8_t head[12] = {};
    if (!in.read(reinterpret_cast<char*>(head), sizeof head)) return false;
    return IsAniContent(head, sizeof head);
}

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

int listAni(const std::string& path, bool tsv) {
    TAniEX ani;
    const bool ok = ani.LoadFromFile(path);
    if (!ok || !ani.LoadError().empty()) {
        const std::string why = !ani.LoadError().empty() ? ani.LoadError() : "cannot read \"" + path + "\"";
        std::fprintf(CliErr(), "vornik-cli list: %s\n", why.c_str());
        return 1;
    }
    if (tsv) {
        print(FormatEntryTsv(ani) + "\n" + stepTsv(ani) + "\n" + frameSizes(ani, true));
    } else {
        print(FormatEntryTable(ani) + "\n" + stepTable(ani) + "\n" + frameSizes(ani, false) + "\nTitle: " + ShiftJisToUtf8(ani.Title) +
              "\nCreator: " + ShiftJisToUtf8(ani.Creator) + "\n");
    }
    return 0;
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
    } catch (const EInOutError& e) {
        std::fprintf(CliErr(), "vornik-cli list: %s\n", e.what());
        return 1;
    }
    if (!rows.empty()) print(tsv ? FormatEntryTsv(rows) : FormatEntryTable(rows));
    // Images skipped make the listing incomplete.
    for (const auto& note : walk.notes) std::fprintf(CliErr(), "vornik-cli list: \"%s\": %s\n", path.c_str(), note.c_str());
    if (walk.truncated) {
        // The images found before are listed all the same.
        std::fprintf(CliErr(), "vornik-cli list: Read beyond end of file \"%s\" (icon image at offset %zu)\n", path.c_str(),
                     walk.truncatedAt);
        return 1;
    }
    if (!walk.notes.empty()) return 1;
    if (rows.empty()) {
        std::fprintf(CliErr(), "vornik-cli list: no icon images found in \"%s\"\n", path.c_str());
        return 1;
    }
    return 0;
}

int listIcon(const std::string& path, bool tsv) {
    TIconCurEX set;
    // Sizes come from the directory and the PNG headers: no pixels decoded.
    if (!set.LoadFromFile(path, false)) {
        std::fprintf(CliErr(), "vornik-cli list: %s\n", set.LoadError().c_str());
        return 1;
    }
    print(tsv ? FormatEntryTsv(set) : FormatEntryTable(set));
    return 0;
}

int refuseBitmap(const char* command, const std::string& path) {
    std::fprintf(CliErr(), "vornik-cli %s: \"%s\" is a picture, not a set of icon entries\n", command,
                 path.c_str());
    return 1;
}

}  // namespace

ReaderKind ChooseReader(const std::string& path) {
    if (beginsRiffAcon(path)) return ReaderKind::AnimatedCursor;
    const std::string ext = upperExtension(path);
    if (ext == ".BMP" || ext == ".DIB" || ext == ".JPG" || ext == ".JPEG") return ReaderKind::Bitmap;
    if (ext == ".ICO" || ext == ".CUR") return ReaderKind::IconCursor;
    if (ext == ".ANI") return ReaderKind::AnimatedCursor;
    return ReaderKind::Executable;
}

int ListDocument(const std::string& path, bool tsv) {
    if (!FileExists(path)) {
        std::fprintf(CliErr(), "vornik-cli list: no such file \"%s\"\n", path.c_str());
        return 1;
    }
    if (IsAppleIconFile(path)) return ListIcns(path, tsv);
    switch (ChooseReader(path)) {
        case ReaderKind::AnimatedCursor:
            return listAni(path, tsv);
        case ReaderKind::Executable:
            return listExe(path, tsv);
        case ReaderKind::Bitmap:
            return refuseBitmap("list", path);
        case ReaderKind::IconCursor:
            break;
    }
    return listIcon(path, tsv);
}

int ResaveDocument(const std::string& in, const std::string& out, EntryStorage storage) {
    if (!FileExists(in)) {
        std::fprintf(CliErr(), "vornik-cli resave: no such file \"%s\"\n", in.c_str());
        return 1;
    }
    if (IsAppleIconFile(in)) return ResaveIcns(in, out);
    switch (ChooseReader(in)) {
        case ReaderKind::AnimatedCursor: {
            TAniEX ani;
            if (!ani.LoadFromFile(in) || !ani.LoadError().empty()) {
                const std::string why =
                    !ani.LoadError().empty() ? ani.LoadError() : "cannot read \"" + in + "\"";
                std::fprintf(CliErr(), "vornik-cli resave: %s\n", why.c_str());
                return 1;
            }
            ani.SaveToFile(out);
            return 0;
        }
        case ReaderKind::Executable:
            std::fprintf(CliErr(),
                         "vornik-cli resave: icons found in \"%s\" are not written back; use extract\n",
                         in.c_str());
            return 1;
        case ReaderKind::Bitmap:
            return refuseBitmap("resave", in);
        case ReaderKind::IconCursor:
            break;
    }
    TIconCurEX set;
    // PNG images are decoded only when they are to be written as bitmaps;
    // otherwise their streams go out as they came in.
    if (!set.LoadFromFile(in, storage == EntryStorage::Bmp)) {
        std::fprintf(CliErr(), "vornik-cli resave: %s\n", set.LoadError().c_str());
        return 1;
    }
    set.Storage = storage;
    set.SaveToFile(out);
    return 0;
}

}  // namespace vornik::cli
