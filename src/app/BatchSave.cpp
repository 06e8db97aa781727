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

std::vector<BatchFile> PlanBatchSave(const MainState& s, const BatchSaveFields& f) {
    const std::string base = BatchFolderText(f.Edit1) + f.Edit2;
    int counter = f.SpinEdit1;
    std::vector<BatchFile> plan;
    auto add = [&](int type, int entry) {
        const char* ext = type == 2 ? ".cur" : ".ico";
        std::string name = base + std::to_string(counter) + ext;
        std::error_code ec;
        while (f.RadioGroup1 == 0 && std::filesystem::exists(name, ec)) {
            ++counter;  // slide past files that are there; later entries go on from here
            name = base + std::to_string(counter) + ext;
        }
        plan.push_back({name, type, entry});
        ++counter;
    };
    const Document& d = s.doc;
    if (s.edit.PageControl1 == kIconPage) {
        if (d.ExeShown && d.ExeSet) {
            for (int i = 0; i < d.ExeSet->Count; ++i) add(1, i);
        } else if (d.IconSet) {
            // A set of neither type is written as icons.
            const int type = d.IconSet->ResourceType == 2 ? 2 : 1;
            for (int i = 0; i < d.IconSet->Count; ++i) add(type, i);
        }
    } else if (s.edit.PageControl1 == kAnimationPage && d.AniSet) {
        for (int i = 0; i < d.AniSet->Count; ++i) add(2, i);
    }
    return plan;
}

std::string BatchPreview(const MainState& s, const BatchSaveFields& f) {
    const std::vector<BatchFile> plan = PlanBatchSave(s, f);
    return plan.empty() ? std::string() : plan.front().Name;
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
    const std::vector<BatchFile> plan = PlanBatchSave(s, f);
    Document& d = s.doc;
    int written = 0;
    for (const BatchFile& file : plan) {
        if (s.edit.PageControl1 == kAnimationPage)
            WriteFileReplacing(file.Name, FrameAsCursorFile(*d.AniSet, file.Entry));  // every size of the frame
        else if (d.ExeShown && d.ExeSet)
            d.ExeSet->SaveEntryToFile(file.Name, file.Entry, file.Type);
        else
            d.IconSet->SaveEntryToFile(file.Name, file.Entry, file.Type);
        ++written;
    }
    return written;
}

}  // namespace vornik
