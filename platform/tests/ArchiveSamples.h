// Small serial classes shaped like the catalogue records, and a file held
// in memory, for the archive's tests, benchmark and fuzz target. Include in
// one source file per program (it defines the classes' registrations).
#pragma once

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/fs/Archive.h"
#include "platform/fs/File.h"

namespace vext_sample {

// A CFile over bytes in memory.
class MemoryFile : public CFile {
 public:
  MemoryFile() = default;
  explicit MemoryFile(std::string bytes) : m_bytes(std::move(bytes)) {}

  const std::string& Bytes() const { return m_bytes; }

  UINT Read(void* buffer, UINT count) override {
    const std::size_t take =
        std::min<std::size_t>(count, m_bytes.size() - std::min(m_pos, m_bytes.size()));
    if (take) std::memcpy(buffer, m_bytes.data() + m_pos, take);
    m_pos += take;
    return static_cast<UINT>(take);
  }
  void Write(const void* buffer, UINT count) override {
    if (m_pos + count > m_bytes.size()) m_bytes.resize(m_pos + count);
    if (count) std::memcpy(m_bytes.data() + m_pos, buffer, count);
    m_pos += count;
  }
  void Flush() override {}
  void Close() override {}
  void Abort() override {}
  ULONGLONG GetLength() const override { return m_bytes.size(); }
  ULONGLONG GetPosition() const override { return m_pos; }
  ULONGLONG Seek(LONGLONG offset, UINT from) override {
    const LONGLONG base = from == current ? static_cast<LONGLONG>(m_pos)
                          : from == end   ? static_cast<LONGLONG>(m_bytes.size())
                                          : 0;
    m_pos = static_cast<std::size_t>(std::max<LONGLONG>(0, base + offset));
    return m_pos;
  }

 private:
  std::string m_bytes;
  std::size_t m_pos = 0;
};

// A category: version, name, then the list of children it owns. A record
// of a later version holds only its version, stored as it was loaded.
class Category : public CObject {
 public:
  DWORD version = 1;
  CString name;
  std::vector<std::unique_ptr<CObject>> children;

 protected:
  void SerializeCategory(CArchive& ar, const CRuntimeClass* childClass) {
    if (ar.IsStoring()) {
      ar << version;
      if (version > 1) return;
      ar << name;
      ar.WriteCount(static_cast<DWORD>(children.size()));
      for (const auto& child : children) ar.WriteObject(child.get());
      return;
    }
    ar >> version;
    if (version > 1) return;
    ar >> name;
    const DWORD count = ar.ReadCount();
    for (DWORD i = 0; i < count; ++i) {
      std::unique_ptr<CObject> child(ar.ReadObject(childClass));
      children.push_back(std::move(child));
    }
  }
};

class CLayoutInfo : public CObject {
  DECLARE_SERIAL(CLayoutInfo)
 public:
  DWORD version = 1;
  CString title;
  LONG layoutId = 0;
  LONG motoLayoutId = 0;
  CString taiouPaper;
  CString extraText1;
  CString fileName;
  CString extraText2;
  LONG isPickUp = 0;
  CString excelName;
  LONG renzoku = 0;
  LONG formGenre = 0;
  LONG linkFlag = 0;
  CString extraText3;

  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << version;
      if (version > 1) return;
      ar << title << layoutId << motoLayoutId << taiouPaper << extraText1 << fileName << extraText2
         << isPickUp << excelName << renzoku << formGenre << linkFlag << extraText3;
      return;
    }
    ar >> version;
    if (version > 1) return;
    ar >> title >> layoutId >> motoLayoutId >> taiouPaper >> extraText1 >> fileName >> extraText2 >>
        isPickUp >> excelName >> renzoku >> formGenre >> linkFlag >> extraText3;
  }
};

class CShoBunrui : public Category {
  DECLARE_SERIAL(CShoBunrui)
 public:
  void Serialize(CArchive& ar) override { SerializeCategory(ar, RUNTIME_CLASS(CLayoutInfo)); }
};

class CChuBunrui : public Category {
  DECLARE_SERIAL(CChuBunrui)
 public:
  void Serialize(CArchive& ar) override { SerializeCategory(ar, RUNTIME_CLASS(CShoBunrui)); }
};

class CDaiBunrui : public Category {
  DECLARE_SERIAL(CDaiBunrui)
 public:
  void Serialize(CArchive& ar) override { SerializeCategory(ar, RUNTIME_CLASS(CChuBunrui)); }
};

// A node that holds nodes of any class: nesting without limit, strings and
// a plain DWORD list, for depth and fuzz tests.
class CSampleNode : public Category {
  DECLARE_SERIAL(CSampleNode)
 public:
  std::vector<DWORD> values;

  void Serialize(CArchive& ar) override {
    SerializeCategory(ar, nullptr);
    if (version > 1) return;
    if (ar.IsStoring()) {
      ar.WriteCount(static_cast<DWORD>(values.size()));
      for (DWORD v : values) ar << v;
      return;
    }
    const DWORD count = ar.ReadCount();
    for (DWORD i = 0; i < count; ++i) {
      DWORD v;
      ar >> v;
      values.push_back(v);
    }
  }
};

IMPLEMENT_SERIAL(CLayoutInfo, CObject, 1)
IMPLEMENT_SERIAL(CShoBunrui, CObject, 1)
IMPLEMENT_SERIAL(CChuBunrui, CObject, 1)
IMPLEMENT_SERIAL(CDaiBunrui, CObject, 1)
IMPLEMENT_SERIAL(CSampleNode, CObject, 1)

// A whole catalogue-like file: count, then one object reference per entry.
using ObjectList = std::vector<std::unique_ptr<CObject>>;

inline void StoreList(CArchive& ar, const ObjectList& list) {
  ar.WriteCount(static_cast<DWORD>(list.size()));
  for (const auto& item : list) ar.WriteObject(item.get());
}

inline ObjectList LoadList(CArchive& ar, const CRuntimeClass* expected = nullptr) {
  ObjectList list;
  const DWORD count = ar.ReadCount();
  for (DWORD i = 0; i < count; ++i) {
    std::unique_ptr<CObject> item(ar.ReadObject(expected));
    list.push_back(std::move(item));
  }
  return list;
}

}  // namespace vext_sample
