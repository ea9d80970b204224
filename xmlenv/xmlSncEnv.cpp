#include "xmlSncEnv.h"

#include <exception>

#include "platform/base/CString.h"
#include "platform/system/Registry.h"

namespace {

using vext::registry::Hive;
using vext::registry::Key;

constexpr std::size_t kBufferSize = 260;  // MAX_PATH, terminator included

// The key's default value with environment references expanded (the text
// as read when the expansion is empty); empty when it cannot be read.
CString ReadExpandedDefault(const Key& key) {
  const std::optional<CString> text = key.ReadString("", kBufferSize);
  if (!text) return CString();
  CString expanded = vext::registry::ExpandEnvironmentStrings(*text, kBufferSize);
  return expanded.IsEmpty() ? *text : expanded;
}

int ParserGeneration() {
  const std::unique_ptr<Key> classKey = Key::Open(Hive::ClassesRoot, "MSXML.DOMDocument\\CLSID");
  if (!classKey) return -1;
  const CString clsid = ReadExpandedDefault(*classKey);

  CString library;
  const CString serverKeyName = "CLSID\\" + clsid + "\\InProcServer32";
  if (const std::unique_ptr<Key> serverKey = Key::Open(Hive::ClassesRoot, serverKeyName.view())) {
    library = ReadExpandedDefault(*serverKey);
    library = library.Mid(library.ReverseFind('\\') + 1);
  }
  library.MakeUpper();

  if (library == "MSXML4.DLL") return 4;
  if (library == "MSXML3.DLL") return 3;
  if (library == "MSXML2.DLL") return 2;
  if (library == "MSXML.DLL") return 1;
  return 0;
}

}  // namespace

extern "C" int ChkMsxmlVer() {
  try {
    return ParserGeneration();
  } catch (const std::exception&) {
    return -1;  // nothing may leave a plain exported function
  }
}
