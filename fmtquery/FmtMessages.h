// The texts the field queries show in their message boxes (CP932).
#pragma once

#include "platform/base/CString.h"
#include "platform/text/Sj.h"

namespace fmtquery::message {

// Follows the path of a format file that cannot be opened.
inline const char* const kOpenFailedAfterPath = "のﾌｧｲﾙｵｰﾌﾟﾝに失敗しました"_sj;
inline const char* const kWriteFailed = "書き出しエラー：ファイルの書き出しに失敗しました。"_sj;

// Shows `text` in an OK message box.
void Show(const CString& text);

}  // namespace fmtquery::message
