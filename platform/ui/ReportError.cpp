// CException::ReportError lives with the message boxes: the exceptions sit
// below the user-interaction room, which shows them.
#include "platform/base/Exceptions.h"
#include "platform/ui/UserInterface.h"

void CException::ReportError() const { AfxMessageBox(GetErrorMessage(), MB_OK | MB_ICONEXCLAMATION); }
