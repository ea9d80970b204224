// The messages that every ContactXML reader and writer of the system shows
// in the same words (CP932).
#pragma once

#include "platform/text/Sj.h"

namespace vext::contactxml {

// Shown after the document's path, followed by the parser's reason.
inline constexpr const char* kMsgLoadFailed = "のロードに失敗しました。\n"_sj;
inline constexpr const char* kMsgSaveFailed = "のセーブに失敗しました。\n"_sj;
// A root that is neither "ContactXML" nor "SNContactXML".
inline constexpr const char* kMsgUnsupportedFormat =
    "このＸＭＬファイルは対応していない形式です。"_sj;

}  // namespace vext::contactxml
