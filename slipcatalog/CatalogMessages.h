// The texts the catalogue shows in its message boxes (CP932).
#pragma once

#include "platform/text/Sj.h"

namespace slipcatalog::message {

inline const char* const kNoMainFile = "メインデータファイルがありません。"_sj;
inline const char* const kCannotOpenMainFile = "メインデータファイルを開けません。"_sj;
inline const char* const kNoOriginalFile = "オリジナルフォームデータファイルがありません"_sj;
inline const char* const kFileOperationFailed = "ファイル操作中にエラーが起こりました。"_sj;
inline const char* const kCannotCreateFile = "ファイルを作成できません"_sj;
inline const char* const kCannotWriteMainData = "メインデータを作成できません"_sj;
// The copies in the linked products' files.
inline const char* const kLinkedFileOperationFailed = "ファイル操作中にエラーが起こりました"_sj;
inline const char* const kDenFileVersion =
    "伝票印刷オリジナルフォームのデータファイルを読むことができません。\nファイルのバージョンが違う可能性があります。"_sj;
inline const char* const kOkuFileVersion =
    "送り状印刷オリジナルフォームのデータファイルを読むことができません。\nファイルのバージョンが違う可能性があります。"_sj;

// Shows `text` in an OK message box.
void Show(const char* text);

}  // namespace slipcatalog::message
