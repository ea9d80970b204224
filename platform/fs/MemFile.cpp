#include "platform/fs/MemFile.h"

#include <algorithm>
#include <cstring>

CMemFile::CMemFile(UINT growBytes) { m_owned.reserve(growBytes); }

CMemFile::CMemFile(BYTE* buffer, UINT size, UINT /*growBytes*/)
    : m_attached(buffer), m_attachedSize(buffer ? size : 0), m_length(m_attachedSize) {}

CMemFile::~CMemFile() = default;

UINT CMemFile::Read(void* buffer, UINT count) {
  const std::size_t take = std::min<std::size_t>(count, m_length - std::min(m_position, m_length));
  if (take) std::memcpy(buffer, GetBytes() + m_position, take);
  m_position += take;
  return static_cast<UINT>(take);
}

void CMemFile::Write(const void* buffer, UINT count) {
  if (count == 0) return;
  const std::size_t end = m_position + count;
  if (m_attached) {
    if (end > m_attachedSize) throw CFileException(CFileException::diskFull);
    std::memcpy(m_attached + m_position, buffer, count);
  } else {
    if (end > m_owned.size()) m_owned.resize(end);
    std::memcpy(m_owned.data() + m_position, buffer, count);
  }
  m_position = end;
  m_length = std::max(m_length, end);
}

void CMemFile::Flush() {}
void CMemFile::Close() {}
void CMemFile::Abort() {}

ULONGLONG CMemFile::GetLength() const { return m_length; }
ULONGLONG CMemFile::GetPosition() const { return m_position; }

ULONGLONG CMemFile::Seek(LONGLONG offset, UINT from) {
  const LONGLONG base = from == current ? static_cast<LONGLONG>(m_position)
                        : from == end   ? static_cast<LONGLONG>(m_length)
                                        : 0;
  // Before the first byte is a bad seek; past the end is allowed, as on
  // disk, and a later write fills the gap.
  if (offset < -base) throw CFileException(CFileException::badSeek);
  m_position = static_cast<std::size_t>(base + offset);
  return m_position;
}
