// What a vextform command reports when it cannot do its work: a message
// for the person at the terminal (UTF-8), and a non-zero exit status.
#pragma once

#include <stdexcept>
#include <string>

namespace vextform {

class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace vextform
