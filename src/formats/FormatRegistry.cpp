#include "formats/FormatRegistry.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

#include "anim/AniContent.h"
#include "formats/FormatReaders.h"
#include "imaging/BmpContent.h"
#include "imaging/JpegCodec.h"
#include "imaging/SvgSource.h"
#include "model/IcnsFile.h"
#include "model/IcoContent.h"
#include "model/IconImageReader.h"
#include "model/XcursorFile.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"

namespace vornik {

namespace {

bool isPng(const FormatHead& h) { return IsPngImage(h.data, h.size, 0); }
bool isJpeg(const FormatHead& h) { return h.size >= 3 && LooksLikeJpeg(h.data, h.size) && h.data[2] == 0xFF; }
bool isBmp(const FormatHead& h) { return IsBmpContent(h.data, h.size, h.fileSize); }
bool isAni(const FormatHead& h) { return IsAniContent(h.data, h.size); }
bool isXcursor(const FormatHead& h) { return IsXcursorData(h.data, h.size); }
bool isIco(const FormatHead& h) { return IcoContentType(h.data, h.size) == 1; }
bool isCur(const FormatHead& h) { return IcoContentType(h.data, h.size) == 2; }
bool isProgram(const FormatHead& h) { return IsExecutableContent(h.data, h.size); }
bool isSvg(const FormatHead& h) { return LooksLikeSvg(h.data, h.size); }
bool isIcns(const FormatHead& h) { return IsIcnsData(h.data, h.size); }

}  // namespace

const std::vector<FileFormat>& Formats() {
    // Binary signatures first, the text sniffing of SVG after them; the
    // content scan takes whatever is left.
    static const std::vector<FileFormat> formats = {
        {"PNG", {".png"}, isPng, Yield::Picture, ReadPictureFile},
        {"JPEG", {".jpg", ".jpeg", ".jpe", ".jfif"}, isJpeg, Yield::Picture, ReadPictureFile},
        {"BMP", {".bmp", ".dib"}, isBmp, Yield::Picture, ReadPictureFile},
        {"ANI", {".ani"}, isAni, Yield::Animation, ReadAniFile},
        {"Xcursor", {}, isXcursor, Yield::Cursors, ReadXcursorFile},
        {"ICO", {".ico"}, isIco, Yield::IconSet, ReadIconFile},
        {"CUR", {".cur"}, isCur, Yield::CursorSet, ReadIconFile},
        {"PE/NE", {".exe", ".dll", ".icl", ".ocx", ".cpl", ".scr", ".sys", ".drv", ".mui"}, isProgram,
         Yield::ProgramIcons, ReadProgramFile},
        {"SVG", {".svg", ".svgz"}, isSvg, Yield::Picture, ReadPictureFile},
        {"ICNS", {".icns"}, isIcns, Yield::IconSet, ReadAppleIconFile},
        // New formats go above this line.
        {"content scan", {}, nullptr, Yield::ProgramIcons, ReadProgramFile},
    };
    return formats;
}

const FileFormat* FormatNamed(std::string_view name) {
    for (const auto& f : Formats())
        if (f.name == name) return &f;
    return nullptr;
}

std::string LowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

const FileFormat& DetectFormat(const FormatHead& head, const std::string& path) {
    const auto& formats = Formats();
    const std::string ext = LowerExtension(path);
    auto named = [&](const FileFormat& f) {
        return !ext.empty() && std::find(f.extensions.begin(), f.extensions.end(), ext) != f.extensions.end();
    };
    const FileFormat* first = nullptr;
    for (const auto& f : formats) {
        if (!f.matches || !f.matches(head)) continue;
        if (named(f)) return f;  // content and name agree
        if (!first) first = &f;
    }
    if (first) return *first;
    for (const auto& f : formats)
        if (named(f)) return f;
    return formats.back();
}

ReadResult<const FileFormat*> DetectFileFormat(const std::string& path) {
    using R = ReadResult<const FileFormat*>;
    if (!FileExists(path)) return R::Refuse(RefusalCode::FileMissing);
    std::ifstream in(path, std::ios::binary);
    if (!in) return R::Refuse(RefusalCode::CannotRead);
    Bytes head(kFormatHeadSize);
    in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    if (in.bad()) return R::Refuse(RefusalCode::CannotRead);
    head.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    std::uint64_t size = 0;
    try {
        size = FileSizeOf(path);
    } catch (const EInOutError&) {
        return R::Refuse(RefusalCode::CannotRead);
    }
    R r;
    r.value = &DetectFormat({head.data(), head.size(), size}, path);
    return r;
}

ReadResult<FileContent> ReadFileContent(const std::string& path, const ReadOptions& options) {
    const auto format = DetectFileFormat(path);
    if (format.refused) return ReadResult<FileContent>::Refuse(format.refusal.code);
    return format.value->read(path, options);
}

}  // namespace vornik
