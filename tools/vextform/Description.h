// Description files: UTF-8 JSON, read whole ("-" is standard input) and
// printed indented.
#pragma once

#include <string>

#include "TextJson.h"

namespace vextform {

Json ReadDescription(const std::string& path);
void PrintDescription(const Json& desc);

}  // namespace vextform
