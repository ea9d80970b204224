// The texts RecConv shows and the names it gives, CP932.
#pragma once

#include "platform/text/Sj.h"

namespace vext::recconv {

inline constexpr const char* kWriteDone = "ファイルへの書き出しは終了しました。"_sj;
inline constexpr const char* kWriteAborted = "ファイルへの書き出しは中止しました。"_sj;
inline constexpr const char* kReadAborted = "ファイルからの読み込みは中止しました。"_sj;
inline constexpr const char* kInputNotFound = "読み込み用ファイルが見つかりません。"_sj;
inline constexpr const char* kNoMemory =
    "メモリー不足です。または、読み込みファイルが大きすぎます。"_sj;
inline constexpr const char* kMalformedRecord =
    "読み込みデータは先頭に改行が入った不適当なデータ形式です。\n残念ながら読み込みを中断します。"_sj;

// The title of the default definitions ("delete me"): never listed for
// choosing or deleting.
inline constexpr const char* kDefaultTitle = "消してください"_sj;

// "「<title>」を削除してよろしいですか？" is built from these.
inline constexpr const char* kDeleteAskBefore = "「"_sj;
inline constexpr const char* kDeleteAskAfter = "」を削除してよろしいですか？"_sj;

inline constexpr const char* kReadingListCaption = "読み込み順登録データ一覧"_sj;
inline constexpr const char* kWritingListCaption = "書き出し順登録データ一覧"_sj;
inline constexpr const char* kReadingTitleCaption = "読み込み順の保存"_sj;
inline constexpr const char* kWritingTitleCaption = "書き出し順の保存"_sj;

inline constexpr const char* kTextFileFilter =
    "Text Files (*.txt)|*.txt|CSV Files (*.csv)|*.csv|All Files (*.*)|*.*|";
inline constexpr const char* kTextFileExtension = "TXT";

}  // namespace vext::recconv
