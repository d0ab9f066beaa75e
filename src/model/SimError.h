#pragma once
#include <stdexcept>
#include <string>

namespace magmo {

// A run-time error inside a procedure; caught at the procedure's boundary and reported
// as "<Name> error: " + line break + what().
class SimError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace magmo
