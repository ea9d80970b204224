#include "ContactXmlNames.h"

namespace vext::contactxml {

LocationSet LocationSetOfLocationType(const CString& locationType) {
  if (locationType == kLocationOffice) return LocationSet::Office;
  if (locationType == kLocationHome) return LocationSet::Home;
  return LocationSet::Other;
}

LocationSet LocationSetOfUsage(const CString& usage) {
  if (usage == kUsageOfficial) return LocationSet::Office;
  if (usage == kUsagePrivate) return LocationSet::Home;
  return LocationSet::Other;
}

}  // namespace vext::contactxml
