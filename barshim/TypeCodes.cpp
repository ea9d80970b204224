#include "TypeCodes.h"

namespace vext::barshim {

long HostToLibraryType(long host) {
  // Unsigned, so that negative codes are "anything else".
  const auto code = static_cast<unsigned long>(host);
  if (code == 0) return 2;
  if (code == 2) return 0;
  if (code == 30) return 10;
  if (code >= 1 && code <= 13) return host;
  return 1;
}

long LibraryToHostType(long library) {
  if (library == 0) return 2;
  if (library == 2) return 0;
  if (library >= 3 && library <= 13) return library;
  return 1;
}

}  // namespace vext::barshim
