#include <algorithm>
#include <cmath>

#include "control/Reset.h"
#include "model/Numeric.h"
#include "support/StyleFixture.h"

namespace magmo::test {
namespace {

using PlinianTest = StyleTest;

// Burst n lays PartCount / (50 Scale) within Strength e^n columns of the vent; the crater (half-width
// 10 Strength columns at 20 m, a unit deeper each burst) clears its part again.
TEST_F(PlinianTest, TheFirstBurstsLayANarrowFall) {
  accept(Style::Plinian, "0.60", "0", "40");
  eruptUntil(3);
  const float t = 40 / (50 * 20.0f);
  for (int x = 1; x <= 1280; ++x) {
    float expected = 0;
    for (int n = 1; n <= 3; ++n) {
      const double reach = 0.6 * std::exp(double(n));
      if (std::abs(x - 640) > cint(0.6 * 10) && x >= cint(640 - reach) && x <= cint(640 + reach)) expected += t;
    }
    ASSERT_NEAR(m().Topo[x], expected, 1e-6) << x;
    ASSERT_EQ(m().Strat(1, x), m().Topo[x]) << x;
  }
  EXPECT_GT(m().EruptVolume, 0);
}

// Strength 1 throws pumice off both ends: from the 7th burst the fall covers the whole reach,
// from the 20th it grows only where it reaches further than before.
TEST_F(PlinianTest, FallCoversTheWholeReachThenOnlyGrowsOutward) {
  accept(Style::Plinian, "1.00", "0", "50");
  host.canvas.recording = false;
  std::vector<PerColumn<float>> atStart;  // the surface as each burst starts
  eruptUntil(20, [&] { atStart.push_back(m().Topo); });
  ASSERT_EQ(atStart.size(), 20u);
  for (int x = 1; x <= 1280; ++x) {
    if (std::abs(x - 640) <= 10) continue;  // the crater
    ASSERT_NEAR(atStart[18][x] - atStart[17][x], 50 / (50 * 20.0f), 1e-5) << x;
    ASSERT_NEAR(m().Topo[x] - atStart[19][x], 0, 1e-6) << x;
  }
}

// Under Moon gravity the pumice flies far above the drawing; nothing is drawn up there.
TEST_F(PlinianTest, UnderMoonGravityOnlyTheColumnWithinTheDrawingIsDrawn) {
  selectGravity(sim, GravityItem::Moon);
  accept(Style::Plinian, "0.60");
  eruptUntil(3);
  int drawn = 0;
  for (const auto& c : host.canvas.calls) {
    if (c.kind != DrawCall::Point || c.persistent) continue;
    ASSERT_GT(c.y1, -10 - c.penWidth) << "a point far above the drawing";
    ++drawn;
  }
  EXPECT_GT(drawn, 0);
  EXPECT_GT(*std::max_element(m().Topo.begin(), m().Topo.end()), 0);
}

}  // namespace
}  // namespace magmo::test
