// The host's barcode type codes and the library's: the host's 0 and 2 are
// the library's 2 and 0, its 30 is a second code for 10, every code
// outside 0-13 and 30 means 1.
#pragma once

namespace vext::barshim {

long HostToLibraryType(long host);
long LibraryToHostType(long library);

}  // namespace vext::barshim
