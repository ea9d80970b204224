// CSlipCatalog: the recent, custom and downloaded form lists.
//
// Each operation takes the list's edit lock, reads the file, changes the
// list and rewrites the file. Records handed over by the caller become the
// catalogue's only when the operation succeeds: the work is done on exact
// copies (or the record is put back), so that a 0 leaves them untouched.
#include <memory>
#include <set>
#include <vector>

#include "CatalogFiles.h"
#include "CatalogTree.h"
#include "SlipCatalog.h"
#include "platform/fs/EditLock.h"
#include "platform/text/Sj.h"

using namespace slipcatalog;
using vext::EditLock;

namespace {

constexpr int kMaxRecent = 15;

// The first recent entry whose layout has that identifier, or -1.
int IndexOfEntry(const CDaiBunruiArray& entries, LONG layoutId) {
  for (int i = 0; i < entries.GetSize(); ++i) {
    const CLayoutInfo* layout = EntryLayout(entries.GetAt(i));
    if (layout && layout->layoutId == layoutId) return i;
  }
  return -1;
}

void TrimRecent(CDaiBunruiArray& entries) {
  while (entries.GetSize() > kMaxRecent) DestroyAt(entries, entries.GetUpperBound());
}

// The entry that stands for a layout in the recent list.
std::unique_ptr<CDaiBunrui> RecentEntryFor(CLayoutInfo* layout) {
  auto minor = std::make_unique<CShoBunrui>();
  Adopt(minor->childList, CopyOf(layout));
  auto middle = std::make_unique<CChuBunrui>();
  Adopt(middle->childList, std::move(minor));
  auto entry = std::make_unique<CDaiBunrui>();
  entry->name = "ﾋﾟｯｸｱｯﾌﾟ"_sj;
  Adopt(entry->childList, std::move(middle));
  return entry;
}

}  // namespace

// ---- recent -------------------------------------------------------------------

int CSlipCatalog::SetRecent(CDaiBunrui* entry) {
  const CLayoutInfo* layout = EntryLayout(entry);
  if (!layout) return 0;
  const LONG key = layout->layoutId;
  const auto lock = EditLock::Acquire(recentPath);
  if (!CanEdit(ReadOptionalList(recentPath, recentList))) return 0;
  const int present = IndexOfEntry(recentList, key);
  if (present >= 0) {
    MoveToFront(recentList, present);
    TrimRecent(recentList);
    if (!WriteRecent()) return 0;
    delete entry;
    return 1;
  }
  recentList.InsertAt(0, entry);
  TrimRecent(recentList);
  if (WriteRecent()) return 1;
  recentList.RemoveAt(0);  // still the caller's
  return 0;
}

int CSlipCatalog::SetRecent(CLayoutInfo* layout) {
  if (!layout) return 0;
  // Built before the read, which may replace the very record given.
  std::unique_ptr<CDaiBunrui> entry = RecentEntryFor(layout);
  if (!SetRecent(entry.get())) return 0;
  static_cast<void>(entry.release());  // the catalogue's now
  return 1;
}

int CSlipCatalog::ResetRecent(int position) {
  const auto lock = EditLock::Acquire(recentPath);
  if (!CanEdit(ReadOptionalList(recentPath, recentList))) return 0;
  if (position < 0 || position >= recentList.GetSize()) return 0;
  MoveToFront(recentList, position);
  TrimRecent(recentList);
  return WriteRecent();
}

int CSlipCatalog::DelRecent(LONG layoutId) {
  const auto lock = EditLock::Acquire(recentPath);
  if (!CanEdit(ReadOptionalList(recentPath, recentList))) return 0;
  const int present = IndexOfEntry(recentList, layoutId);
  if (present < 0) return 0;
  DestroyAt(recentList, present);
  TrimRecent(recentList);
  return WriteRecent();
}

// ---- custom ---------------------------------------------------------------------

int CSlipCatalog::SetCustom(CDaiBunrui* entry) {
  if (!entry) return 0;
  std::unique_ptr<CDaiBunrui> work = Clone(entry);
  const auto lock = EditLock::Acquire(customPath);
  if (!CanEdit(ReadOptionalList(customPath, customList))) return 0;
  const int match = IndexOfName(customList, work->name);
  if (match >= 0) {
    CreateDai(customList.GetAt(match), work.get());
    work->childList.RemoveAll();  // what is left was appended: the custom list's now
  } else {
    Adopt(customList, std::move(work));
  }
  if (!WriteCustom()) return 0;
  delete entry;
  return 1;
}

int CSlipCatalog::DelCustom(LONG layoutId) {
  const auto lock = EditLock::Acquire(customPath);
  if (!CanEdit(ReadOptionalList(customPath, customList))) return 0;
  // From the first removal on, a category found empty is removed too,
  // which ends the walk of the category that held it.
  bool removed = false;
  for (int i = 0; i < customList.GetSize(); ++i) {
    CDaiBunrui* major = customList.GetAt(i);
    if (!major) continue;
    for (int j = 0; j < major->childList.GetSize(); ++j) {
      CChuBunrui* middle = major->childList.GetAt(j);
      if (!middle) continue;
      for (int k = 0; k < middle->childList.GetSize(); ++k) {
        CShoBunrui* minor = middle->childList.GetAt(k);
        if (!minor) continue;
        const int index = IndexOfLayout(*minor, layoutId);
        if (index >= 0) {
          DestroyAt(minor->childList, index);
          removed = true;
        }
        if (removed && minor->childList.IsEmpty()) {
          DestroyAt(middle->childList, k);
          break;
        }
      }
      if (removed && middle->childList.IsEmpty()) {
        DestroyAt(major->childList, j);
        break;
      }
    }
    if (removed && major->childList.IsEmpty()) {
      DestroyAt(customList, i);
      break;
    }
  }
  return WriteCustom();
}

// ---- downloaded forms ---------------------------------------------------------------

int CSlipCatalog::SetDownLoad(CTypedPtrArray<CObArray, CDaiBunrui*>& majors) {
  std::vector<std::unique_ptr<CDaiBunrui>> work;
  for (CDaiBunrui* major : majors)
    if (major) work.push_back(Clone(major));
  const auto lock = EditLock::Acquire(downloadPath);
  if (!CanEdit(ReadOptionalList(downloadPath, downloadList))) return 0;
  for (auto& major : work) {
    const int match = IndexOfName(downloadList, major->name);
    if (match < 0) {
      Adopt(downloadList, std::move(major));
      continue;
    }
    CreateDai(downloadList.GetAt(match), major.get());
    major->childList.RemoveAll();  // what is left was appended: the download list's now
  }
  if (!WriteDownLoad()) return 0;
  // Taken over: each record given once, whatever the array repeats.
  std::set<CDaiBunrui*> given(majors.begin(), majors.end());
  for (CDaiBunrui* major : given) delete major;
  majors.RemoveAll();
  return 1;
}

int CSlipCatalog::DelDownLoad(LONG layoutId) {
  const auto lock = EditLock::Acquire(downloadPath);
  if (!CanEdit(ReadOptionalList(downloadPath, downloadList))) return 0;
  const LayoutSlot slot = FindSlot(downloadList, layoutId);
  if (!slot) return 0;
  DestroyAt(slot.minor->childList, slot.index);
  return WriteDownLoad();
}
