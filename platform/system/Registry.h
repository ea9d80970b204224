// The registry, read only, from text files in the .reg export format.
//
// The files are named by $VEXT_REGISTRY (a ':'-separated list, later files
// win), by default $XDG_CONFIG_HOME/vext/registry.reg. Built-in defaults
// lie under the files: the XML DOM parser's class registration and the
// user's "Personal" folder. $VEXT_REGISTRY_DEFAULTS=0 (or
// SetBuiltinDefaults(false)) switches the defaults off. The files are read
// afresh on every Open, so a change is seen by the next reader. Key and
// value names match case-insensitively (ASCII letters); values are held in
// CP932, and one that has no CP932 form cannot be read. HKEY_CLASSES_ROOT
// is HKEY_LOCAL_MACHINE\SOFTWARE\Classes under another name. A missing or
// unreadable file is skipped, a malformed line ignored.
#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "platform/base/AfxTypes.h"
#include "platform/base/CString.h"

namespace vext::registry {

enum class Hive { ClassesRoot, CurrentUser, LocalMachine };

class AFX_API Key {
 public:
  // nullptr when the key does not exist. `path` is CP932 text such as
  // "SOFTWARE\velmor_op\Common"; the returned key holds the values it had
  // at this moment.
  static std::unique_ptr<Key> Open(Hive hive, std::string_view path);
  virtual ~Key() = default;

  // A text value (REG_SZ or REG_EXPAND_SZ) read into a buffer of
  // `bufferSize` bytes, terminator included: nullopt when the value is
  // missing, not text, or longer than the buffer. An empty name is the
  // key's default value.
  virtual std::optional<CString> ReadString(std::string_view name,
                                            std::size_t bufferSize) const = 0;
  // nullopt when the value is missing or not a REG_DWORD.
  virtual std::optional<DWORD> ReadDword(std::string_view name) const = 0;
};

// Expands %NAME% references from the environment (CP932 text) into a
// buffer of `bufferSize` bytes; empty when the result does not fit. An
// unknown variable stays as written, as on Windows.
AFX_API CString ExpandEnvironmentStrings(const CString& text, std::size_t bufferSize);

AFX_API void SetBuiltinDefaults(bool enabled);

}  // namespace vext::registry
