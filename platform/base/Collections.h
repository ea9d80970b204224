// The MFC-shaped arrays and lists the suite's interfaces use, kept in
// std::vector and std::list. Pointer containers never own what they hold.
#pragma once

#include <algorithm>
#include <iterator>
#include <list>
#include <stdexcept>
#include <vector>

#include "platform/base/AfxTypes.h"
#include "platform/base/CString.h"

namespace vext {

template <typename T>
class BasicArray {
 public:
  using value_type = T;

  int GetSize() const { return static_cast<int>(m_items.size()); }
  int GetCount() const { return GetSize(); }
  int GetUpperBound() const { return GetSize() - 1; }
  bool IsEmpty() const { return m_items.empty(); }
  void SetSize(int size) { m_items.resize(size > 0 ? static_cast<std::size_t>(size) : 0); }

  const T& GetAt(int index) const { return m_items.at(Index(index)); }
  T& ElementAt(int index) { return m_items.at(Index(index)); }
  void SetAt(int index, const T& value) { m_items.at(Index(index)) = value; }
  // Sets the element, growing the array when the index lies past its end.
  void SetAtGrow(int index, const T& value) {
    if (index >= GetSize()) SetSize(index + 1);
    SetAt(index, value);
  }
  const T& operator[](int index) const { return GetAt(index); }
  T& operator[](int index) { return ElementAt(index); }

  int Add(const T& value) {
    m_items.push_back(value);
    return GetUpperBound();
  }
  void InsertAt(int index, const T& value, int count = 1) {
    if (index < 0 || index > GetSize()) throw std::out_of_range("InsertAt");
    m_items.insert(m_items.begin() + index, static_cast<std::size_t>(std::max(count, 0)), value);
  }
  void RemoveAt(int index, int count = 1) {
    if (index < 0 || count < 0 || index + count > GetSize()) throw std::out_of_range("RemoveAt");
    m_items.erase(m_items.begin() + index, m_items.begin() + index + count);
  }
  void RemoveAll() { m_items.clear(); }
  void Append(const BasicArray& other) {
    m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
  }
  void Copy(const BasicArray& other) { m_items = other.m_items; }

  auto begin() { return m_items.begin(); }
  auto end() { return m_items.end(); }
  auto begin() const { return m_items.begin(); }
  auto end() const { return m_items.end(); }
  std::vector<T>& items() { return m_items; }
  const std::vector<T>& items() const { return m_items; }

 private:
  static std::size_t Index(int index) {
    if (index < 0) throw std::out_of_range("array index");
    return static_cast<std::size_t>(index);
  }
  std::vector<T> m_items;
};

// A list whose POSITION points at the node itself, stable while the node
// lives (std::list never moves its nodes); the node knows its iterator.
template <typename T>
class BasicList {
  struct Node : ListPosition {
    explicit Node(const T& v) : value(v) {}
    T value;
    typename std::list<Node>::iterator self;
  };

 public:
  using value_type = T;

  int GetCount() const { return static_cast<int>(m_nodes.size()); }
  int GetSize() const { return GetCount(); }
  bool IsEmpty() const { return m_nodes.empty(); }

  POSITION AddTail(const T& value) { return Insert(m_nodes.end(), value); }
  POSITION AddHead(const T& value) { return Insert(m_nodes.begin(), value); }
  POSITION InsertBefore(POSITION pos, const T& value) {
    return pos ? Insert(At(pos), value) : AddHead(value);
  }
  POSITION InsertAfter(POSITION pos, const T& value) {
    return pos ? Insert(std::next(At(pos)), value) : AddTail(value);
  }

  POSITION GetHeadPosition() const { return m_nodes.empty() ? nullptr : ToPos(m_nodes.front()); }
  POSITION GetTailPosition() const { return m_nodes.empty() ? nullptr : ToPos(m_nodes.back()); }
  T& GetHead() { return m_nodes.front().value; }
  T& GetTail() { return m_nodes.back().value; }
  const T& GetHead() const { return m_nodes.front().value; }
  const T& GetTail() const { return m_nodes.back().value; }

  // Returns the element at `pos` and moves `pos` to the next one (null at the end).
  T& GetNext(POSITION& pos) {
    auto it = At(pos);
    T& value = it->value;
    ++it;
    pos = it == m_nodes.end() ? nullptr : ToPos(*it);
    return value;
  }
  const T& GetNext(POSITION& pos) const { return const_cast<BasicList*>(this)->GetNext(pos); }
  T& GetPrev(POSITION& pos) {
    auto it = At(pos);
    T& value = it->value;
    pos = it == m_nodes.begin() ? nullptr : ToPos(*std::prev(it));
    return value;
  }
  T& GetAt(POSITION pos) { return At(pos)->value; }
  const T& GetAt(POSITION pos) const { return const_cast<BasicList*>(this)->At(pos)->value; }
  void SetAt(POSITION pos, const T& value) { At(pos)->value = value; }

  T RemoveHead() {
    T value = m_nodes.front().value;
    m_nodes.pop_front();
    return value;
  }
  T RemoveTail() {
    T value = m_nodes.back().value;
    m_nodes.pop_back();
    return value;
  }
  void RemoveAt(POSITION pos) { m_nodes.erase(At(pos)); }
  void RemoveAll() { m_nodes.clear(); }

