#pragma once
// The heights a file may hold, for the readers' and the writers' checks alike.
#include <cmath>
#include <string>
#include <string_view>

#include "model/Model.h"
#include "model/Numeric.h"
#include "model/SimError.h"

namespace magmo {

inline std::string storedHeightRange() {
  return generalNumber(-kMaxStoredHeight) + ".." + generalNumber(kMaxStoredHeight);
}

// A height the readers would refuse is not written either.
inline float storedHeight(float v, std::string_view what) {
  if (!(std::fabs(v) <= kMaxStoredHeight))
    throw SimError(std::string(what) + " " + generalNumber(v) + " out of range " + storedHeightRange() +
                   ": the file could not be read back");
  return v;
}

}  // namespace magmo
