#include "app/JapaneseText.h"

#include <regex>
#include <utility>
#include <vector>

namespace vornik {

namespace {

struct Rewording {
    std::regex english;
    const char* japanese;  // std::regex_replace format: $1, $2 … are the captured parts
};

// The system's own error texts of the lower layers, most specific first.
const std::vector<Rewording>& Rewordings() {
    static const std::vector<Rewording> table = [] {
        const std::vector<std::pair<const char*, const char*>> pairs = {
            // the file layer
            {R"re(Cannot open file "(.*)": (.*))re", "ファイル「$1」を開けません（$2）"},
            {R"re(Cannot open file "(.*)")re", "ファイル「$1」を開けません"},
            {R"re(Cannot create file "(.*)": (.*))re", "ファイル「$1」を作成できません（$2）"},
            {R"re(Cannot replace file "(.*)": (.*))re", "ファイル「$1」を置き換えられません（$2）"},
            {R"re(Write error on file "(.*)": (.*))re", "ファイル「$1」に書き込めません（$2）"},
            {R"re(Read error on file "(.*)": the file is too short)re", "ファイル「$1」は短すぎます"},
            {R"re(Read error on file "(.*)": (.*))re", "ファイル「$1」を読み込めません（$2）"},
            {R"re(Read error on file "(.*)")re", "ファイル「$1」を読み込めません"},
            {R"re(Not a regular file "(.*)")re", "「$1」は通常のファイルではありません"},
            {R"re(File too large "(.*)")re", "ファイル「$1」は大きすぎます"},
            {R"re(Read beyond end of file "(.*)" \((.*) at offset (\d+)\))re",
             "ファイル「$1」は途中で終わっています（$3 バイト目、$2）"},
            {R"re(no such file "(.*)")re", "ファイル「$1」がありません"},
            {R"re(no such folder "(.*)")re", "フォルダー「$1」がありません"},
            {R"re(cannot create the folder "(.*)": (.*))re", "フォルダー「$1」を作成できません（$2）"},
            {R"re(cannot create the link "(.*)": (.*))re", "リンク「$1」を作成できません（$2）"},
            {R"re(Cannot create a temporary folder in "(.*)")re", "「$1」に一時フォルダーを作成できません"},
            {R"re(Cannot copy file "(.*)" to "(.*)")re", "ファイル「$1」を「$2」にコピーできません"},
            {R"re(Stream read error)re", "データが途中で終わっています"},
            // refusals of the icon and animated-cursor readers
            {R"re("(.*)": the file does not exist)re", "ファイル「$1」がありません"},
            {R"re("(.*)": the file is too short for an icon or cursor header)re",
             "「$1」はアイコンやカーソルのファイルとしては短すぎます"},
            {R"re("(.*)": not an icon or cursor file \((.*)\))re", "「$1」はアイコンやカーソルのファイルではありません（$2）"},
            {R"re("(.*)": the file holds no images)re", "「$1」にはイメージがありません"},
            {R"re("(.*)": the directory runs past the end of the file)re",
             "「$1」のディレクトリがファイルの終わりを越えています"},
            {R"re("(.*)": entry (\d+): image (header|data) runs past the end of the file)re",
             "「$1」のエントリ $2 のイメージがファイルの終わりを越えています"},
            {R"re("(.*)": entry (\d+): (.*))re", "「$1」のエントリ $2 が読めません（$3）"},
            {R"re("(.*)": (.*))re", "「$1」が読めません（$2）"},
            {R"re("(.*)" is damaged: (.*))re", "「$1」は壊れています（$2）"},
            {R"re("(.*)" is not an animated cursor \((.*)\))re", "「$1」はアニメーションカーソルではありません（$2）"},
            // entries and their pictures
            {R"re(The image is (\d+) x (\d+) but the mask is (\d+) x (\d+))re",
             "イメージは $1 x $2 ですが、マスクは $3 x $4 です。大きさをそろえてください"},
            {R"re(image and mask differ in size)re", "イメージとマスクの大きさが違います"},
            {R"re(PNG: the mask is (\d+) x (\d+) but the image (\d+) x (\d+))re",
             "マスクは $1 x $2 ですが、イメージは $3 x $4 です"},
            {R"re(entry (\d+) holds no complete image)re", "エントリ $1 には完全なイメージがありません"},
            {R"re(There is no entry (\d+) \(the set holds (\d+)\))re", "エントリ $1 はありません（エントリは $2 個です）"},
            {R"re(The entry (\d+) holds no image)re", "エントリ $1 にはイメージがありません"},
            {R"re(entry index (-?\d+) is not in use)re", "エントリ $1 は使われていません"},
            {R"re(entry index (-?\d+) is outside the table)re", "エントリ $1 は範囲外です"},
            {R"re(The 32-bit image of the entry is incomplete)re", "エントリの 32 ビットイメージが欠けています"},
            {R"re(The (image|mask) picture is (-?\d+) x (-?\d+); an entry needs a positive, bottom-up size)re",
             "$2 x $3 の画像はエントリにできません"},
            {R"re(The mask picture is not an uncompressed 1-bit picture)re",
             "マスクが非圧縮の 1 ビット画像ではありません"},
            {R"re(The image picture \((\d+) bits, compression (\d+)\) cannot be an entry)re",
             "$1 ビット（圧縮 $2）の画像はエントリにできません"},
            {R"re(The image picture states (\d+) colours)re", "画像の色数 $1 は多すぎます"},
            {R"re(The image picture does not state its colour-table size)re", "画像のカラーテーブルの大きさが不明です"},
            {R"re(The entry's picture is (-?\d+) x (-?\d+))re", "エントリの画像の大きさ $1 x $2 が正しくありません"},
            {R"re(the entry holds no image)re", "エントリにイメージがありません"},
            {R"re(the entry's size (.*) is not supported)re", "エントリの大きさ $1 には対応していません"},
            {R"re(entries of (\d+) bits per pixel are not supported)re", "$1 ビットのエントリには対応していません"},
            {R"re(compressed entries are not supported)re", "圧縮されたエントリには対応していません"},
            {R"re(the entry's image rows are cut short)re", "エントリのイメージが途中で切れています"},
            {R"re(a picture of (\d+) x (\d+) cannot become an entry)re", "$1 x $2 の画像はエントリにできません"},
            {R"re(InitEntry: invalid image (\d+) x (\d+) x (\d+))re", "$1 x $2、$3 ビットのエントリは作れません"},
            // writers
            {R"re(Cannot write the animated cursor: more than 4 GiB of frames)re",
             "フレームが 4 GiB を超えるため、アニメーションカーソルを書き込めません"},
            {R"re(Cannot write the animated cursor: frame (\d+) (.*))re",
             "アニメーションカーソルを書き込めません: フレーム $1 のイメージが正しくありません（$2）"},
            {R"re(Cannot write a JPEG of (\d+) x (\d+) pixels)re", "$1 x $2 ピクセルの JPEG は書き込めません"},
            {R"re(Empty JPEG data)re", "JPEG のデータが空です"},
            // Xcursor
            {R"re(an Xcursor file needs at least one image)re", "Xcursor ファイルには 1 つ以上のイメージが必要です"},
            {R"re(too many images for one Xcursor file)re", "1 つの Xcursor ファイルにはイメージが多すぎます"},
            {R"re(an image of (\d+) x (\d+) cannot be written as Xcursor)re",
             "$1 x $2 のイメージは Xcursor に書き込めません"},
            {R"re(out of memory for (the|an) Xcursor images?)re", "Xcursor のイメージのためのメモリが足りません"},
            {R"re(libXcursor could not write the images)re", "Xcursor ファイルを書き込めませんでした"},
            {R"re(an Xcursor file without images)re", "Xcursor ファイルにイメージがありません"},
            {R"re(the cursor holds no images)re", "カーソルにイメージがありません"},
            {R"re(the animated cursor holds no frames)re", "アニメーションカーソルにフレームがありません"},
            {R"re(nothing to convert)re", "変換するものがありません"},
            {R"re(nothing to write)re", "書き込むものがありません"},
            // bitmap data, worded after the reading routine
            {R"re(TQv\w+\.\w+: (.*))re", "ビットマップのデータが正しくありません（$1）"},
        };
        std::vector<Rewording> out;
        out.reserve(pairs.size());
        for (const auto& [english, japanese] : pairs) out.push_back({std::regex(english), japanese});
        return out;
    }();
    return table;
}

// Error numbers' texts as the C library words them.
std::string Reason(std::string text) {
    static const std::vector<std::pair<const char*, const char*>> reasons = {
        {"No such file or directory", "ファイルまたはフォルダーがありません"},
        {"Permission denied", "アクセスが拒否されました"},
        {"Is a directory", "フォルダーです"},
        {"Not a directory", "フォルダーではありません"},
        {"No space left on device", "ディスクの空きがありません"},
        {"Read-only file system", "読み取り専用のファイルシステムです"},
        {"Too many levels of symbolic links", "シンボリックリンクが多すぎます"},
        {"File name too long", "ファイル名が長すぎます"},
        {"Input/output error", "入出力エラー"},
        {"Disk quota exceeded", "ディスクの割り当てを超えました"},
        {"File exists", "ファイルが既にあります"},
    };
    for (const auto& [english, japanese] : reasons) {
        const std::string e = english;
        const auto at = text.find(e);
        if (at != std::string::npos) text.replace(at, e.size(), japanese);
    }
    return text;
}

std::string RewordLine(const std::string& line) {
    for (const Rewording& r : Rewordings()) {
        if (std::regex_match(line, r.english)) return Reason(std::regex_replace(line, r.english, r.japanese));
    }
    // "日本語の説明: English detail" — the detail came from below.
    const std::size_t colon = line.find(": ");
    if (colon != std::string::npos && colon > 0 && static_cast<unsigned char>(line[colon - 1]) >= 0x80) {
        const std::string tail = line.substr(colon + 2);
        const std::string reworded = RewordLine(tail);
        if (reworded != tail) return line.substr(0, colon + 2) + reworded;
    }
    return line;
}

}  // namespace

std::string JapaneseText(const std::string& text) {
    std::string out;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        const std::size_t stop = end == std::string::npos ? text.size() : end;
        out += RewordLine(text.substr(start, stop - start));
        if (end == std::string::npos) break;
        out += text[end];
        start = end + 1;
    }
    return out;
}

}  // namespace vornik
