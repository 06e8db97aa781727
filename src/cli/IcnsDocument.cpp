#include "cli/IcnsDocument.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "cli/CliCommand.h"
#include "cli/EntryFileNames.h"
#include "cli/EntryTable.h"
#include "cli/OutputGuard.h"
#include "imaging/AlphaSplit.h"
#include "imaging/PngWriteRgba.h"
#include "model/EntryConversion.h"
#include "model/IcnsFile.h"
#include "model/IcnsImage.h"
#include "platform/FileIO.h"

namespace vornik::cli {

namespace {

void print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), CliOut()); }

std::string hex(std::uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%x", v);
    return buf;
}

void tellLosses(const char* command, const IcnsFile& file) {
    for (const std::string& loss : file.losses)
        std::fprintf(CliErr(), "vornik-cli %s: %s\n", command, loss.c_str());
}

// Reads the file or says why not on stderr.
bool readOrSay(const char* command, const std::string& path, IcnsFile& file) {
    try {
        file = ReadIcnsFile(path);
        return true;
    } catch (const EVornikError& e) {
        std::fprintf(CliErr(), "vornik-cli %s: %s\n", command, e.what());
        return false;
    }
}

std::string caption(const IcnsFile& file, const IcnsImage& image) {
    const IcnsTypeInfo* info = FindIcnsType(image.type);
    std::string text = std::to_string(image.side) + " x " + std::to_string(image.side) + " - " +
                       IcnsTypeText(file.elements[image.element].type);
    if (info && std::string(info->label).find('@') != std::string::npos)
        text += std::string(" (") + info->label + ")";
    return text;
}

// Caption, colour name and type read left to right.
std::string table(const std::vector<std::vector<std::string>>& rows) { return AlignedColumns(rows, {1, 4, 7}); }

// The image's element, and its mask for a classic image, as a file of its own.
Bytes oneImageFile(const IcnsFile& file, const IcnsImage& image) {
    std::vector<IcnsElement> elements = {file.elements[image.element]};
    if (image.mask >= 0) elements.push_back(file.elements[static_cast<std::size_t>(image.mask)]);
    return WriteIcns(elements);
}

}  // namespace

int ListIcns(const std::string& path, bool tsv) {
    IcnsFile file;
    if (!readOrSay("list", path, file)) return 1;
    const std::vector<IcnsImage> images = IcnsImages(file);
    std::vector<std::vector<std::string>> rows = {{"#", "No", "X", "Y", "Color", "Offset", "Size", "Type"}};
    std::string tsvText = "No\tX\tY\tBitCount\tColor\tOffset\tSize\tType\n";
    for (std::size_t i = 0; i < images.size(); ++i) {
        const IcnsImage& image = images[i];
        const IcnsElement& e = file.elements[image.element];
        std::size_t bytes = e.data.size();
        if (image.mask >= 0) bytes += file.elements[static_cast<std::size_t>(image.mask)].data.size();
        const std::string side = std::to_string(image.side);
        const std::string type = IcnsTypeText(e.type);
        rows.push_back({std::to_string(i), caption(file, image), side, side, IcnsCodingName(image.coding),
                        hex(e.offset), std::to_string(bytes), type});
        tsvText += std::to_string(i) + "\t" + side + "\t" + side + "\t32\t" + IcnsCodingName(image.coding) +
                   "\t" + hex(e.offset) + "\t" + std::to_string(bytes) + "\t" + type + "\n";
    }
    print(tsv ? tsvText : table(rows));
    tellLosses("list", file);
    return file.losses.empty() ? 0 : 1;
}

int ResaveIcns(const std::string& in, const std::string& out) {
    IcnsFile file;
    if (!readOrSay("resave", in, file)) return 1;
    tellLosses("resave", file);
    SaveIcnsFile(out, file.elements);
    return file.losses.empty() ? 0 : 1;
}

