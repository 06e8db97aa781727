#pragma once

// Texts the animated-cursor reader shows, exactly as the user sees them.
namespace vornik::animsg {

inline constexpr const char* kNotAniRiff = "アニメーションカーソルではありません1";
inline constexpr const char* kNotAniAcon = "アニメーションカーソルではありません2";
inline constexpr const char* kSeqFrameTooLarge =
    "論理フレーム番号が物理フレーム数を越えています。\r論理フレーム番号を修正します";
inline constexpr const char* kDamaged = "ファイルが壊れています:";
// Limits of the tables that hold a file's steps and frames.
inline constexpr const char* kTooManySteps =
    "ステップ数が100を越えています。\r先頭の100ステップだけを読み込みます";
inline constexpr const char* kTooManyFrames =
    "フレーム数が1000を越えています。\r先頭の1000フレームだけを読み込みます";

}  // namespace vornik::animsg
