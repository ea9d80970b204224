#include "platform/fs/Archive.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <string>

#include "platform/fs/File.h"
#include "platform/text/Cp932.h"

namespace {

constexpr WORD kNullTag = 0x0000;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr DWORD kBigClassTag = 0x80000000;
constexpr DWORD kMaxMapCount = 0x3FFFFFFE;
// Longer class names are refused when reading, as the framework did.
constexpr WORD kMaxClassName = 64;

}  // namespace

// ---- CArchive: buffer --------------------------------------------------------

CArchive::CArchive(CFile* file, UINT mode, int bufferSize)
    : m_file(file),
      m_loading(mode & load),
      m_buffer(static_cast<std::size_t>(std::max(bufferSize, 64))) {
  if (!m_file) throw CArchiveException(CArchiveException::generic);
  if (m_loading) {
    const ULONGLONG length = m_file->GetLength();
    const ULONGLONG position = m_file->GetPosition();
    m_fileLeft = length > position ? length - position : 0;
    m_loadArray.push_back(nullptr);  // number 0 is the null reference
  }
}

CArchive::~CArchive() {
  if (m_closed || m_loading || std::uncaught_exceptions() > 0) return;
  try {
    WriteBuffer();
  } catch (...) {
    // A failed write has already marked the file so that closing it
    // reports the error instead of keeping a partial file.
  }
}

void CArchive::Fail(int cause) const { throw CArchiveException(cause, m_file->GetFilePath()); }

void CArchive::CheckLoading() const {
  if (!m_loading) Fail(CArchiveException::writeOnly);
}

void CArchive::CheckStoring() const {
  if (m_loading) Fail(CArchiveException::readOnly);
}

void CArchive::FillBuffer(std::size_t wanted) {
  const std::size_t have = m_end - m_cur;
  if (have && m_cur) std::memmove(m_buffer.data(), m_buffer.data() + m_cur, have);
  m_cur = 0;
  m_end = have;
  while (m_end < wanted && m_fileLeft > 0) {
    const auto room = static_cast<UINT>(std::min<ULONGLONG>(m_buffer.size() - m_end, m_fileLeft));
    const UINT got = m_file->Read(m_buffer.data() + m_end, room);
    if (got == 0) {
      m_fileLeft = 0;  // the file ended sooner than its length said
      break;
    }
    m_end += got;
    m_fileLeft -= got;
  }
  if (m_end < wanted) Fail(CArchiveException::endOfFile);
}

void CArchive::WriteBuffer() {
  if (m_cur == 0) return;
  const auto count = static_cast<UINT>(m_cur);
  m_cur = 0;
  m_file->Write(m_buffer.data(), count);
}

UINT CArchive::Read(void* buffer, UINT count) {
  CheckLoading();
  auto* out = static_cast<BYTE*>(buffer);
  UINT done = 0;
  while (done < count) {
    if (m_cur == m_end) {
      if (m_fileLeft == 0) break;
      // Large blocks go straight from the file to the caller.
      if (count - done >= m_buffer.size()) {
        const auto want = static_cast<UINT>(std::min<ULONGLONG>(count - done, m_fileLeft));
        const UINT got = m_file->Read(out + done, want);
        if (got == 0) {
          m_fileLeft = 0;
          break;
        }
        m_fileLeft -= got;
        done += got;
        continue;
      }
      m_cur = m_end = 0;
      const auto room = static_cast<UINT>(std::min<ULONGLONG>(m_buffer.size(), m_fileLeft));
      const UINT got = m_file->Read(m_buffer.data(), room);
      if (got == 0) {
        m_fileLeft = 0;
        break;
      }
      m_end = got;
      m_fileLeft -= got;
    }
    const auto take = static_cast<UINT>(std::min<std::size_t>(count - done, m_end - m_cur));
    std::memcpy(out + done, m_buffer.data() + m_cur, take);
    m_cur += take;
    done += take;
  }
  return done;
}

void CArchive::ReadExact(void* buffer, UINT count) {
  if (count > BytesLeft()) Fail(CArchiveException::endOfFile);
  if (Read(buffer, count) != count) Fail(CArchiveException::endOfFile);
}

void CArchive::Write(const void* buffer, UINT count) {
  CheckStoring();
  const auto* in = static_cast<const BYTE*>(buffer);
  if (count <= m_buffer.size() - m_cur) {
    std::memcpy(m_buffer.data() + m_cur, in, count);
    m_cur += count;
    return;
  }
  WriteBuffer();
  if (count >= m_buffer.size()) {
    m_file->Write(in, count);
  } else {
    std::memcpy(m_buffer.data(), in, count);
    m_cur = count;
  }
}

