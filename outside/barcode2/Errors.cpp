#include "Errors.h"

#include "platform/text/Sj.h"

namespace vext::barcode2 {

namespace {

const char* MessageOf(long number) {
  switch (number) {
    case BARCODE_ERROR_NONE: return "";
    case BARCODE_ERROR_CHARACTER: return "バーコードに使用できない文字が含まれています"_sj;
    case BARCODE_ERROR_LENGTH: return "データの桁数が正しくありません"_sj;
    case BARCODE_ERROR_CHECK_DIGIT: return "チェックデジットが正しくありません"_sj;
    case BARCODE_ERROR_TOO_LONG: return "データが長すぎます"_sj;
    case BARCODE_ERROR_TYPE: return "バーコードの種類が正しくありません"_sj;
    case BARCODE_ERROR_HANDLE: return "バーコードのハンドルが正しくありません"_sj;
    case BARCODE_ERROR_FILE: return "ファイルに書き込めません"_sj;
    case BARCODE_ERROR_PROPERTY: return "プロパティまたは引数の値が正しくありません"_sj;
    case BARCODE_ERROR_NO_DATA: return "データがありません"_sj;
    case BARCODE_ERROR_FORMAT: return "この拡張子の画像形式には対応していません"_sj;
    case BARCODE_ERROR_UNAVAILABLE: return "この環境では使用できない機能です"_sj;
    case BARCODE_ERROR_DEVICE_CONTEXT: return "デバイスコンテキストが正しくありません"_sj;
    case BARCODE_ERROR_NO_CHECK_DIGIT:
      return "このバーコードの種類にはチェックデジットがありません"_sj;
    default: return "バーコードを作成できません"_sj;
  }
}

}  // namespace

Error MakeError(long number) { return Error{number, CString(MessageOf(number))}; }

}  // namespace vext::barcode2