int ExtractIcns(const std::string& path, const std::string& dir, const std::string& stem, long long first,
                bool overwrite, bool asPng) {
    IcnsFile file;
    if (!readOrSay("extract", path, file)) return 1;
    const std::vector<IcnsImage> images = IcnsImages(file);
    const std::vector<std::string> names =
        EntryFileNames(dir, stem, first, static_cast<int>(images.size()), asPng ? ".png" : ".icns");
    for (const auto& name : names) RefuseOutputOverInput(path, name);
    if (!overwrite) {
        std::error_code ec;
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (asPng && images[i].coding == IcnsCoding::Jpeg2000) continue;
            if (std::filesystem::exists(names[i], ec)) {
                std::fprintf(CliErr(),
                             "vornik-cli extract: \"%s\" exists; nothing written (--overwrite replaces it)\n",
                             names[i].c_str());
                return 1;
            }
        }
    }
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (!std::filesystem::is_directory(dir, ec)) {
        std::fprintf(CliErr(), "vornik-cli extract: cannot make the folder \"%s\"\n", dir.c_str());
        return 1;
    }
    int status = file.losses.empty() ? 0 : 1;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const IcnsImage& image = images[i];
        const IcnsElement& e = file.elements[image.element];
        if (!asPng) {
            WriteFileReplacing(names[i], oneImageFile(file, image));
        } else if (image.coding == IcnsCoding::Jpeg2000) {
            std::fprintf(CliErr(),
                         "vornik-cli extract: \"%s\": entry %zu (%s) is JPEG 2000, which Vornik does not "
                         "decode; skipped\n",
                         path.c_str(), i, IcnsTypeText(e.type).c_str());
            continue;
        } else if (image.coding == IcnsCoding::Png) {
            WriteFileReplacing(names[i], e.data);
        } else {
            try {
                WriteFileReplacing(names[i], EncodeRgbaPng(DecodeIcnsImage(file, image)));
            } catch (const EIcnsError& error) {
                std::fprintf(CliErr(), "vornik-cli extract: \"%s\": %s\n", path.c_str(), error.what());
                status = 1;
                continue;
            }
        }
        std::fprintf(CliOut(), "%s\n", names[i].c_str());
    }
    tellLosses("extract", file);
    if (images.empty()) {
        std::fprintf(CliErr(), "vornik-cli extract: nothing to extract from \"%s\"\n", path.c_str());
        return 1;
    }
    return status;
}

void IcnsEntryAsSet(const std::string& path, int index, TIconCurEX& set, Bytes& png) {
    const IcnsFile file = ReadIcnsFile(path);
    const std::vector<IcnsImage> images = IcnsImages(file);
    if (index < 0 || static_cast<std::size_t>(index) >= images.size())
        throw EVornikError("\"" + path + "\" has " + std::to_string(images.size()) +
                           " entries; there is no entry " + std::to_string(index));
    const IcnsImage& image = images[static_cast<std::size_t>(index)];
    TQvDIB picture;
    try {
        picture = DecodeIcnsImage(file, image);
    } catch (const EIcnsError& e) {
        throw EVornikError("\"" + path + "\": " + e.what());
    }
    if (image.coding == IcnsCoding::Png) png = file.elements[image.element].data;
    TQvDIB colour, mask;
    SplitAlpha(picture, colour, mask);
    mask.ConvertToMono();
    set.Clear();
    const int slot = set.AddSlot(-1);
    set.InitEntry(slot, 1, image.side, image.side, 32);
    DIBsToEntry(set, picture, mask, slot);
    set.ResourceType = 1;
}

TQvDIB LargestIcnsPicture(const std::string& path) {
    const IcnsFile file = ReadIcnsFile(path);
    std::vector<IcnsImage> images = IcnsImages(file);
    std::stable_sort(images.begin(), images.end(),
                     [](const IcnsImage& a, const IcnsImage& b) { return a.side > b.side; });
    std::string why = "no images";
    for (const IcnsImage& image : images) {
        try {
            return DecodeIcnsImage(file, image);
        } catch (const EIcnsError& e) {
            why = e.what();  // JPEG 2000 or damaged: the next largest serves
        }
    }
    throw EVornikError("\"" + path + "\": no image Vornik can decode (" + why + ")");
}

}  // namespace vornik::cli
