#include "app/ReadMessages.h"

#include <filesystem>

namespace vornik {

namespace {

std::string reason(RefusalCode code) {
    switch (code) {
        case RefusalCode::FileMissing: return "ファイルがありません。";
        case RefusalCode::CannotRead: return "ファイルを開けないか、読み込めません。";
        case RefusalCode::TooLarge: return "ファイルが大きすぎるため読み込めません。";
        case RefusalCode::EndsEarly: return "ファイルが途中で切れています。";
        case RefusalCode::Damaged: return "ファイルが壊れているため読み込めません。";
        case RefusalCode::NotThisFormat: return "中身が対応している形式ではありません。";
        case RefusalCode::NoImages: return "アイコンやカーソルの画像が見つかりませんでした。";
        case RefusalCode::Unsupported: return "この種類のファイルには対応していません。";
        case RefusalCode::NotForCommand: return "画像ファイルです。アイコンやカーソルのファイルではありません。";
    }
    return "読み込めません。";
}

std::string brackets(const std::string& where, const std::string& detail) {
    if (where.empty() && detail.empty()) return {};
    if (detail.empty()) return "(" + where + ")";
    if (where.empty()) return "(" + detail + ")";
    return "(" + where + ": " + detail + ")";
}

}  // namespace

std::string RefusalMessage(const Refusal& refusal) {
    return reason(refusal.code) + brackets(refusal.where, {});
}

std::string LossMessage(const Loss& loss) {
    const std::string n = std::to_string(loss.count);
    switch (loss.code) {
        case LossCode::EntriesLeftOut:
            return n + " 個の画像は上限を超えたため読み込まれていません。";
        case LossCode::FrameDropped:
            return "フレーム " + n + " は壊れているため読み込まれていません。";
        case LossCode::StepsDropped:
            return n + " 個のステップは読み込まれていません。";
        case LossCode::RowsMissing:
            return "画像データが途中で終わっています。" + n + " 行が欠けています。";
        case LossCode::ResourcesSkipped:
            return n + " 個のリソースは読み込めないため飛ばしました。" + brackets({}, loss.detail);
        case LossCode::ImageCut:
            return "最後の画像はファイルの終わりで切れているため読み込まれていません。";
    }
    return {};
}

std::string LossesMessage(const std::string& path, const std::vector<Loss>& losses) {
    std::string text = "「" + std::filesystem::path(path).filename().string() + "」は一部を読み込めませんでした。";
    for (const auto& loss : losses) text += "\r" + LossMessage(loss);
    return text + "\r(" + path + ")";
}

}  // namespace vornik
