#pragma once
// The truncation of the strata as a literal triple loop: the reference the fast one must equal.
#include "model/Model.h"

namespace magmo::test {

inline void stratTruncateLiteral(Model& m) {
  const int n = m.LayerCount;
  for (int k = n - 1; k >= 1; --k)
    for (int x = 1; x <= kColumns; ++x)
      for (int j = n; j >= k; --j)
        if (m.Strat(k, x) > m.Strat(j, x)) m.Strat(k, x) = m.Strat(j, x);
}

}  // namespace magmo::test
