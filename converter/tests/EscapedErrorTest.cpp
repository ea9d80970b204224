// An error that escapes the conversion still ends in a message.
#include "EscapedError.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "ConverterTestSupport.h"
#include "SilentUserInterface.h"
#include "platform/base/Exceptions.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/UserInterface.h"

namespace {

using vext::converter::ReportEscapedError;
using vext::test::U8;

template <typename E>
std::exception_ptr Thrown(E error) {
  return std::make_exception_ptr(error);
}

TEST(EscapedError, EveryKindOfErrorIsShown) {
  struct Case {
    const char* name;
    std::exception_ptr error;
    std::string message;  // UTF-8
  };
  const std::vector<Case> cases = {
      {"file error", Thrown(CFileException(CFileException::diskFull, ENOSPC, "C:\\x.csv")),
       U8(u8"ディスクの空き容量が不足しています。\nC:\\x.csv")},
      {"no memory", Thrown(std::bad_alloc()), U8(u8"メモリ不足です")},
      {"library error", Thrown(std::invalid_argument("not an XML name")),
       U8(u8"予期しないエラーが発生しました。\nnot an XML name")},
      {"anything else", Thrown(42), U8(u8"予期しないエラーが発生しました。")},
  };
  for (const Case& c : cases) {
    vext::test::ScriptedUi ui;
    ReportEscapedError(c.error);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{c.message}) << c.name;
  }
}

// A user interface that cannot show anything.
class BrokenUserInterface : public vext::testing::SilentUserInterface {
 public:
  int MessageBox(const CString&, UINT) override { throw std::runtime_error("no display"); }
};

TEST(EscapedError, WithoutAWorkingMessageBoxTheTextGoesToStandardError) {
  auto previous = vext::ui::SetCurrent(std::make_shared<BrokenUserInterface>());
  ::testing::internal::CaptureStderr();
  ReportEscapedError(Thrown(std::bad_alloc()));
  const std::string written = ::testing::internal::GetCapturedStderr();
  vext::ui::SetCurrent(std::move(previous));
  EXPECT_EQ(written, U8(u8"メモリ不足です\n"));
}

}  // namespace
