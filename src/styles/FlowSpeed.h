#pragma once
#include <algorithm>

namespace magmo {

// The change dv of a flow particle's speed, limited so that its speed u + w + dv stays between
// standstill and twice its launch speed u, in the launch direction, whatever the slope and the
// wind w do to it.
inline float limitedSpeedChange(float dv, float u, float w) {
  if (u > 0) return dv <= 0 ? std::max(dv, -u - w) : std::min(dv, u - w);
  return dv <= 0 ? std::max(dv, u - w) : std::min(dv, -u - w);
}

}  // namespace magmo
