#include "EscapedError.h"

#include <cstdio>
#include <new>

#include "platform/base/CString.h"
#include "platform/base/Exceptions.h"
#include "platform/text/Cp932.h"
#include "platform/text/Sj.h"
#include "platform/ui/UserInterface.h"

namespace vext::converter {
namespace {

const char* const kOutOfMemory = "メモリ不足です"_sj;
const char* const kUnexpected = "予期しないエラーが発生しました。"_sj;

CString MessageFor(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const CException& e) {
    return e.GetErrorMessage();
  } catch (const std::bad_alloc&) {
    return CString(kOutOfMemory);
  } catch (const std::exception& e) {
    // The description is the library's text, shown as far as CP932 has it.
    return CString(kUnexpected) + "\n" + CString(Utf8ToCp932Lossy(e.what()));
  } catch (...) {
    return CString(kUnexpected);
  }
}

}  // namespace

void ReportEscapedError(const std::exception_ptr& error) noexcept {
  CString message;
  try {
    message = MessageFor(error);
    AfxMessageBox(message, MB_OK | MB_ICONSTOP);
    return;
  } catch (...) {
    // Even the message box failed (or memory ran out building the text).
  }
  const std::string text = message.IsEmpty() ? std::string("xmlSncConv: unexpected error")
                                             : Cp932ToUtf8Lossy(message.view());
  std::fprintf(stderr, "%s\n", text.c_str());
}

}  // namespace vext::converter
