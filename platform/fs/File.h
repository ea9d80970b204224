// CFile: a file opened by the system's own path (see PathMap.h), with the
// Windows sharing modes emulated by flock and whole-file rewrites made
// atomic. Unbuffered: every Read and Write is a system call, so callers
// that move small pieces (CArchive, the CSV writer) buffer themselves.
//
// Sharing: shareDenyWrite takes a shared lock, shareExclusive (and
// shareDenyRead, which flock cannot tell apart) an exclusive one, both
// non-blocking; a lock that cannot be had is a sharing violation.
// shareCompat and shareDenyNone take no lock.
//
// Rewrite: opening with modeCreate (without modeNoTruncate) writes into a
// new file in the same folder, unnamed (O_TMPFILE) where the file system
// allows, so that nothing is left behind whatever ends the process;
// Close() flushes it to disk, names it and renames it over the target, and
// reports a failure as CFileException. Where unnamed files cannot be made
// the new file has a hidden name from the start (".NAME.~XXXXXXXX"); such
// a file that no live rewrite holds is what a killed one left, and the next
// rewrite of the same target removes it. An existing target must be
// writable (a read-only file is accessDenied, as on Windows) and not held
// by anyone with writers denied, both when the rewrite opens and when it
// replaces the file (sharingViolation otherwise); it is held with the
// sharing lock asked for while the new content is written, and its
// permissions pass to the new file. A target that is a symbolic link has
// the file it points to replaced. Abort(), destruction without Close(), or
// a Write that failed (Close() then throws that error again) discard the
// new file and leave the old file as it was.
//
// Errors: system errors become CFileException causes through
// CFileException::OsErrorToException; a folder that does not exist when a
// file is created is badPath, as on Windows. EINTR is retried.
#pragma once

#include <memory>
#include <string>

#include "platform/base/AfxTypes.h"
#include "platform/base/CString.h"
#include "platform/base/Exceptions.h"

class AFX_API CFile {
 public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000
  };
  enum SeekPosition { begin = 0, current = 1, end = 2 };

  CFile();
  // Throws CFileException when the file cannot be opened.
  CFile(const char* fileName, UINT openFlags);
  // Discards an unfinished rewrite; never throws.
  virtual ~CFile();
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // false (and `error` filled when given) when the file cannot be opened.
  virtual BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);
  // Fewer bytes than asked for only at the end of the file.
  virtual UINT Read(void* buffer, UINT count);
  virtual void Write(const void* buffer, UINT count);
  virtual void Flush();
  // Ends a rewrite by replacing the target; throws CFileException.
  virtual void Close();
  // Closes without reporting errors; discards an unfinished rewrite.
  virtual void Abort();

  virtual ULONGLONG GetLength() const;
  virtual ULONGLONG GetPosition() const;
  virtual ULONGLONG Seek(LONGLONG offset, UINT from);
  void SeekToBegin() { Seek(0, begin); }
  ULONGLONG SeekToEnd() { return Seek(0, end); }

  CString GetFilePath() const { return m_strFileName; }
  bool IsOpen() const;

  // Throw CFileException on failure. Rename replaces an existing newName.
  static void Remove(const char* fileName);
  static void Rename(const char* oldName, const char* newName);
  // True when the path names an existing file or folder.
  static bool Exists(const char* fileName);

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
  CString m_strFileName;
};
