#include "CnvMessages.h"
#include "CnvResources.h"
#include "ConversionFlows.h"
#include "RecConv.h"
#include "platform/fs/File.h"
#include "platform/ui/UserInterface.h"

IMPLEMENT_SERIAL(CVextCnvProc, CObject, 1)

using namespace vext::recconv;

CVextCnvProc::CVextCnvProc() = default;

CVextCnvProc::CVextCnvProc(CWnd* parent) : parentWnd(parent) {}

CVextCnvProc::~CVextCnvProc() = default;

void CVextCnvProc::Serialize(CArchive& /*ar*/) {}

void CVextCnvProc::SetOldToNewFilePath(const CString& path) { oldToNewPath = path; }

int CVextCnvProc::VextCnvInOut(int isExport, UINT formatNo, UINT /*reserved*/, CKorbe95Data* data,
                               CString& name, int batch) {
  if (!parentWnd) return 0;
  // The dialogs come from this library's templates for the length of the
  // call; the caller's come back however it ends.
  vext::ResourceScope resources(Resources());
  CCnvContext context;
  context.formatNo = formatNo;
  context.isExport = isExport != 0;

  if (isExport) {
    const bool written = RunWritingFlow(context, data, name) != 0;
    AfxMessageBox(written ? kWriteDone : kWriteAborted);
    return written ? 1 : 0;
  }

  context.oldToNewPath = oldToNewPath;
  const bool read = RunReadingFlow(context, data, name, batch != 0) != 0;
  // A batch input file goes once it has been read; after a failure it
  // stays, so that nothing it holds is lost.
  if (batch && read) {
    const CString input = BatchInputPath(context);
    if (CFile::Exists(input)) CFile::Remove(input);
  }
  if (read) return 1;
  AfxMessageBox(kReadAborted);
  return 0;
}
