// CSlipCatalog: the pick-up forms (Original.dat) and their copies in the
// linked slip and waybill products' own Original.dat.
#include <optional>

#include "CatalogFiles.h"
#include "CatalogMessages.h"
#include "CatalogTree.h"
#include "SlipCatalog.h"
#include "platform/fs/EditLock.h"

using namespace slipcatalog;
using vext::EditLock;

namespace {

// The form file's name without its folder.
CString FileNameOf(const CString& path) {
  const int separator = path.ReverseFind('\\');
  return separator < 0 ? path : path.Mid(separator + 1);
}

struct LinkedProduct {
  bool linked;
  CString dataFolder;
  const char* versionMessage;  // shown when the product's file cannot be decoded
};

// Puts `copy` into the product's Original.dat (a flat list of layouts) in
// place of its earlier copy, or at the end.
int CopyToLinkedProduct(const LinkedProduct& product, std::unique_ptr<CLayoutInfo> copy) {
  // Without a data folder the path would name the root of the file system.
  if (!product.linked || product.dataFolder.IsEmpty()) return 0;
  const CString path = product.dataFolder + "\\Data\\MyData\\Original.dat";
  const auto lock = EditLock::Acquire(path);
  CLayoutInfoArray layouts;
  struct Owner {
    CLayoutInfoArray& layouts;
    ~Owner() { DestroyAll(layouts); }
  } owner{layouts};

  switch (LoadList(path, RUNTIME_CLASS(CLayoutInfo), layouts)) {
    case ReadOutcome::loaded:
    case ReadOutcome::missing: break;
    case ReadOutcome::unopenable: return 0;  // never overwrite what could not be read
    case ReadOutcome::fileError: message::Show(message::kLinkedFileOperationFailed); return 0;
    case ReadOutcome::archiveError: message::Show(product.versionMessage); return 0;
  }
  CLayoutInfo* earlier = nullptr;
  for (CLayoutInfo* layout : layouts) {
    if (layout && layout->linkFlag == 1 && layout->layoutId == copy->layoutId) {
      earlier = layout;
      break;
    }
  }
  if (earlier)
    earlier->Copy(copy.get());
  else
    Adopt(layouts, std::move(copy));

  switch (StoreList(path, layouts)) {
    case WriteOutcome::written: return 1;
    case WriteOutcome::cannotCreate: return 0;
    case WriteOutcome::fileError: message::Show(message::kLinkedFileOperationFailed); return 0;
    case WriteOutcome::archiveError: message::Show(product.versionMessage); return 0;
  }
  return 0;
}

// The copy a linked product gets of a pick-up form.
std::unique_ptr<CLayoutInfo> LinkedCopy(CLayoutInfo* record, std::optional<LONG> formGenre) {
  auto copy = CopyOf(record);
  copy->linkFlag = 1;
  if (formGenre) copy->formGenre = *formGenre;
  return copy;
}

}  // namespace

int CSlipCatalog::SetPickUp(
    const CString& title, LONG motoLayoutId, LONG newLayoutId, int position,
    CString formPath,  // NOLINT(performance-unnecessary-value-param): exported
    int toDen, int toOku, int genreFlag) {
  // The title may be a record's that the reads below replace.
  const CString newTitle = title;  // NOLINT(performance-unnecessary-copy-initialization)
  CLayoutInfo* record = nullptr;
  int result;
  {
    const auto lock = EditLock::Acquire(originalPath);
    if (!ReadPickUp() || !ReadMain() || !ReadCustom()) return 0;
    if (position < 0 || position >= pickUpList.GetSize() || !pickUpList.GetAt(position)) return 0;
    CShoBunrui* category = pickUpList.GetAt(position);

    // The form registered before, moved to the end of the category given
    // when another one holds it.
    CLayoutInfo* existing = nullptr;
    for (int i = 0; i < pickUpList.GetSize() && !existing; ++i) {
      CShoBunrui* minor = pickUpList.GetAt(i);
      const int index = minor ? IndexOfLayout(*minor, newLayoutId) : -1;
      if (index < 0) continue;
      existing = minor->childList.GetAt(index);
      if (i != position) {
        minor->childList.RemoveAt(index);
        category->childList.Add(existing);
      }
    }

    std::unique_ptr<CLayoutInfo> created;
    record = existing;
    if (!record) {
      created = std::make_unique<CLayoutInfo>();
      record = created.get();
    }
    if (motoLayoutId != newLayoutId) {
      CLayoutInfo* source = FindLayout(catalogView, motoLayoutId);
      if (!source) source = FindLayout(pickUpList, motoLayoutId);
      if (source) record->Copy(source);
    }
    record->title = newTitle;
    record->motoLayoutId = motoLayoutId;
    record->layoutId = newLayoutId;
    record->isPickUp = 1;
    record->fileName = FileNameOf(formPath);
    if (created) Adopt(category->childList, std::move(created));
    result = WritePickUp();
  }
  // After the pick-up file's lock is let go: a linked product's file may
  // be this very file when the products share a data folder.
  if (toDen) SetDenPickUp(record);
  if (toOku) SetOkuPickUp(record, genreFlag);
  return result;
}

int CSlipCatalog::DelPickUp(LONG layoutId) {
  const auto lock = EditLock::Acquire(originalPath);
  if (!ReadPickUp()) return 0;
  const LayoutSlot slot = FindSlot(pickUpList, layoutId);
  if (!slot) return 0;
  DestroyAt(slot.minor->childList, slot.index);
  DelRecent(layoutId);
  return WritePickUp();
}

int CSlipCatalog::SetDenPickUp(CLayoutInfo* record) {
  if (!record) return 0;
  const LinkedProduct product{IsDenRenOnData() != 0, GetDenInstDir(), message::kDenFileVersion};
  return CopyToLinkedProduct(product, LinkedCopy(record, std::nullopt));
}

int CSlipCatalog::SetOkuPickUp(CLayoutInfo* record, int genreFlag) {
  if (!record) return 0;
  const LinkedProduct product{IsOkuRenOnData() != 0, GetOkuriInstDir(), message::kOkuFileVersion};
  return CopyToLinkedProduct(product, LinkedCopy(record, genreFlag ? 2 : 0));
}

int CSlipCatalog::UpdateFormGenre(CDWordArray& layoutIds, int copyFlag) {
  const auto lock = EditLock::Acquire(originalPath);
  if (!ReadDataFile()) return 0;
  for (DWORD id : layoutIds) {
    // The first match of each category; the last category holding one wins.
    CLayoutInfo* pickUp = nullptr;
    for (CShoBunrui* minor : pickUpList) {
      const int index = minor ? IndexOfLayout(*minor, static_cast<LONG>(id)) : -1;
      if (index >= 0) pickUp = minor->childList.GetAt(index);
    }
    if (!pickUp || pickUp->motoLayoutId <= 0) continue;
    CLayoutInfo* source = FindLayout(catalogView, pickUp->motoLayoutId);
    if (!source) source = FindLayout(customList, pickUp->motoLayoutId);
    if (!source) continue;
    if (copyFlag) {
      pickUp->formGenre = source->formGenre;
      pickUp->excelName = source->excelName;
    } else {
      pickUp->formGenre = 0;
    }
  }
  return WritePickUp();
}
