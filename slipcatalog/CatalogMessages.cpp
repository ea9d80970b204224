#include "CatalogMessages.h"

#include "platform/base/CString.h"
#include "platform/ui/UserInterface.h"

namespace slipcatalog {

void message::Show(const char* text) { AfxMessageBox(CString(text), MB_OK | MB_ICONEXCLAMATION); }

}  // namespace slipcatalog
