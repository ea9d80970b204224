// The system's own paths (Windows form, CP932) mapped to native ones at
// the moment a file is opened: '\' becomes '/', a drive "X:" is looked up
// in the drive folder ($VEXT_DRIVES, default ~/.config/vext/drives, links
// named "c:", "d:"... as in a Wine prefix's dosdevices), a component that
// does not exist with its exact spelling is matched case-insensitively
// (ASCII) in its folder, and the name becomes UTF-8.
//
// Empty components collapse ("C:\Common\\xmlSnc.csv"), "." is dropped and
// ".." never climbs above the drive. A component that matches nothing is
// kept as written, since the file may be about to be created; so is a
// drive without a link, which then is simply not found when opened.
#pragma once

#include <filesystem>
#include <optional>

#include "platform/base/AfxTypes.h"
#include "platform/base/CString.h"

namespace vext {

// nullopt when the path is not valid CP932 or holds a NUL byte.
AFX_API std::optional<std::filesystem::path> NativePath(const CString& systemPath);
// A native path as the system shows it (CP932); nullopt when unconvertible.
AFX_API std::optional<CString> SystemPath(const std::filesystem::path& nativePath);

}  // namespace vext
