// Reading the members of a description's JSON objects, with the place of
// each mistake in the message ("fields[2].order: ...").
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "TextJson.h"

namespace vextform {

// Checks that `value` is an object (with any keys).
void RequireObject(const Json& value, const std::string& where);
// Checks that `value` is an object whose keys are all among `allowed`.
void CheckObject(const Json& value, const std::string& where,
                 std::initializer_list<const char*> allowed);

// The member `key` of an object as an integer in [min, max]; `fallback`
// when it is absent, or a Failure when `required`.
std::int64_t GetInteger(const Json& object, const char* key, const std::string& where,
                        std::int64_t min, std::int64_t max, std::int64_t fallback,
                        bool required = false);
// The member `key` as text (see TextFromJson); empty when absent, or a
// Failure when `required`.
CString GetText(const Json& object, const char* key, const std::string& where,
                bool required = false);

// `where` + "." + key, or the key alone at the top.
std::string Member(const std::string& where, const std::string& key);

}  // namespace vextform
