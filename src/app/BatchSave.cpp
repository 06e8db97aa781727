#include "app/BatchSave.h"

#include <filesystem>

#include "anim/FrameSizes.h"
#include "anim/TAniEX.h"
#include "platform/FileIO.h"

namespace vornik {

namespace {

std::string Trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    const auto e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

struct Busy {
    explicit Busy(MainState& s) : s_(s) { s_.WaitCursor = true; }
    ~Busy() { s_.WaitCursor = false; }
    MainState& s_;
};

}  // namespace

std::string BatchFolderText(const std::string& edit1) {
    std::string folder = Trim(edit1);
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string BatchPreview(const MainState& s, const BatchSaveFields& f) {
    std::string ext;
    const Document& d = s.doc;
    switch (s.edit.PageControl1) {
        case kIconPage:
            if (d.ExeShown)
                ext = "ico";
            else if (d.IconSet)
                ext = d.IconSet->ResourceType == 1 ? "ico" : "cur";
            break;
        case kAnimationPage:
            if (d.AniSet) ext = "ani";
            break;
        default:
            ext = "bmp";
            break;
    }
    return BatchFolderText(f.Edit1) + f.Edit2 + std::to_string(f.SpinEdit1) + "." + ext;
}

std::string CheckBatchSave(const BatchSaveFields& f, int& field) {
    std::error_code ec;
    if (Trim(f.Edit1).empty()) {
        field = 1;
        return kBatchNoFolder;
    }
    if (!std::filesystem::is_directory(f.Edit1, ec)) {
        field = 1;
        return kBatchFolderMissing;
    }
    if (Trim(f.Edit2).empty()) {
        field = 2;
        return kBatchNoName;
    }
    field = 0;
    return {};
}

int RunBatchSave(MainState& s, const BatchSaveFields& f) {
    Busy busy(s);
    const std::string base = BatchFolderText(f.Edit1) + f.Edit2;
    int counter = f.SpinEdit1;
    int written = 0;
    auto nameFor = [&](const char* ext) {
        std::string name = base + std::to_string(counter) + ext;
        std::error_code ec;
        while (f.RadioGroup1 == 0 && std::filesystem::exists(name, ec)) {
            ++counter;  // slide past files that are there; later entries go on from here
            name = base + std::to_string(counter) + ext;
        }
        return name;
    };
    auto saveAll = [&](TIconEx& set, int type, const char* ext) {
        for (int i = 0; i < set.Count; ++i) {
            set.SaveEntryToFile(nameFor(ext), i, type);
            ++counter;
            ++written;
        }
    };
    Document& d = s.doc;
    if (s.edit.PageControl1 == kIconPage) {
        if (d.ExeShown && d.ExeSet) {
            saveAll(*d.ExeSet, 1, ".ico");
        } else if (d.IconSet) {
            // A set of neither type is written as icons.
            const int type = d.IconSet->ResourceType == 2 ? 2 : 1;
            saveAll(*d.IconSet, type, type == 2 ? ".cur" : ".ico");
        }
    } else if (s.edit.PageControl1 == kAnimationPage && d.AniSet) {
        // Each frame as a cursor file of its own, with every size it holds.
        for (int i = 0; i < d.AniSet->Count; ++i) {
            WriteFileReplacing(nameFor(".cur"), FrameAsCursorFile(*d.AniSet, i));
            ++counter;
            ++written;
        }
    }
    return written;
}

}  // namespace vornik
