#include "app/ProgramIconCommand.h"

#include <filesystem>

#include "app/SaveExport.h"
#include "formats/ProgramIcon.h"
#include "model/EntryConversion.h"
#include "platform/FileDialogs.h"
#include "platform/FileIO.h"
#include "platform/Notice.h"

namespace vornik {

namespace {

const ExeEntryOrigin* selectedOrigin(const MainState& s) {
    const Document& d = s.doc;
    if (!d.ExeShown || !d.ExeSet || d.ExeFileName.empty()) return nullptr;
    const int index = s.LVIcon.selected;
    if (index < 0 || static_cast<std::size_t>(index) >= d.ExeSet->Origins.size()) return nullptr;
    const ExeEntryOrigin& o = d.ExeSet->Origins[static_cast<std::size_t>(index)];
    return o.language < 0 ? nullptr : &o;
}

Message refusalText(ProgramIconRefusal code) {
    switch (code) {
        case ProgramIconRefusal::SixteenBit:
            return Message("Editor", VORNIK_TRANSLATE_NOOP("Editor", "A 16-bit program cannot be written"));
        case ProgramIconRefusal::Damaged:
            return Message("Editor",
                           VORNIK_TRANSLATE_NOOP("Editor", "The program is damaged and cannot be written"));
        case ProgramIconRefusal::Overlay:
            return Message("Editor", VORNIK_TRANSLATE_NOOP("Editor",
                                                           "The data after the program cannot be moved, so "
                                                           "the program cannot be written"));
        case ProgramIconRefusal::NoRoom:
            return Message("Editor", VORNIK_TRANSLATE_NOOP("Editor",
                                                           "There is no room to add a section, so the "
                                                           "program cannot be written"));
        default:
            return Message("Editor", VORNIK_TRANSLATE_NOOP("Editor", "The program cannot be written"));
    }
}

}  // namespace

bool SaveProgramWithGroupReplaced(MainState& s, const std::string& path) {
    const ExeEntryOrigin* origin = selectedOrigin(s);
    if (!origin || !s.edit.imgxor || !s.edit.imgand) return false;
    if (SameFile(path, s.doc.ExeFileName) || path == s.doc.ExeFileName) {
        ShowWarning(Message(
            "Editor", VORNIK_TRANSLATE_NOOP("Editor", "Cannot save over the open file\nGive another name")));
        return false;
    }
    const int kind = origin->kind;
    const Bytes icon = ViewPairFileBytes(*s.edit.imgxor, *s.edit.imgand, kind, kind == 2 ? s.edit.spex : 0,
                                         kind == 2 ? s.edit.spey : 0);
    const Bytes program = ReadFileBytes(s.doc.ExeFileName);
    ProgramIconOptions options;
    options.group = origin->group;
    options.hasLanguage = true;
    options.language = static_cast<std::uint16_t>(origin->language);
    ProgramIconResult r = SetProgramIcon(program.data(), program.size(), icon.data(), icon.size(), options);
    if (r.refusal == ProgramIconRefusal::Signed) {
        if (!AskYesNo(
                Message("Editor", VORNIK_TRANSLATE_NOOP("Editor",
                                                        "This program is signed (it has a certificate)\n"
                                                        "Remove the signature and save?"))))
            return false;
        options.stripSignature = true;
        r = SetProgramIcon(program.data(), program.size(), icon.data(), icon.size(), options);
    }
    if (r.refusal != ProgramIconRefusal::None) {
        ShowWarning(Message("", "%1\n%2", {refusalText(r.refusal), r.reason}));
        return false;
    }
    WriteFileReplacing(path, r.output);
    return true;
}

bool ReplaceGroupAndSaveProgram(MainState& s) {
    if (!selectedOrigin(s)) return false;
    const std::filesystem::path current(s.doc.ExeFileName);
    FileDialogRequest r;
    r.dialog = kSaveDialogName;
    r.initialDir = current.parent_path().string();
    r.fileName = current.stem().string() + "-icon" + current.extension().string();
    r.filter = "Program|*.exe;*.dll|All files|*";
    r.filterIndex = 1;
    r.defaultExt = current.extension().string().empty() ? "exe" : current.extension().string().substr(1);
    const auto answer = AskSaveFile(r);
    if (!answer) return false;
    return SaveProgramWithGroupReplaced(s, answer->path);
}

}  // namespace vornik
