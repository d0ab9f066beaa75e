#pragma once
// A volcano for the style benchmarks: strata laid at one vent, each cone a little higher and
// wider than the one before, over a flat basement.
#include <algorithm>
#include <cmath>

#include "model/Model.h"

namespace magmo::bench {

inline void buildLayeredCone(Model& m, int layers, float height, int halfWidth, int vent = 640) {
  m.LayerCount = layers;
  for (int k = 1; k <= layers; ++k) {
    const float top = height * k / layers;
    const float reach = halfWidth * (0.5f + 0.5f * k / layers);
    m.LayerColor[k] = k % 2 ? 2 : 10;
    m.LayerVentX[k] = vent;
    m.LayerBase[k] = m.Strat(k - 1, vent);
    for (int x = 1; x <= kColumns; ++x) {
      const float d = static_cast<float>(std::abs(x - vent));
      const float cone = d < reach ? top * (1 - d / reach) : 0.0f;
      m.Strat(k, x) = std::max(m.Strat(k - 1, x), cone);
    }
  }
  for (int x = 1; x <= kColumns; ++x) m.Topo[x] = m.Strat(layers, x);
}

}  // namespace magmo::bench
