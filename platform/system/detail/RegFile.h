// The registry's contents as read from .reg files, inside the platform
// library only (Registry.h is the public face).
//
// Key names are kept canonical: the hive spelt out, ASCII letters upper
// case, one '\' between components. HKEY_CLASSES_ROOT is the same store as
// HKEY_LOCAL_MACHINE\SOFTWARE\Classes, as it is on a machine without
// per-user classes.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/AfxTypes.h"

namespace vext::registry::detail {

enum class ValueType { String, ExpandString, Dword, Other };

struct Value {
  ValueType type = ValueType::Other;
  // CP932; nullopt when the text has no CP932 form (such a value cannot be
  // read, but it still hides an earlier value of the same name).
  std::optional<std::string> text;
  DWORD dword = 0;
};

// Value names in ASCII upper case; "" is the key's default value.
using Values = std::map<std::string, Value>;

// The canonical name of a hive-qualified CP932 key path such as
// "HKLM\Software\velmor_op"; nullopt for an unknown hive or an empty
// component (a single trailing '\' is allowed).
std::optional<std::string> CanonicalKeyName(std::string_view path);

class Store {
 public:
  Store();

  // Creates the key and every key above it.
  void AddKey(const std::string& key);
  // Removes the key and everything below it.
  void DeleteKey(const std::string& key);
  void SetValue(const std::string& key, const std::string& name, Value value);
  void DeleteValue(const std::string& key, const std::string& name);
  const Values* Find(const std::string& key) const;

 private:
  std::map<std::string, Values> m_keys;
};

// Applies one .reg file (its raw bytes: UTF-8 with or without BOM, or
// UTF-16LE with BOM) to `store`. A malformed line is skipped; false, with
// nothing applied, when the text is not a registry file at all.
bool ApplyRegFile(std::string_view bytes, Store& store);

}  // namespace vext::registry::detail