void CArchive::Flush() {
  if (m_closed) return;
  if (!m_loading) {
    WriteBuffer();
    return;
  }
  if (m_end > m_cur) {
    m_file->Seek(-static_cast<LONGLONG>(m_end - m_cur), CFile::current);
    m_fileLeft += m_end - m_cur;
  }
  m_cur = m_end = 0;
}

void CArchive::Close() {
  Flush();
  m_closed = true;
}

void CArchive::Abort() {
  m_cur = m_end = 0;
  m_closed = true;
}

// ---- CArchive: numbers and strings -------------------------------------------

CArchive& CArchive::operator<<(BYTE value) {
  CheckStoring();
  if (m_cur == m_buffer.size()) WriteBuffer();
  m_buffer[m_cur++] = value;
  return *this;
}

CArchive& CArchive::operator<<(WORD value) {
  const BYTE bytes[2] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8)};
  Write(bytes, sizeof bytes);
  return *this;
}

CArchive& CArchive::operator<<(DWORD value) {
  const BYTE bytes[4] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8),
                         static_cast<BYTE>(value >> 16), static_cast<BYTE>(value >> 24)};
  Write(bytes, sizeof bytes);
  return *this;
}

CArchive& CArchive::operator<<(LONG value) { return *this << static_cast<DWORD>(value); }

CArchive& CArchive::operator>>(BYTE& value) {
  CheckLoading();
  if (m_cur == m_end) FillBuffer(1);
  value = m_buffer[m_cur++];
  return *this;
}

CArchive& CArchive::operator>>(WORD& value) {
  CheckLoading();
  if (m_end - m_cur < 2) FillBuffer(2);
  const BYTE* p = m_buffer.data() + m_cur;
  value = static_cast<WORD>(p[0] | p[1] << 8);
  m_cur += 2;
  return *this;
}

CArchive& CArchive::operator>>(DWORD& value) {
  CheckLoading();
  if (m_end - m_cur < 4) FillBuffer(4);
  const BYTE* p = m_buffer.data() + m_cur;
  value = static_cast<DWORD>(p[0]) | static_cast<DWORD>(p[1]) << 8 |
          static_cast<DWORD>(p[2]) << 16 | static_cast<DWORD>(p[3]) << 24;
  m_cur += 4;
  return *this;
}

CArchive& CArchive::operator>>(LONG& value) {
  DWORD raw;
  *this >> raw;
  value = static_cast<LONG>(raw);
  return *this;
}

CArchive& CArchive::operator<<(const CString& value) {
  const auto length = static_cast<DWORD>(value.GetLength());
  if (length < 0xFF) {
    *this << static_cast<BYTE>(length);
  } else if (length < 0xFFFE) {
    *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(length);
  } else {
    *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << length;
  }
  Write(value.c_str(), length);
  return *this;
}

DWORD CArchive::ReadStringLength(bool* wide) {
  *wide = false;
  BYTE byteLength;
  *this >> byteLength;
  if (byteLength < 0xFF) return byteLength;
  WORD wordLength;
  *this >> wordLength;
  if (wordLength == 0xFFFE) {
    *wide = true;
    *this >> byteLength;
    if (byteLength < 0xFF) return byteLength;
    *this >> wordLength;
  }
  if (wordLength < 0xFFFF) return wordLength;
  DWORD length;
  *this >> length;
  return length;
}

CArchive& CArchive::operator>>(CString& value) {
  bool wide;
  const DWORD length = ReadStringLength(&wide);
  const ULONGLONG bytes = wide ? 2ULL * length : length;
  if (bytes > BytesLeft()) Fail(CArchiveException::endOfFile);
  std::string text(static_cast<std::size_t>(bytes), '\0');
  ReadExact(text.data(), static_cast<UINT>(bytes));
  if (wide) {
    // Stored data is never silently altered: text CP932 cannot hold is an error.
    auto converted = vext::Utf16LeToCp932(text);
    if (!converted) Fail(CArchiveException::badIndex);
    text = std::move(*converted);
  }
  value = CString(std::move(text));
  return *this;
}

void CArchive::WriteCount(DWORD count) {
  if (count < 0xFFFF) {
    *this << static_cast<WORD>(count);
  } else {
    *this << static_cast<WORD>(0xFFFF) << count;
  }
}

