#include "ConversionFlows.h"

#include <cstring>

#include "CnvInItemDlg.h"
#include "CnvMessages.h"
#include "CnvOutOrderDlg.h"
#include "DocumentWriter.h"
#include "RecordDistributor.h"
#include "RecordFile.h"
#include "VextEnv.h"
#include "platform/fs/CurrentDirectory.h"
#include "platform/fs/File.h"
#include "platform/text/Cp932Rules.h"
#include "platform/ui/UserInterface.h"

namespace vext::recconv {

namespace {

// A document header copied out of a document; frees the layout handle it
// carries.
struct HeaderCopy {
  HeaderCopy() { std::memset(&record, 0, sizeof record); }
  ~HeaderCopy() {
    if (record.hFormat) GlobalFree(record.hFormat);
  }
  HeaderCopy(const HeaderCopy&) = delete;
  HeaderCopy& operator=(const HeaderCopy&) = delete;

  tagNVEXTDOC record;
};

vext::ui::FileDialogRequest TextFileRequest(bool open) {
  vext::ui::FileDialogRequest request;
  request.open = open;
  request.defaultExt = kTextFileExtension;
  request.filter = kTextFileFilter;
  request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  return request;
}

// The open dialog starts in the installed data folder.
std::optional<CString> ChooseInputFile() {
  CVextEnv env;
  CurrentDirectoryScope dataFolder(env.m_strInstalledDataDir);
  std::optional<CString> chosen = vext::ui::Current()->FileDialog(TextFileRequest(true));
  if (chosen) *chosen = AbsolutePath(*chosen);
  return chosen;
}

// The layout of the file from its first byte; nullopt when the file cannot
// be opened or is empty.
std::optional<BOOL> FirstByteLayout(const CString& path) {
  CFile file;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) return std::nullopt;
  char first = 0;
  if (file.Read(&first, 1) != 1) return std::nullopt;
  return first == '"' ? TRUE : FALSE;
}

// The print frame's layout: the format file's, else the layout of the
// data set's first document.
void LoadLayout(CVextBasePrtFrm& frame, UINT formatNo, CNVextDocList& docs) {
  if (frame.SetFormat(formatNo) || docs.IsEmpty() || !docs.GetHead()) return;
  HeaderCopy header;
  if (!docs.GetHead()->GetVEXTDOC(&header.record, 0)) return;
  CNVextDoc scratch;
  if (scratch.SetVEXTDOC(&header.record, 0) && scratch.GetFormat())
    frame.SetFormat(scratch.GetFormat());
}

const CCnvDefData* FirstDefaultWithColumns(const CnvDefList& defs) {
  for (const auto& def : defs)
    if (def->title == kDefaultTitle && !def->columnList.empty()) return def.get();
  return nullptr;
}

}  // namespace

int RunWritingFlow(CCnvContext& context, CKorbe95Data* data, const CString& name) {
  if (!data || data->GetVextDocList().IsEmpty()) return 0;
  CNVextDoc* sample = data->GetVextDocList().GetHead();
  if (!sample) return 0;
  context.settings = std::make_unique<CUserCnvData>(context.formatNo, sample, name, FALSE);

  vext::ui::FileDialogRequest request = TextFileRequest(false);
  request.fileName = context.settings->exportPath;
  const std::optional<CString> chosen = vext::ui::Current()->FileDialog(request);
  if (!chosen) return 0;
  context.filePath = *chosen;
  context.settings->exportPath = *chosen;

  CCnvOutOrderDlg order(*context.settings, sample);
  if (order.DoModal() != IDOK) return 0;
  const CCnvDefData& definition = *context.settings->exportDefs.front();
  context.quoted = definition.quoted != 0;

  CWaitCursor wait;
  WriteRecordFile(context.filePath, *data, definition, context.quoted != FALSE);
  return 1;
}

