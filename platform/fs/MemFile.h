// CMemFile: a CFile whose bytes live in memory, for archives built or read
// without touching the disk (a record copied into a memory handle, a
// parser fed from a buffer).
//
// The growing form owns its bytes and takes every write. The attached form
// reads and overwrites a caller's buffer in place and never grows past it:
// a write beyond its end is a CFileException (diskFull), as MFC's is when
// the buffer cannot grow.
#pragma once

#include <vector>

#include "platform/fs/File.h"

class AFX_API CMemFile : public CFile {
 public:
  explicit CMemFile(UINT growBytes = 1024);
  CMemFile(BYTE* buffer, UINT size, UINT growBytes = 0);
  ~CMemFile() override;

  UINT Read(void* buffer, UINT count) override;
  void Write(const void* buffer, UINT count) override;
  void Flush() override;
  void Close() override;
  void Abort() override;
  ULONGLONG GetLength() const override;
  ULONGLONG GetPosition() const override;
  ULONGLONG Seek(LONGLONG offset, UINT from) override;

  // The file's bytes (GetLength() of them), valid until the next write.
  const BYTE* GetBytes() const { return m_attached ? m_attached : m_owned.data(); }

 private:
  std::vector<BYTE> m_owned;
  BYTE* m_attached = nullptr;
  std::size_t m_attachedSize = 0;
  std::size_t m_length = 0;
  std::size_t m_position = 0;
};
