// Catalogue records as JSON (UTF-8) for slipcat: every field of every
// record, in stored order, with its class and version.
#pragma once

#include <nlohmann/json.hpp>
#include <stdexcept>

#include "platform/fs/Archive.h"

namespace slipcat {

// A text of a record that has no UTF-8 form (not valid CP932).
class TextError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// null for a null record. Throws TextError.
nlohmann::ordered_json RecordJson(const CObject* record);

}  // namespace slipcat