int RunReadingFlow(CCnvContext& context, CKorbe95Data* data, const CString& name, bool batch) {
  if (!data) return 0;
  CNVextDocList& docs = data->GetVextDocList();
  CVextBasePrtFrm frame;
  LoadLayout(frame, context.formatNo, docs);

  // The first document to fill: the data set's first one, else a blank one.
  // The data set itself is left alone until everything is ready to read.
  std::unique_ptr<CNVextDoc> blank(frame.GetData(0, 0));
  const bool hasDocs = !docs.IsEmpty();
  CNVextDoc* target = hasDocs ? docs.GetHead() : blank.get();
  if (!target) return 0;
  if (hasDocs) blank.reset();
  HeaderCopy header;
  if (!target->GetVEXTDOC(&header.record, 0)) return 0;
  header.record.szTitle[0] = '\0';

  context.settings = std::make_unique<CUserCnvData>(context.formatNo, target, name, batch);
  if (batch) {
    context.filePath = BatchInputPath(context);
  } else {
    const std::optional<CString> chosen = ChooseInputFile();
    if (!chosen) return 0;
    context.filePath = *chosen;
  }
  context.settings->importPath = context.filePath;

  const std::optional<BOOL> quoted = FirstByteLayout(context.filePath);
  if (!quoted) return 0;
  context.quoted = *quoted;
  std::vector<CString> preview;
  ReadPreview(context.filePath, context.quoted != FALSE, preview);
  if (!batch) {
    CCnvInItemDlg items(*context.settings, preview, context.quoted);
    if (items.DoModal() != IDOK) return 0;
  }

  CWaitCursor wait;
  std::unique_ptr<CCnvDefData> migrated;
  const CCnvDefData* definition = nullptr;
  if (!batch) {
    if (!context.settings->importDefs.empty())
      definition = context.settings->importDefs.front().get();
  } else if (context.oldToNewPath.IsEmpty()) {
    definition = FirstDefaultWithColumns(context.settings->importDefs);
  } else {
    migrated = MigrationLookup(context.oldToNewPath);
    definition = migrated.get();
  }
  if (!definition) return 0;

  // From here on the data set changes: its first document becomes the
  // first to fill, the others go.
  std::unique_ptr<CNVextDoc> first;
  if (docs.IsEmpty()) {
    first = std::move(blank);
  } else {
    first.reset(docs.RemoveHead());
    while (!docs.IsEmpty()) delete docs.RemoveHead();
  }
  if (batch) first->InitData();
  const RecordTarget recordTarget{data, &frame, &header.record, definition, batch};
  return DistributeRecords(context.filePath, context.quoted != FALSE, std::move(first),
                           recordTarget);
}

CString BatchInputPath(const CCnvContext& context) {
  if (!context.oldToNewPath.IsEmpty()) return context.oldToNewPath;
  CVextEnv env;
  CString name;
  name.Format("%d.txt", static_cast<int>(context.formatNo));
  return env.m_strInstalledDataDir + "\\" + name;
}

std::optional<CString> MigrationKey(const CString& path) {
  const std::string& bytes = path.str();
  std::size_t nameStart = std::string::npos;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(bytes[i]))) {
      ++i;
      continue;
    }
    if (bytes[i] == '\\' || bytes[i] == '/') nameStart = i + 1;
  }
  if (nameStart == std::string::npos) return std::nullopt;
  const CString name = path.Mid(static_cast<int>(nameStart));
  const int period = name.Find('.');
  if (period < 0) return std::nullopt;
  return name.Left(period);
}

CString MigrationFilePath() {
  CVextEnv env;
  return env.m_strCDDrive + ":\\PRTFRMCNV\\OldToNew.cnv";
}

std::unique_ptr<CCnvDefData> MigrationLookup(const CString& path) {
  const std::optional<CString> key = MigrationKey(path);
  if (!key) return nullptr;
  CUserCnvData migration;
  if (!migration.LoadFile(MigrationFilePath())) return nullptr;
  if (migration.importDefs.size() <= 1) return nullptr;
  for (const auto& def : migration.importDefs)
    if (def->title == *key) return Detach(migration.importDefs, def.get());
  return nullptr;
}

}  // namespace vext::recconv
