// The messages of the exchange library (CP932), besides those it shares
// with every ContactXML reader and writer (ContactXmlMessages.h).
#pragma once

#include "platform/text/Sj.h"

namespace vext::snxml {

// The address-book table has no column names.
inline constexpr const char* kMsgNoColumnNames = "項目名未設定"_sj;
inline constexpr const char* kMsgUnsupportedVersion =
    "このバージョンのContactXMLファイルは読み込むことができません。"_sj;
inline constexpr const char* kMsgOutOfMemory = "メモリ不足です"_sj;

// DenpyoXML: followed by the parser's reason.
inline constexpr const char* kMsgSlipLoadFailed = "XMLﾌｧｲﾙの読み込みに失敗しました。\n"_sj;
inline constexpr const char* kMsgSlipUnsupported = "このXMLファイルは対応していない形式です。"_sj;
inline constexpr const char* kSlipFileFilter = "DenpyoXMLﾌｧｲﾙ(*.xml)|*.xml||"_sj;

// The parser check.
inline constexpr const char* kMsgNoParserCheck = "xmlSncEnv.DLLが見つかりません。"_sj;
inline constexpr const char* kMsgNoParser =
    "現在の環境ではXML読み込み・書き出しができません。\nInternet Exploler5.0以上が必要です。"_sj;

}  // namespace vext::snxml
