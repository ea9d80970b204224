// The system's own paths (Windows form, CP932) mapped to native ones at
// the moment a file is opened: '\' becomes '/', a drive "X:" is looked up
// in the drive folder ($VEXT_DRIVES, default ~/.config/vext/drives, links
// named "c:", "d:"... as in a Wine prefix's dosdevices), a component that
// does not exist with its exact spelling is matched case-insensitively
// (ASCII) in its folder, and the name becomes UTF-8.
#pragma once

#include <filesystem>
#include <optional>

#include "AfxTypes.h"
#include "CString.h"

namespace vext {

// nullopt when the path cannot be converted to UTF-8.
AFX_API std::optional<std::filesystem::path> NativePath(const CString& systemPath);
// A native path as the system shows it (CP932); nullopt when unconvertible.
AFX_API std::optional<CString> SystemPath(const std::filesystem::path& nativePath);

}  // namespace vext
