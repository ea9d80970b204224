#include "ParserCheck.h"

#include "ExchangeMessages.h"
#include "platform/system/DynamicLibrary.h"
#include "platform/ui/UserInterface.h"

namespace vext::snxml {

int CheckXmlParser() {
  auto library =
      DynamicLibrary::Load("xmlSncEnv.DLL", reinterpret_cast<const void*>(&CheckXmlParser));
  // A library without the entry point is as good as none.
  const auto check =
      library ? reinterpret_cast<int (*)()>(library->Symbol("ChkMsxmlVer")) : nullptr;
  if (!check) {
    AfxMessageBox(kMsgNoParserCheck, MB_OK | MB_ICONWARNING);
    return 0;
  }
  const int version = check();
  library.reset();
  if (version == -1) {
    AfxMessageBox(kMsgNoParser, MB_OK);
    return 0;
  }
  return 1;
}

}  // namespace vext::snxml
