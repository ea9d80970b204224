#include "JsonFields.h"

#include <cstdint>

#include "Failure.h"

namespace vextform {

std::string Member(const std::string& where, const std::string& key) {
  return where.empty() ? key : where + "." + key;
}

void RequireObject(const Json& value, const std::string& where) {
  if (!value.is_object())
    throw Failure((where.empty() ? "the description" : where) + ": expected an object");
}

void CheckObject(const Json& value, const std::string& where,
                 std::initializer_list<const char*> allowed) {
  RequireObject(value, where);
  for (const auto& [key, member] : value.items()) {
    bool known = false;
    for (const char* name : allowed) known = known || key == name;
    if (!known) throw Failure(Member(where, key) + ": unknown key");
  }
}

std::int64_t GetInteger(const Json& object, const char* key, const std::string& where,
                        std::int64_t min, std::int64_t max, std::int64_t fallback, bool required) {
  const std::string place = Member(where, key);
  const auto found = object.find(key);
  if (found == object.end()) {
    if (required) throw Failure(place + ": missing");
    return fallback;
  }
  const auto range = " from " + std::to_string(min) + " to " + std::to_string(max);
  if (!found->is_number_integer()) throw Failure(place + ": expected a whole number" + range);
  const bool unsignedTooBig = found->is_number_unsigned() &&
                              found->get<std::uint64_t>() > static_cast<std::uint64_t>(INT64_MAX);
  const std::int64_t number = unsignedTooBig ? 0 : found->get<std::int64_t>();
  if (unsignedTooBig || number < min || number > max)
    throw Failure(place + ": " + found->dump() + " is not" + range);
  return number;
}

CString GetText(const Json& object, const char* key, const std::string& where, bool required) {
  const std::string place = Member(where, key);
  const auto found = object.find(key);
  if (found == object.end()) {
    if (required) throw Failure(place + ": missing");
    return CString();
  }
  return TextFromJson(*found, place);
}

}  // namespace vextform
