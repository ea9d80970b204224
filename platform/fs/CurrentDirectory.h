// The process's current directory, named as the system names paths (see
// PathMap.h). A file dialog that starts in a folder makes it current while
// it runs, and a name chosen there relative to it is made whole before the
// folder before is current again.
#pragma once

#include <filesystem>

#include "platform/base/AfxTypes.h"
#include "platform/base/CString.h"

namespace vext {

// Makes `systemPath` current for the life of the scope, then the folder
// that was current before it. A path that names no folder changes nothing.
class AFX_API CurrentDirectoryScope {
 public:
  explicit CurrentDirectoryScope(const CString& systemPath);
  ~CurrentDirectoryScope();
  CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
  CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;

  bool Changed() const { return m_changed; }

 private:
  std::filesystem::path m_previous;
  bool m_changed = false;
};

// `systemPath` itself when it is whole (from a drive or the root), else the
// path it names below the current directory (native form, CP932).
AFX_API CString AbsolutePath(const CString& systemPath);

}  // namespace vext
