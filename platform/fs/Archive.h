// CArchive: the object archive of the catalogue and settings files, byte
// for byte in the MFC 4.2 encoding, over a CFile.
//
//   count    WORD, or 0xFFFF + DWORD from 0xFFFF on
//   string   BYTE length below 255; else 0xFF + WORD below 0xFFFE;
//            else 0xFF 0xFFFF + DWORD; then the bytes (0xFF 0xFFFE starts
//            a UTF-16 string: never written, read and converted to CP932)
//   object   0x0000 null; WORD number of an object already in the file
//            (0x7FFF + DWORD from 0x7FFF on); else the class first: 0xFFFF,
//            schema WORD, name length WORD, name (a new class), or
//            0x8000|number (0x7FFF + 0x80000000|number DWORD) for a class
//            seen before; then the object's own data. Classes and objects
//            share one numbering from 1 over the whole file.
//
// Reading is defensive: a count or length larger than the bytes left
// (endOfFile), an unknown class (badClass), a wrong schema (badSchema), a
// number that names nothing or the wrong kind of thing, or a nesting
// deeper than kMaxDepth (badIndex) throws CArchiveException before
// anything is allocated for it. After an exception the archive is spent.
//
// Ownership when loading: every object ReadObject returns is new and
// belongs to the caller. A record of this system is stored once, so a
// reference back to an object already read (which would give one record
// two owners) is a badIndex error. An object whose Serialize throws is
// freed by ReadObject; the objects it had read before are its own and go
// with it, so a record class must take ownership of each child as soon as
// ReadObject returns it (a unique_ptr, or a list its destructor frees).
#pragma once

#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/base/AfxTypes.h"
#include "platform/base/CString.h"
#include "platform/base/Exceptions.h"
#include "platform/base/Object.h"

class CFile;

class AFX_API CArchive {
 public:
  enum Mode { store = 0, load = 1 };
  static constexpr int kMaxDepth = 64;

  // The archive reads or writes `file` through its own buffer; the file
  // must stay open for the archive's life.
  CArchive(CFile* file, UINT mode, int bufferSize = 4096);
  ~CArchive();
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  bool IsLoading() const { return m_loading; }
  bool IsStoring() const { return !m_loading; }
  CFile* GetFile() const { return m_file; }

  // Writes out what is buffered (storing); Close also ends the archive.
  // Loading, they put the file back at the first byte not consumed. The
  // destructor closes an archive that is still open, except while an
  // exception unwinds, and never throws.
  void Flush();
  void Close();
  // Drops the archive without writing what is buffered.
  void Abort();

  UINT Read(void* buffer, UINT count);
  // Reads exactly `count` bytes or throws endOfFile.
  void ReadExact(void* buffer, UINT count);
  void Write(const void* buffer, UINT count);

  CArchive& operator<<(BYTE value);
  CArchive& operator<<(WORD value);
  CArchive& operator<<(DWORD value);
  CArchive& operator<<(LONG value);
  CArchive& operator<<(const CString& value);
  CArchive& operator>>(BYTE& value);
  CArchive& operator>>(WORD& value);
  CArchive& operator>>(DWORD& value);
  CArchive& operator>>(LONG& value);
  CArchive& operator>>(CString& value);

  void WriteCount(DWORD count);
  // Throws when the count is larger than the bytes left in the file.
  DWORD ReadCount();

  void WriteObject(const CObject* object);
  // The caller owns the object returned (nullptr for a null reference). An
  // object that is not of `expected` (when given) is a badClass error.
  CObject* ReadObject(const CRuntimeClass* expected);

  // Bytes not yet read (loading): the file's length less what was consumed.
  ULONGLONG BytesLeft() const { return m_fileLeft + (m_end - m_cur); }

 private:
  void CheckLoading() const;
  void CheckStoring() const;
  // Makes at least `wanted` (<= buffer size) bytes readable or throws.
  void FillBuffer(std::size_t wanted);
  void WriteBuffer();
  DWORD ReadStringLength(bool* wide);
  void WriteClass(const CRuntimeClass* cls);
  // The class of a new object, or nullptr with *objectTag set to the
  // number of the object referred to (0 for null).
  CRuntimeClass* ReadClass(const CRuntimeClass* expected, DWORD* objectTag);
  void CheckCount() const;
  [[noreturn]] void Fail(int cause) const;

  CFile* m_file;
  bool m_loading;
  bool m_closed = false;
  std::vector<BYTE> m_buffer;
  std::size_t m_cur = 0;     // next byte in the buffer
  std::size_t m_end = 0;     // end of valid bytes in the buffer (loading)
  ULONGLONG m_fileLeft = 0;  // bytes of the file not yet in the buffer
  int m_depth = 0;
  // Storing: number of each class and object written so far.
  std::unordered_map<const void*, DWORD> m_storeMap;
  // Loading: what each number stands for; nullptr marks an object (and
  // the unused number 0).
  std::vector<CRuntimeClass*> m_loadArray;
  DWORD m_nextNumber = 1;
};

AFX_API CArchive& operator<<(CArchive& ar, const CObject* object);
template <typename T>
CArchive& operator>>(CArchive& ar, T*& object) {
  object = static_cast<T*>(ar.ReadObject(T::GetThisClass()));
  return ar;
}
