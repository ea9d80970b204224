// Walking and reshaping the catalogue tree inside the library: who owns
// what (a category array owns its records), deep copies, and the searches
// by layout identifier that the lookups and editing operations share.
// Null entries, which a file may hold, are skipped by every walk.
#pragma once

#include <memory>
#include <type_traits>

#include "CatalogRecords.h"

namespace slipcatalog {

template <class Category>
using ChildOf = std::conditional_t<
    std::is_same_v<Category, CDaiBunrui>, CChuBunrui,
    std::conditional_t<std::is_same_v<Category, CChuBunrui>, CShoBunrui, CLayoutInfo>>;

// Destroys every record of an owning array and empties it.
template <class Array>
void DestroyAll(Array& records) {
  for (CObject* record : records) delete record;
  records.RemoveAll();
}

// An exact copy, version included, that shares nothing with `src`;
// nullptr for nullptr. (A record's own Copy leaves a layout's version.)
inline std::unique_ptr<CLayoutInfo> Clone(CLayoutInfo* src) {
  if (!src) return nullptr;
  auto copy = std::make_unique<CLayoutInfo>();
  copy->Copy(src);
  copy->version = src->version;
  return copy;
}

// A new layout that takes `src`'s fields through Copy (initial version).
inline std::unique_ptr<CLayoutInfo> CopyOf(CLayoutInfo* src) {
  auto copy = std::make_unique<CLayoutInfo>();
  copy->Copy(src);
  return copy;
}

template <class Category>
std::unique_ptr<Category> Clone(Category* src) {
  if (!src) return nullptr;
  auto copy = std::make_unique<Category>();
  copy->version = src->version;
  copy->name = src->name;
  for (auto* child : src->childList) copy->childList.Add(Clone(child).release());
  return copy;
}

// Removes the element at `index` and hands it over.
template <class Record>
std::unique_ptr<Record> Detach(CTypedPtrArray<CObArray, Record*>& records, int index) {
  std::unique_ptr<Record> record(records.GetAt(index));
  records.RemoveAt(index);
  return record;
}

// Destroys the element at `index` and removes it.
template <class Record>
void DestroyAt(CTypedPtrArray<CObArray, Record*>& records, int index) {
  delete records.GetAt(index);
  records.RemoveAt(index);
}

// Appends a record that the array then owns.
template <class Record>
void Adopt(CTypedPtrArray<CObArray, Record*>& records, std::unique_ptr<Record> record) {
  records.Add(record.get());
  static_cast<void>(record.release());  // the array's now
}

// Position of the first child named `name`, or -1.
template <class Record>
int IndexOfName(const CTypedPtrArray<CObArray, Record*>& records, const CString& name) {
  for (int i = 0; i < records.GetSize(); ++i)
    if (records.GetAt(i) && records.GetAt(i)->name == name) return i;
  return -1;
}

// Position of the first layout with that identifier, or -1.
int IndexOfLayout(const CShoBunrui& category, LONG layoutId);

// Where a layout was found: its minor category and position in it.
struct LayoutSlot {
  CShoBunrui* minor = nullptr;
  int index = -1;

  explicit operator bool() const { return minor != nullptr; }
  CLayoutInfo* layout() const { return minor ? minor->childList.GetAt(index) : nullptr; }
};

// The first layout with that identifier through a list of minor
// categories (the pick-up forms), or through major, middle and minor
// categories in order.
LayoutSlot FindSlot(const CShoBunruiArray& minors, LONG layoutId);
LayoutSlot FindSlot(const CDaiBunruiArray& majors, LONG layoutId);
template <class Array>
CLayoutInfo* FindLayout(const Array& categories, LONG layoutId) {
  return FindSlot(categories, layoutId).layout();
}

// Moves the element at `index` to the front.
template <class Array>
void MoveToFront(Array& records, int index) {
  auto* record = records.GetAt(index);
  records.RemoveAt(index);
  records.InsertAt(0, record);
}

// The layout a recent entry stands for: its first middle category's first
// minor category's first layout; nullptr when one of them is missing.
CLayoutInfo* EntryLayout(const CDaiBunrui* entry);

}  // namespace slipcatalog
