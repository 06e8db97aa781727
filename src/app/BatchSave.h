#pragma once

#include <string>

#include "app/MainState.h"

namespace vornik {

inline constexpr const char* kBatchNoFolder = "出力フォルダを入力してください";
inline constexpr const char* kBatchFolderMissing = "出力フォルダが存在しません";
inline constexpr const char* kBatchNoName = "ファイル名を入力してください";

// What the batch save dialog Tfrmallsave holds.
struct BatchSaveFields {
    std::string Edit1;    // output folder, as typed
    std::string Edit2;    // file name stem, as typed (blanks kept)
    int SpinEdit1 = 0;    // start number 0..999
    int RadioGroup1 = 0;  // 0 slide the number past existing files, 1 overwrite them
};

// The folder text: Edit1 trimmed, with a trailing separator.
std::string BatchFolderText(const std::string& edit1);

// Memo1: folder text + stem + start number + "." + the page's extension
// ("ico"/"cur" by the set, "ani", "bmp"; none when no set applies).
std::string BatchPreview(const MainState& s, const BatchSaveFields& f);

// The warning Button1Click shows before running, or empty when it may run.
// field: 1 for Edit1, 2 for Edit2 (where the focus goes).
std::string CheckBatchSave(const BatchSaveFields& f, int& field);

// Writes every entry of the active page's set as numbered one-image files;
// returns how many were written. The Bitmap page writes nothing.
int RunBatchSave(MainState& s, const BatchSaveFields& f);

}  // namespace vornik
