// What libxml2 reports, collected instead of printed.
#include <string>

#include "platform/base/Exceptions.h"
#include "platform/fs/File.h"
#include "platform/text/Cp932.h"
#include "platform/text/Sj.h"
#include "platform/xml/detail/XmlInternal.h"

namespace vext::xml::detail {
namespace {

void Silent(void*, const char*, ...) {}

// What the common errors of a hand-edited or damaged file mean, for the
// person who has to mend it; anything rarer keeps libxml2's text after a
// general sentence.
CString ReasonText(int code, const std::string& message) {
  switch (code) {
    case XML_ERR_NO_MEMORY: return CString("メモリ不足です"_sj);
    case XML_ERR_DOCUMENT_EMPTY: return CString("文書が空です。"_sj);
    case XML_ERR_DOCUMENT_END: return CString("ルート要素の後に余分な内容があります。"_sj);
    case XML_ERR_INVALID_CHARREF: return CString("文字参照が正しくありません。"_sj);
    case XML_ERR_INVALID_CHAR: return CString("XML で使えない文字が含まれています。"_sj);
    case XML_ERR_UNDECLARED_ENTITY: return CString("宣言されていない実体が参照されています。"_sj);
    case XML_ERR_ENTITYREF_SEMICOL_MISSING: return CString("実体参照が ; で終わっていません。"_sj);
    case XML_ERR_ENTITY_LOOP: return CString("実体の参照が循環しています。"_sj);
    case XML_ERR_UNSUPPORTED_ENCODING: return CString("対応していない文字コードです。"_sj);
    case XML_ERR_INVALID_ENCODING:
    case XML_I18N_CONV_FAILED:
      return CString("宣言された文字コードで読めないバイトがあります。"_sj);
    case XML_ERR_LT_IN_ATTRIBUTE: return CString("属性値に < が含まれています。"_sj);
    case XML_ERR_ATTRIBUTE_NOT_STARTED:
    case XML_ERR_ATTRIBUTE_WITHOUT_VALUE: return CString("属性の値が引用符で囲まれていません。"_sj);
    case XML_ERR_ATTRIBUTE_REDEFINED: return CString("同じ属性が二度指定されています。"_sj);
    case XML_ERR_COMMENT_NOT_FINISHED: return CString("コメントが閉じられていません。"_sj);
    case XML_ERR_NAME_REQUIRED: return CString("要素名が正しくありません。"_sj);
    case XML_ERR_GT_REQUIRED: return CString("開始タグが閉じられていません。"_sj);
    case XML_ERR_LTSLASH_REQUIRED:
    case XML_ERR_TAG_NAME_MISMATCH: return CString("開始タグと終了タグが対応していません。"_sj);
    case XML_ERR_TAG_NOT_FINISHED: return CString("要素の途中で文書が終わっています。"_sj);
    case XML_ERR_RESERVED_XML_NAME: return CString("XML 宣言が文書の先頭にありません。"_sj);
    case XML_NS_ERR_UNDEFINED_NAMESPACE:
      return CString("宣言されていない名前空間接頭辞が使われています。"_sj);
    case XML_ERR_INTERNAL_ERROR:
      if (message.rfind("Excessive depth", 0) == 0) return CString("要素の入れ子が深すぎます。"_sj);
      break;
    default: break;
  }
  return CString("XML の書式が正しくありません。"_sj) + " (" +
         CString(vext::Utf8ToCp932Lossy(message)) + ")";
}

}  // namespace

void ErrorCollector::Handler(void* collector, xmlErrorPtr error) try {
  auto* self = static_cast<ErrorCollector*>(collector);
  if (!self || !error || error->level < XML_ERR_ERROR) return;
  if (self->m_code == 0) {
    self->m_code = error->code != 0 ? error->code : XML_ERR_INTERNAL_ERROR;
    self->m_message = error->message ? error->message : "";
    while (!self->m_message.empty() &&
           (self->m_message.back() == '\n' || self->m_message.back() == ' '))
      self->m_message.pop_back();
    self->m_line = error->line;
    self->m_column = error->int2;
  } else {
    self->SetPositionIfMissing(error->line, error->int2);
  }
  if (error->ctxt && !self->m_parserErrorSeen) {
    self->m_parserErrorSeen = true;
    if (self->m_onParserError) self->m_onParserError();
  }
} catch (...) {
  // Nothing may unwind through libxml2; the error itself still stops it.
}

void ErrorCollector::SetPositionIfMissing(int line, int column) {
  if (m_line > 0 || line <= 0) return;
  m_line = line;
  m_column = column;
}

void ErrorCollector::Fail(int code, CString reason) {
  if (m_code != 0) return;
  m_code = code;
  m_ownReason = std::move(reason);
}

CString ErrorCollector::Reason() const {
  if (!m_ownReason.IsEmpty()) return m_ownReason;
  return PositionText(m_line, m_column) + ReasonText(m_code, m_message);
}

ErrorScope::ErrorScope(ErrorCollector& collector)
    : m_oldStructured(xmlStructuredError),
      m_oldStructuredContext(xmlStructuredErrorContext),
      m_oldGeneric(xmlGenericError),
      m_oldGenericContext(xmlGenericErrorContext) {
  xmlSetStructuredErrorFunc(&collector, ErrorCollector::Handler);
  xmlSetGenericErrorFunc(nullptr, Silent);
}

ErrorScope::~ErrorScope() {
  xmlSetStructuredErrorFunc(m_oldStructuredContext, m_oldStructured);
  xmlSetGenericErrorFunc(m_oldGenericContext, m_oldGeneric);
}

int FileInput::Read(void* context, char* buffer, int length) {
  auto* self = static_cast<FileInput*>(context);
  if (!self || !self->file || self->failed || length <= 0) return -1;
  try {
    return static_cast<int>(self->file->Read(buffer, static_cast<UINT>(length)));
  } catch (const CFileException& error) {
    self->reason = error.GetErrorMessage();
  } catch (...) {
    self->reason =
        CFileException(CFileException::generic, -1, self->file->GetFilePath()).GetErrorMessage();
  }
  self->failed = true;
  return -1;
}

}  // namespace vext::xml::detail
