// The ContactXML vocabulary shared by every writer and reader of the
// system: element and attribute names, the two URIs and the location sets.
#pragma once

#include "CString.h"

namespace vext::contactxml {

inline constexpr const char* kNamespaceUri = "http://www.xmlns.org/2002/ContactXML";
// The maker's converter: the one "creator" value whose maker-specific
// parts readers honour, compared character for character.
inline constexpr const char* kCreatorUri = "http://www.nq.example/software/ContactXMLConv/1.1";

// (Element and attribute name constants, location sets: see this header
// once the exchange library's vocabulary is in.)

}  // namespace vext::contactxml
