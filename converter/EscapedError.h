// The last word of xmlSncConv on an error that escaped the conversion:
// whatever it is, the user sees a message and the program ends with the
// failure status, never with an abort.
#pragma once

#include <exception>

namespace vext::converter {

// Shows the message for `error`: a file or archive error its own text,
// lack of memory "メモリ不足です", anything else "予期しないエラーが発生しました。"
// with the error's description. Never throws: when even the message box
// fails, the text goes to standard error.
void ReportEscapedError(const std::exception_ptr& error) noexcept;

}  // namespace vext::converter
