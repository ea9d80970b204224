// Building catalogue trees in code: for the sample catalogue, the
// benchmark and the tests. Each Add appends a new record that the parent
// (or the list) owns, and returns it for the next level.
#pragma once

#include <type_traits>

#include "CatalogRecords.h"

namespace slipcatalog::build {

template <class Array>
auto* AddTo(Array& list, const char* name) {
  using Record = std::remove_pointer_t<decltype(list.GetAt(0))>;
  auto* record = new Record;
  record->name = name;
  list.Add(record);
  return record;
}

inline CDaiBunrui* AddMajor(CDaiBunruiArray& list, const char* name) { return AddTo(list, name); }
inline CChuBunrui* AddMiddle(CDaiBunrui* major, const char* name) {
  return AddTo(major->childList, name);
}
inline CShoBunrui* AddMinor(CChuBunrui* middle, const char* name) {
  return AddTo(middle->childList, name);
}
inline CShoBunrui* AddMinor(CShoBunruiArray& list, const char* name) { return AddTo(list, name); }

inline CLayoutInfo* AddLayout(CLayoutInfoArray& list, LONG layoutId, const char* title) {
  auto* layout = new CLayoutInfo;
  layout->layoutId = layoutId;
  layout->title = title;
  list.Add(layout);
  return layout;
}
inline CLayoutInfo* AddLayout(CShoBunrui* minor, LONG layoutId, const char* title) {
  return AddLayout(minor->childList, layoutId, title);
}

// A major category with one middle and one minor category: the shape of a
// recent entry and of most downloaded or custom entries.
inline CShoBunrui* AddPath(CDaiBunruiArray& list, const char* major, const char* middle,
                           const char* minor) {
  return AddMinor(AddMiddle(AddMajor(list, major), middle), minor);
}

}  // namespace slipcatalog::build
