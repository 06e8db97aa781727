#include "formats/FormatReaders.h"

#include "anim/XcursorConvert.h"
#include "formats/IcnsIconSet.h"
#include "formats/PictureRead.h"
#include "model/XcursorFile.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"
#include "platform/HeldNotices.h"

namespace vornik {

namespace {

using Result = ReadResult<FileContent>;

// A lower reader's message without the quoted file name it starts with: the
// message made at the edge names the file itself.
std::string withoutName(const std::string& text, const std::string& path) {
    const std::string quoted = "\"" + path + "\"";
    std::string out = text;
    if (out.rfind(quoted, 0) == 0) {
        out.erase(0, quoted.size());
        if (out.rfind(": ", 0) == 0) out.erase(0, 2);
        else if (out.rfind(' ', 0) == 0) out.erase(0, 1);
    }
    return out;
}

// Runs a reader, turning what it throws into a refusal.
template <class F>
Result guarded(const std::string& path, F&& read) {
    if (!FileExists(path)) return Result::Refuse(RefusalCode::FileMissing);
    HeldNotices quiet;
    try {
        return read();
    } catch (const EEndOfFile& e) {
        return Result::Refuse(RefusalCode::EndsEarly, {}, withoutName(e.what(), path));
    } catch (const EInOutError& e) {
        return Result::Refuse(RefusalCode::CannotRead, {}, withoutName(e.what(), path));
    } catch (const std::bad_alloc&) {
        return Result::Refuse(RefusalCode::TooLarge);
    } catch (const std::exception& e) {
        return Result::Refuse(RefusalCode::Damaged, {}, withoutName(e.what(), path));
    }
}

}  // namespace

Result ReadIconFile(const std::string& path, const ReadOptions& options) {
    return guarded(path, [&] {
        auto set = std::make_unique<TIconCurEX>();
        if (!set->LoadFromFile(path, options.decodePng))
            return Result::Refuse(RefusalCode::Damaged, {}, withoutName(set->LoadError(), path));
        if (set->Count == 0) return Result::Refuse(RefusalCode::NoImages);
        Result r;
        r.value.kind = set->ResourceType == 2 ? Yield::CursorSet : Yield::IconSet;
        r.value.icons = std::move(set);
        return r;
    });
}

Result ReadAniFile(const std::string& path, const ReadOptions& options) {
    return guarded(path, [&] {
        auto set = std::make_unique<TAniEX>(options.aniDefaultRate);
        if (!set->LoadFromFile(path))
            return Result::Refuse(RefusalCode::NotThisFormat, {}, withoutName(set->LoadError(), path));
        // A file the reader stopped in without a single frame read.
        if (set->Count == 0)
            return Result::Refuse(RefusalCode::NoImages, {}, withoutName(set->LoadError(), path));
        Result r;
        r.losses = set->LoadLosses;
        r.value.kind = Yield::Animation;
        r.value.animation = std::move(set);
        return r;
    });
}

Result ReadXcursorFile(const std::string& path, const ReadOptions& options) {
    return guarded(path, [&] {
        XcursorConversion c = XcursorToSets(vornik::ReadXcursorFile(path), options.aniDefaultRate);
        Result r;
        if (c.animation) {
            r.value.kind = Yield::Animation;
            r.value.animation = std::move(c.animation);
        } else {
            r.value.kind = Yield::CursorSet;
            r.value.icons = std::move(c.cursor);
        }
        return r;
    });
}

Result ReadPictureFile(const std::string& path, const ReadOptions&) {
    ReadResult<TQvDIB> p = ReadPicture(path);
    Result r;
    r.refused = p.refused;
    r.refusal = std::move(p.refusal);
    r.losses = std::move(p.losses);
    r.value.kind = Yield::Picture;
    r.value.picture = p.value;  // TQvDIB is copied, it has no move
    return r;
}

Result ReadAppleIconFile(const std::string& path, const ReadOptions&) {
    return guarded(path, [&] {
        std::size_t unshown = 0;
        auto set = LoadAppleIconAsIconSet(path, &unshown);
        const std::size_t lost = set->LoadNotes.size() - unshown;
        if (set->Count == 0) {
            std::string detail;
            for (const auto& note : set->LoadNotes) detail += (detail.empty() ? "" : "; ") + note;
            return Result::Refuse(RefusalCode::NoImages, {}, detail);
        }
        Result r;
        // One loss per image left out, each naming it (they are damaged, not over a limit).
        for (std::size_t i = 0; i < lost; ++i)
            r.losses.push_back({LossCode::ResourcesSkipped, {}, 1, set->LoadNotes[i]});
        r.value.kind = Yield::IconSet;
        r.value.icons = std::move(set);
        return r;
    });
}

Result ReadProgramFile(const std::string& path, const ReadOptions&) {
    return guarded(path, [&] {
        auto set = std::make_unique<TExeEXsub>();
        bool found = false;
        Result r;
        try {
            found = set->LoadFromExe(path);
        } catch (const EEndOfFile& e) {
            // The images found before the cut stay.
            if (set->Count == 0) throw;
            found = true;
            r.losses.push_back({LossCode::ImageCut, {}, 1, withoutName(e.what(), path)});
        }
        if (!found || set->Count == 0) return Result::Refuse(RefusalCode::NoImages);
        if (set->LeftOut > 0)
            r.losses.push_back({LossCode::EntriesLeftOut, {}, static_cast<std::uint64_t>(set->LeftOut), {}});
        // After a content scan (no origins) the one note says why the
        // directory was not used: the scan is the reading, nothing is lost.
        if (!set->LoadNotes.empty() && !set->Origins.empty()) {
            std::string detail;
            for (const auto& note : set->LoadNotes) detail += (detail.empty() ? "" : "; ") + note;
            r.losses.push_back({LossCode::ResourcesSkipped, {}, set->LoadNotes.size(), detail});
        }
        r.value.kind = Yield::ProgramIcons;
        r.value.program = std::move(set);
        return r;
    });
}

}  // namespace vornik
