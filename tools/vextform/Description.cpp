#include "Description.h"

#include <fstream>
#include <iostream>
#include <iterator>

#include "Failure.h"

namespace vextform {

namespace {

// Objects and lists of plain values that fit go on one line, the way
// descriptions are written by hand; the rest is indented.
constexpr std::size_t kLineWidth = 100;

bool IsFlat(const Json& value) {
  if (!value.is_structured()) return true;
  for (const auto& member : value)
    if (member.is_structured() && !member.empty()) return false;
  return true;
}

std::string OneLine(const Json& value) {
  if (!value.is_structured() || value.empty()) return value.dump();
  std::string text(1, value.is_object() ? '{' : '[');
  bool first = true;
  for (const auto& [key, member] : value.items()) {
    if (!first) text += ", ";
    first = false;
    if (value.is_object()) text += Json(key).dump() + ": ";
    text += OneLine(member);
  }
  return text + (value.is_object() ? '}' : ']');
}

void Print(std::ostream& out, const Json& value, std::size_t indent) {
  const std::string flat = IsFlat(value) ? OneLine(value) : std::string();
  if (!flat.empty() && indent + flat.size() <= kLineWidth) {
    out << flat;
    return;
  }
  const std::string inner(indent + 2, ' ');
  out << (value.is_object() ? '{' : '[') << '\n';
  bool first = true;
  for (const auto& [key, member] : value.items()) {
    if (!first) out << ",\n";
    first = false;
    out << inner;
    if (value.is_object()) out << Json(key).dump() << ": ";
    Print(out, member, indent + 2);
  }
  out << '\n' << std::string(indent, ' ') << (value.is_object() ? '}' : ']');
}

}  // namespace

Json ReadDescription(const std::string& path) {
  std::string text;
  if (path == "-") {
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  } else {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Failure(path + ": cannot be read");
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  try {
    return Json::parse(text);
  } catch (const Json::parse_error& error) {
    throw Failure(path + ": not a JSON description (" + error.what() + ")");
  }
}

void PrintDescription(const Json& desc) {
  Print(std::cout, desc, 0);
  std::cout << '\n';
}

}  // namespace vextform
