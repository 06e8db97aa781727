#include "formats/CursorFiles.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "anim/AniContent.h"
#include "anim/XcursorConvert.h"
#include "formats/FormatRegistry.h"
#include "model/IcoContent.h"
#include "model/XcursorScale.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"
#include "platform/FileMessages.h"

namespace vornik {

namespace {

constexpr std::uint64_t kMaxCursorFileBytes = 1ull << 30;

}  // namespace

CursorFileKind SniffCursorFile(const Bytes& data) {
    // No name: content alone decides.
    const FileFormat& f = DetectFormat({data.data(), std::min(data.size(), kFormatHeadSize), data.size()}, "");
    if (f.name == "Xcursor") return CursorFileKind::Xcursor;
    if (f.name == "ANI") return CursorFileKind::Animated;
    if (f.name == "ICO" || f.name == "CUR") return CursorFileKind::IconOrCursor;
    return CursorFileKind::Other;
}

CursorDocument ReadCursorDocument(const Bytes& data, const std::string& name) {
    CursorDocument doc;
    switch (SniffCursorFile(data)) {
        case CursorFileKind::Xcursor: {
            XcursorConversion c = XcursorToSets(ReadXcursor(data.data(), data.size(), name));
            doc.cursor = std::move(c.cursor);
            doc.animation = std::move(c.animation);
            doc.notes = std::move(c.notes);
            return doc;
        }
        case CursorFileKind::Animated: {
            auto set = std::make_unique<TAniEX>();
            if (!set->LoadFromMemory(data.data(), data.size(), name) || !set->LoadError().empty())
                throw EVornikError(set->LoadError().empty() ? "\"" + name + "\" cannot be read" : set->LoadError());
            if (set->Count == 0) throw EVornikError("\"" + name + "\" holds no frames");
            doc.losses = set->LoadLosses;
            doc.animation = std::move(set);
            return doc;
        }
        case CursorFileKind::IconOrCursor: {
            auto set = std::make_unique<TIconCurEX>();
            if (!set->LoadFromBytes(data, name)) throw EVornikError(set->LoadError());
            // An icon's directory holds planes and bit count where a cursor's hot spot is.
            if (set->ResourceType == 1)
                for (int i = 0; i < set->Count; ++i) set->Entries[static_cast<std::size_t>(i)].HotSpotX =
                    set->Entries[static_cast<std::size_t>(i)].HotSpotY = 0;
            doc.cursor = std::move(set);
            return doc;
        }
        case CursorFileKind::Other: break;
    }
    throw EVornikError("\"" + name + "\" is not a cursor (neither Xcursor, ANI, CUR nor ICO)");
}

CursorDocument ReadCursorDocument(const std::string& path) {
    if (!FileExists(path)) throw EInOutError(FileProblem(filemsg::kNoSuchFile, path));
    return ReadCursorDocument(ReadFileBytes(path, kMaxCursorFileBytes), path);
}

std::vector<XcursorPicture> CursorDocumentToXcursor(const CursorDocument& doc, std::vector<std::string>* notes) {
    if (doc.animation) return AnimationToXcursor(*doc.animation, notes);
    if (doc.cursor) return CursorSetToXcursor(*doc.cursor, notes);
    throw EVornikError(Message("Write", VORNIK_TRANSLATE_NOOP("Write", "nothing to convert")));
}

std::vector<XcursorPicture> XcursorAtSizes(const std::vector<XcursorPicture>& images, const std::vector<int>& sizes) {
    std::vector<std::uint32_t> have;
    std::map<std::uint32_t, std::vector<const XcursorPicture*>> bySize;
    for (const XcursorPicture& p : images) {
        if (bySize[p.nominalSize].empty()) have.push_back(p.nominalSize);
        bySize[p.nominalSize].push_back(&p);
    }
    std::vector<XcursorPicture> out;
    for (int want : sizes) {
        const auto target = static_cast<std::uint32_t>(want);
        if (bySize.count(target)) {
            for (const XcursorPicture* p : bySize[target]) out.push_back(*p);
            continue;
        }
        // The smallest size above the target, else the largest there is.
        std::uint32_t from = 0;
        for (std::uint32_t s : have)
            if (s > target && (from == 0 || s < from)) from = s;
        if (from == 0) from = *std::max_element(have.begin(), have.end());
        for (const XcursorPicture* p : bySize[from]) out.push_back(ScaleXcursorPicture(*p, target));
    }
    return out;
}

void WriteWindowsCursor(CursorDocument& doc, const std::string& path) {
    if (doc.animation) {
        WriteFileReplacing(path, doc.animation->SaveToBytes());
    } else if (doc.cursor) {
        doc.cursor->ResourceType = 2;
        WriteFileReplacing(path, doc.cursor->SaveToBytes());
    } else {
        throw EVornikError(Message("Write", VORNIK_TRANSLATE_NOOP("Write", "nothing to write")));
    }
}

const char* WindowsCursorExtension(const CursorDocument& doc) { return doc.animated() ? ".ani" : ".cur"; }

}  // namespace vornik
