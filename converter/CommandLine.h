// The converter's command line: a direction switch and the ContactXML path.
#pragma once

#include <optional>

#include "platform/base/CString.h"

namespace vext::converter {

constexpr int kWriteMode = 0;  // "/W:": phone-book CSV to ContactXML
constexpr int kReadMode = 1;   // "/R:": ContactXML to phone-book CSV

struct CommandLine {
  int mode = kWriteMode;
  CString xmlPath;
};

// The tail as the suite hands it over: the arguments after the program
// name joined by one blank, converted from the terminal's UTF-8 to CP932.
// nullopt when an argument is not convertible.
std::optional<CString> CommandLineTail(int argc, const char* const* argv);

// "/R:" anywhere wins over "/W:". The path follows the switch's colon:
// enclosed in double quotes when a quote stands there (the shell may have
// removed them), else the rest of the tail. nullopt for a tail with
// neither switch or with an empty path.
std::optional<CommandLine> ParseCommandLine(const CString& tail);

}  // namespace vext::converter
