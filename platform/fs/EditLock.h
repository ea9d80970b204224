// EditLock: what one process holds while it reads, changes and rewrites a
// data file, so that two processes editing the same file one after the
// other lose neither change. Plain readers take no lock: every rewrite
// replaces the file whole (File.h), so a reader sees the old or the new
// content, never a mixture.
//
// The lock is an exclusive flock on "<data file>.lock" beside the data
// file, made on first use and never removed (removing it would let a
// waiting process lock a name that nobody else uses any more). Acquire
// waits until the lock is free; the kernel frees the lock of a process
// that dies. The lock is per open file, not per process: a process must
// not take the lock of a file it already holds.
#pragma once

#include <memory>

#include "platform/base/AfxTypes.h"
#include "platform/base/CString.h"

namespace vext {

class AFX_API EditLock {
 public:
  // `dataFile` is the system's own path (PathMap.h). nullptr when the lock
  // file cannot be made or opened (no folder, no rights): the rewrite of
  // the data file beside it then meets the same trouble and reports it.
  static std::unique_ptr<EditLock> Acquire(const CString& dataFile);
  ~EditLock();
  EditLock(const EditLock&) = delete;
  EditLock& operator=(const EditLock&) = delete;

 private:
  explicit EditLock(int fd) : m_fd(fd) {}
  int m_fd;
};

}  // namespace vext
