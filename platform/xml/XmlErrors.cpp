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
  std::string reason;
  if (m_line > 0) {
    reason += std::to_string(m_line);
    reason += " 行目"_sj;
    if (m_column > 0) {
      reason += ' ';
      reason += std::to_string(m_column);
      reason += " 桁目"_sj;
    }
    reason += ": ";
  }
  reason += vext::Utf8ToCp932Lossy(m_message);
  return CString(std::move(reason));
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
