// Catalogue records as an indented tree for the terminal (UTF-8): one line
// per category, its name; one line per layout, its identifier and title.
#pragma once

#include <ostream>

#include "platform/base/Collections.h"

namespace slipcat {

// `numbered` puts each top-level record's position before it (the pick-up
// categories are addressed by position).
void PrintTree(std::ostream& out, const CObArray& records, bool numbered = false);

}  // namespace slipcat