  POSITION Find(const T& value, POSITION startAfter = nullptr) const {
    auto it = startAfter ? std::next(const_cast<BasicList*>(this)->At(startAfter))
                         : const_cast<BasicList*>(this)->m_nodes.begin();
    for (; it != m_nodes.end(); ++it)
      if (it->value == value) return ToPos(*it);
    return nullptr;
  }
  POSITION FindIndex(int index) const {
    if (index < 0 || index >= GetCount()) return nullptr;
    return ToPos(*std::next(const_cast<BasicList*>(this)->m_nodes.begin(), index));
  }

  template <typename Fn>
  void ForEach(Fn fn) const {
    for (const Node& n : m_nodes) fn(n.value);
  }

 private:
  POSITION Insert(typename std::list<Node>::iterator before, const T& value) {
    auto it = m_nodes.insert(before, Node(value));
    it->self = it;
    return ToPos(*it);
  }
  static POSITION ToPos(const Node& node) { return const_cast<Node*>(&node); }
  typename std::list<Node>::iterator At(POSITION pos) {
    if (!pos) throw std::out_of_range("null POSITION");
    return static_cast<Node*>(pos)->self;
  }
  std::list<Node> m_nodes;
};

}  // namespace vext

class CStringArray : public vext::BasicArray<CString> {};
class CDWordArray : public vext::BasicArray<DWORD> {};
class CPtrArray : public vext::BasicArray<void*> {};
class CStringList : public vext::BasicList<CString> {};
class CPtrList : public vext::BasicList<void*> {};

class CObject;
class CObArray : public vext::BasicArray<CObject*> {};
class CObList : public vext::BasicList<CObject*> {};

namespace vext {

// An element of a CTypedPtrArray, as ElementAt and operator[] give it: reads
// as TYPE, and assigning to it stores into the base array's slot. The slot
// holds the base's pointer type, so a TYPE& into it cannot be had.
template <class SLOT, class TYPE>
class TypedPtrRef {
 public:
  explicit TypedPtrRef(SLOT& slot) : m_slot(slot) {}
  TypedPtrRef(const TypedPtrRef&) = default;
  TypedPtrRef& operator=(TYPE value) {
    m_slot = value;
    return *this;
  }
  // Copies the element, as assigning one TYPE& to another would.
  TypedPtrRef& operator=(const TypedPtrRef& other) { return *this = static_cast<TYPE>(other); }
  operator TYPE() const { return static_cast<TYPE>(m_slot); }
  TYPE operator->() const { return static_cast<TYPE>(m_slot); }

 private:
  SLOT& m_slot;
};

}  // namespace vext

// A pointer array that hands out TYPE instead of the base's void* or
// CObject*.
template <class BASE, class TYPE>
class CTypedPtrArray : public BASE {
  using Slot = typename BASE::value_type;
  using BaseIterator = typename std::vector<Slot>::const_iterator;

 public:
  using Ref = vext::TypedPtrRef<Slot, TYPE>;

  // Walks the elements as TYPE (range for).
  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = TYPE;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = TYPE;

    const_iterator() = default;
    explicit const_iterator(BaseIterator it) : m_it(it) {}
    TYPE operator*() const { return static_cast<TYPE>(*m_it); }
    const_iterator& operator++() {
      ++m_it;
      return *this;
    }
    const_iterator operator++(int) {
      const_iterator old = *this;
      ++m_it;
      return old;
    }
    bool operator==(const const_iterator&) const = default;

   private:
    BaseIterator m_it;
  };
  const_iterator begin() const { return const_iterator(BASE::items().begin()); }
  const_iterator end() const { return const_iterator(BASE::items().end()); }

  TYPE GetAt(int index) const { return static_cast<TYPE>(BASE::GetAt(index)); }
  TYPE operator[](int index) const { return GetAt(index); }
  Ref ElementAt(int index) { return Ref(BASE::ElementAt(index)); }
  Ref operator[](int index) { return ElementAt(index); }
  void SetAt(int index, TYPE value) { BASE::SetAt(index, value); }
  int Add(TYPE value) { return BASE::Add(value); }
};

template <class BASE, class TYPE>
class CTypedPtrList : public BASE {
 public:
  TYPE GetHead() const { return static_cast<TYPE>(BASE::GetHead()); }
  TYPE GetTail() const { return static_cast<TYPE>(BASE::GetTail()); }
  TYPE GetNext(POSITION& pos) const { return static_cast<TYPE>(BASE::GetNext(pos)); }
  TYPE GetAt(POSITION pos) const { return static_cast<TYPE>(BASE::GetAt(pos)); }
  TYPE RemoveHead() { return static_cast<TYPE>(BASE::RemoveHead()); }
  TYPE RemoveTail() { return static_cast<TYPE>(BASE::RemoveTail()); }
  POSITION AddTail(TYPE value) { return BASE::AddTail(value); }
  POSITION AddHead(TYPE value) { return BASE::AddHead(value); }
};
