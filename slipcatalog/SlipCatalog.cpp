// CSlipCatalog: its files, reading and writing them, and the merge of the
// downloaded forms into the main catalogue.
#include "SlipCatalog.h"

#include "CatalogFiles.h"
#include "CatalogMessages.h"
#include "CatalogTree.h"
#include "VextEnv.h"

IMPLEMENT_SERIAL(CSlipCatalog, CObject, 1)

using namespace slipcatalog;

CSlipCatalog::CSlipCatalog() {
  CVextEnv env;
  const CString data = env.m_strInstalledDataDir;
  mainPath = data + "\\Data\\MyData\\SlipCatalog.dat";
  originalPath = data + "\\Data\\MyData\\Original.dat";
  recentPath = data + "\\Data\\MyData\\Recent.dat";
  customPath = data + "\\Data\\MyData\\Custom.dat";
  downloadPath = data + "\\Data\\MyData\\DownLoad.dat";
}

CSlipCatalog::~CSlipCatalog() {
  ClearData();
  ClearMData();
  ClearPData();
  ClearRData();
  ClearCData();
  ClearDData();
}

void CSlipCatalog::ClearData() { catalogView.RemoveAll(); }
void CSlipCatalog::ClearMData() { DestroyAll(mainList); }
void CSlipCatalog::ClearPData() { DestroyAll(pickUpList); }
void CSlipCatalog::ClearRData() { DestroyAll(recentList); }
void CSlipCatalog::ClearCData() { DestroyAll(customList); }
void CSlipCatalog::ClearDData() { DestroyAll(downloadList); }

// ---- reading ----------------------------------------------------------------

int CSlipCatalog::ReadDataFile() {
  return ReadMain() && ReadPickUp() && ReadRecent() && ReadCustom() ? 1 : 0;
}

int CSlipCatalog::ReadMain() {
  ClearData();
  switch (LoadList(mainPath, RUNTIME_CLASS(CDaiBunrui), mainList)) {
    case ReadOutcome::loaded: break;
    case ReadOutcome::missing: message::Show(message::kNoMainFile); return 0;
    case ReadOutcome::unopenable: message::Show(message::kCannotOpenMainFile); return 0;
    case ReadOutcome::fileError:
    case ReadOutcome::archiveError: message::Show(message::kFileOperationFailed); return 0;
  }
  ReadDownLoad();
  CreateMainData();
  return 1;
}

int CSlipCatalog::ReadPickUp() {
  switch (LoadList(originalPath, RUNTIME_CLASS(CShoBunrui), pickUpList)) {
    case ReadOutcome::loaded: return 1;
    case ReadOutcome::missing: message::Show(message::kNoOriginalFile); return 0;
    case ReadOutcome::unopenable: return 0;
    case ReadOutcome::fileError:
    case ReadOutcome::archiveError: message::Show(message::kFileOperationFailed); return 0;
  }
  return 0;
}

int CSlipCatalog::ReadRecent() { return ReadResult(ReadOptionalList(recentPath, recentList)); }
int CSlipCatalog::ReadCustom() { return ReadResult(ReadOptionalList(customPath, customList)); }
int CSlipCatalog::ReadDownLoad() {
  return ReadResult(ReadOptionalList(downloadPath, downloadList));
}

// ---- writing ----------------------------------------------------------------

int CSlipCatalog::WriteMotoData() {
  // With downloaded categories left over, mainList is not the whole
  // catalogue the user sees, and writing it would lose them.
  if (mainList.IsEmpty() || (!catalogView.IsEmpty() && !downloadList.IsEmpty())) {
    message::Show(message::kCannotWriteMainData);
    return 0;
  }
  return WriteListFile(mainPath, mainList);
}

int CSlipCatalog::WritePickUp() { return WriteListFile(originalPath, pickUpList); }
int CSlipCatalog::WriteRecent() { return WriteListFile(recentPath, recentList); }
int CSlipCatalog::WriteCustom() { return WriteListFile(customPath, customList); }
int CSlipCatalog::WriteDownLoad() { return WriteListFile(downloadPath, downloadList); }

// ---- the merge ------------------------------------------------------------------

namespace {

// One level of the merge: children of `source` matched by name in `target`
// are merged by `mergeChild` and then destroyed (what is left in them has
// been moved into the target's child); the others are appended to
// `target` and stay listed in `source` for the caller to detach.
template <class Category, class MergeChild>
void MergeLevel(Category* target, Category* source, MergeChild mergeChild) {
  if (!target || !source || target == source) return;
  for (int i = 0; i < source->childList.GetSize(); ++i) {
    auto* child = source->childList.GetAt(i);
    if (!child) continue;
    const int match = IndexOfName(target->childList, child->name);
    if (match < 0) {
      target->childList.Add(child);
      continue;
    }
    auto* into = target->childList.GetAt(match);
    if (into == child) continue;
    mergeChild(into, child);
    child->childList.RemoveAll();       // their records are the target child's now
    DestroyAt(source->childList, i--);  // the next one moves into its place
  }
}

}  // namespace

void CSlipCatalog::CreateMainData() {
  for (int i = 0; i < downloadList.GetSize();) {
    CDaiBunrui* download = downloadList.GetAt(i);
    const int match = download ? IndexOfName(mainList, download->name) : -1;
    if (match < 0) {
      ++i;
      continue;
    }
    CreateDai(mainList.GetAt(match), download);
    if (download->childList.IsEmpty()) {
      DestroyAt(downloadList, i);
      continue;
    }
    // The middle categories left here were appended to the catalogue's
    // major category and are mainList's now; this one keeps copies.
    for (int j = 0; j < download->childList.GetSize(); ++j)
      download->childList.SetAt(j, Clone(download->childList.GetAt(j)).release());
    ++i;
  }
  catalogView.RemoveAll();
  for (CDaiBunrui* major : mainList) catalogView.Add(major);
}

void CSlipCatalog::CreateDai(CDaiBunrui* target, CDaiBunrui* source) {
  MergeLevel(target, source, [this](CChuBunrui* t, CChuBunrui* s) { CreateChu(t, s); });
}

void CSlipCatalog::CreateChu(CChuBunrui* target, CChuBunrui* source) {
  MergeLevel(target, source, [this](CShoBunrui* t, CShoBunrui* s) { CreateSho(t, s); });
}

void CSlipCatalog::CreateSho(CShoBunrui* target, CShoBunrui* source) {
  if (!target || !source || target == source) return;
  for (int i = 0; i < source->childList.GetSize(); ++i) {
    CLayoutInfo* layout = source->childList.GetAt(i);
    if (!layout) continue;
    const int match = IndexOfLayout(*target, layout->layoutId);
    if (match < 0) {
      target->childList.Add(layout);
      continue;
    }
    CLayoutInfo* into = target->childList.GetAt(match);
    if (into == layout) continue;
    into->Copy(layout);
    DestroyAt(source->childList, i--);  // the next one moves into its place
  }
}
