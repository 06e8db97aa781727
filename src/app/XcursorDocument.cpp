#include "app/XcursorDocument.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>

#include "anim/XcursorConvert.h"
#include "model/XcursorFile.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"

namespace vornik {

namespace {

Bytes head(const std::string& path, std::size_t n) {
    std::ifstream in(path, std::ios::binary);
    Bytes out(n);
    in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(n));
    out.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return out;
}

}  // namespace

bool IsXcursorFile(const std::string& path) {
    const Bytes b = head(path, 4);
    return IsXcursorData(b.data(), b.size());
}

bool IsAnimatedXcursorFile(const std::string& path) {
    if (!IsXcursorFile(path)) return false;
    // Header and table only: a table of at most 0x10000 entries of 12 bytes.
    const Bytes b = head(path, 16 + 12 * 0x10000 + 16);
    if (b.size() < 16) return false;
    const std::uint32_t headerLen = ReadU32LE(b.data() + 4), ntoc = ReadU32LE(b.data() + 12);
    std::map<std::uint32_t, int> perSize;
    for (std::uint64_t i = 0; i < ntoc; ++i) {
        const std::uint64_t at = headerLen + 12 * i;
        if (at + 12 > b.size()) break;
        if (ReadU32LE(b.data() + at) != 0xfffd0002u) continue;
        if (++perSize[ReadU32LE(b.data() + at + 4)] > 1) return true;
    }
    return false;
}

std::unique_ptr<TIconCurEX> LoadXcursorAsCursor(const std::string& path) {
    XcursorConversion c = XcursorToSets(ReadXcursorFile(path));
    if (!c.cursor) throw EVornikError("\"" + path + "\" is an animated Xcursor file");
    return std::move(c.cursor);
}

std::unique_ptr<TAniEX> LoadXcursorAsAnimation(const std::string& path, std::uint32_t defaultRate) {
    XcursorConversion c = XcursorToSets(ReadXcursorFile(path), defaultRate);
    if (c.animation) return std::move(c.animation);
    return CursorSetAsAnimation(*c.cursor);
}

bool IsXcursorName(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext != ".ico" && ext != ".cur" && ext != ".ani";
}

void SaveCursorSetAsXcursor(const TIconEx& set, const std::string& path) {
    WriteFileReplacing(path, WriteXcursor(CursorSetToXcursor(set)));
}

void SaveAnimationAsXcursor(const TAniEX& set, const std::string& path) {
    WriteFileReplacing(path, WriteXcursor(AnimationToXcursor(set)));
}

}  // namespace vornik