DWORD CArchive::ReadCount() {
  WORD shortCount;
  *this >> shortCount;
  DWORD count = shortCount;
  if (shortCount == 0xFFFF) *this >> count;
  // Every element takes at least one byte.
  if (count > BytesLeft()) Fail(CArchiveException::endOfFile);
  return count;
}

// ---- CArchive: objects -------------------------------------------------------

void CArchive::CheckCount() const {
  if (m_nextNumber >= kMaxMapCount || m_loadArray.size() >= kMaxMapCount)
    Fail(CArchiveException::badIndex);
}

void CArchive::WriteClass(const CRuntimeClass* cls) {
  if (cls->m_wSchema == vext::kNotSerialSchema) Fail(CArchiveException::badClass);
  const auto seen = m_storeMap.find(cls);
  if (seen != m_storeMap.end()) {
    if (seen->second < kBigObjectTag) {
      *this << static_cast<WORD>(kClassTag | seen->second);
    } else {
      *this << kBigObjectTag << (kBigClassTag | seen->second);
    }
    return;
  }
  const std::size_t nameLength = std::strlen(cls->m_lpszClassName);
  if (nameLength >= kMaxClassName) Fail(CArchiveException::badClass);
  *this << kNewClassTag << static_cast<WORD>(cls->m_wSchema) << static_cast<WORD>(nameLength);
  Write(cls->m_lpszClassName, static_cast<UINT>(nameLength));
  CheckCount();
  m_storeMap.emplace(cls, m_nextNumber++);
}

void CArchive::WriteObject(const CObject* object) {
  CheckStoring();
  if (!object) {
    *this << kNullTag;
    return;
  }
  const auto seen = m_storeMap.find(object);
  if (seen != m_storeMap.end()) {
    if (seen->second < kBigObjectTag) {
      *this << static_cast<WORD>(seen->second);
    } else {
      *this << kBigObjectTag << seen->second;
    }
    return;
  }
  WriteClass(object->GetRuntimeClass());
  CheckCount();
  m_storeMap.emplace(object, m_nextNumber++);
  const_cast<CObject*>(object)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* expected, DWORD* objectTag) {
  WORD wordTag;
  *this >> wordTag;
  DWORD tag;
  if (wordTag == kBigObjectTag) {
    *this >> tag;
  } else {
    tag = static_cast<DWORD>(wordTag & kClassTag) << 16 | (wordTag & ~kClassTag & 0xFFFF);
  }
  if (!(tag & kBigClassTag)) {
    *objectTag = tag;
    return nullptr;
  }

  CRuntimeClass* cls;
  if (wordTag == kNewClassTag) {
    WORD schema, nameLength;
    *this >> schema >> nameLength;
    if (nameLength >= kMaxClassName) Fail(CArchiveException::badClass);
    char name[kMaxClassName];
    ReadExact(name, nameLength);
    cls = CRuntimeClass::FromName(std::string_view(name, nameLength));
    if (!cls) Fail(CArchiveException::badClass);
    if (cls->m_wSchema != schema) Fail(CArchiveException::badSchema);
    CheckCount();
    m_loadArray.push_back(cls);
  } else {
    const DWORD index = tag & ~kBigClassTag;
    // Number 0 and the numbers of objects name no class.
    if (index == 0 || index >= m_loadArray.size() || !m_loadArray[index])
      Fail(CArchiveException::badIndex);
    cls = m_loadArray[index];
  }
  if (expected && !cls->IsDerivedFrom(expected)) Fail(CArchiveException::badClass);
  return cls;
}

CObject* CArchive::ReadObject(const CRuntimeClass* expected) {
  CheckLoading();
  DWORD tag = 0;
  CRuntimeClass* cls = ReadClass(expected, &tag);
  if (!cls) {
    if (tag == kNullTag) return nullptr;
    // Unknown numbers and classes are malformed; an object read before
    // already has its owner.
    Fail(CArchiveException::badIndex);
  }
  if (m_depth >= kMaxDepth) Fail(CArchiveException::badIndex);
  std::unique_ptr<CObject> object(cls->CreateObject());
  if (!object) Fail(CArchiveException::badClass);
  CheckCount();
  m_loadArray.push_back(nullptr);  // the object's number, taken before its children's

  struct DepthGuard {
    int& depth;
    explicit DepthGuard(int& d) : depth(++d) {}
    ~DepthGuard() { --depth; }
  } guard(m_depth);
  object->Serialize(*this);
  return object.release();
}

CArchive& operator<<(CArchive& ar, const CObject* object) {
  ar.WriteObject(object);
  return ar;
}
