#pragma once

#include <string>
#include <vector>

#include "app/MainState.h"

namespace vornik {

inline constexpr const char* kBatchNoFolder = VORNIK_TRANSLATE_NOOP("Editor", "Enter the output folder");
inline constexpr const char* kBatchFolderMissing =
    VORNIK_TRANSLATE_NOOP("Editor", "The output folder does not exist");
inline constexpr const char* kBatchNoName = VORNIK_TRANSLATE_NOOP("Editor", "Enter the file name");

// What the batch save dialog Tfrmallsave holds.
struct BatchSaveFields {
    std::string Edit1;    // output folder, as typed
    std::string Edit2;    // file name stem, as typed (blanks kept)
    int SpinEdit1 = 0;    // start number 0..999
    int RadioGroup1 = 0;  // 0 slide the number past existing files, 1 overwrite them
};

// The folder text: Edit1 trimmed, with a trailing separator.
std::string BatchFolderText(const std::string& edit1);

// One file the batch save writes: its full name, whether it is an icon (1)
// or a cursor (2), and the entry or frame it holds.
struct BatchFile {
    std::string Name;
    int Type = 1;
    int Entry = 0;
};

// Every file a run would write now, in order, numbered and slid past the
// files that are there as the run will do. The preview and the run share it
// so the dialog shows exactly what is written: frames of an animation are
// cursors (".cur"), the Bitmap page writes nothing.
std::vector<BatchFile> PlanBatchSave(const MainState& s, const BatchSaveFields& f);

// Memo1: the name of the first file the run writes, or empty when it writes
// nothing.
std::string BatchPreview(const MainState& s, const BatchSaveFields& f);

// The warning shown before running, or empty when it may run.
// field: 1 for Edit1, 2 for Edit2 (where the focus goes).
std::string CheckBatchSave(const BatchSaveFields& f, int& field);

// Writes the files of PlanBatchSave; returns how many were written.
int RunBatchSave(MainState& s, const BatchSaveFields& f);

}  // namespace vornik
