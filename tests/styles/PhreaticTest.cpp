#include <algorithm>
#include <cmath>

#include "control/Reset.h"
#include "model/Numeric.h"
#include "support/StyleFixture.h"

namespace magmo::test {
namespace {

using PhreaticTest = StyleTest;

// On flat ground the plume tops out 800 x Strength x 20 / Scale units above the vent, and before
// the 8th burst every puff is white; the statistics count a hundredth of the strength in hours
// a time step, and a burst lasts at least 50.
TEST_F(PhreaticTest, ManualPlumeStaysBelowItsTop) {
  accept(Style::Fumarole, "0.30", "10");
  eruptUntil(2);
  EXPECT_EQ(m().PhBurstCount, 0);  // the explosion box is off
  const auto puffs = points(15);
  ASSERT_FALSE(puffs.empty());
  EXPECT_EQ(puffs.size() + points(0).size() + points(8).size(), puffs.size());
  for (const auto& p : puffs) EXPECT_TRUE(p.y1 >= cint(600 - 800 * 0.3f) && p.y1 < 600) << p.y1;
  EXPECT_GT(m().EruptHours, 50 * 0.3 / 100);
  EXPECT_TRUE(host.messages.empty());
}

// Int(Rnd x Slider4) more bursts, here none: one burst, whose farthest landing (white marks) is the
// reach and highest block drawn the top; the sound is left a second to fade.
TEST_F(PhreaticTest, ExplosionThrowsAtLeastOneBurstAndMeasuresItsBlocks) {
  buildCone(640, 40, 300);
  m().EruptType = Style::Fumarole;
  m().Strength = 0.8f;
  m().PartCount = 30;
  ui().Slider[4].value = 1;
  ui().mnuOptSound.checked = true;
  typePhBurst(sim);
  EXPECT_EQ(m().PhBurstCount, 1);
  float reach = 0, top = 600;
  for (const auto& p : points(15)) reach = std::max(reach, std::abs(p.x1 - 640));
  for (int colour : {0, 8})
    for (const auto& p : points(colour)) top = std::min(top, p.y1);
  EXPECT_GT(reach, 0);
  EXPECT_FLOAT_EQ(m().BallisticRange, reach);
  EXPECT_FLOAT_EQ(m().BallisticTop, top);
  EXPECT_LT(top, 600 - 40);
  EXPECT_EQ(host.sleptMs, 1000);
}

// Black jets in pairs left and right of the vent, from the rim at half-width CInt(5 x Strength),
// a column wider each plume step, up to the blocks' top, while half-width plus reach stays
// within 50 columns.
TEST_F(PhreaticTest, JetsRiseFromAWideningRimUntilTheBlocksReachIsPassed) {
  accept(Style::Fumarole, "0.30");
  ui().chkFumex.checked = true;
  ui().Slider[4].value = 11;
  int explosionBurst = 0;
  float reach = 0, top = 0;
  PerColumn<float> rim{};
  host.onYield = [&] {
    if (explosionBurst == 0 && m().PhBurstCount > 0) {
      explosionBurst = m().BurstCount, reach = m().BallisticRange, top = m().BallisticTop;
      for (int x = 1; x <= 1280; ++x) rim[x] = m().Strat(1, x);
      ui().chkFumex.checked = false;  // one explosion only
      host.canvas.clear();
    }
    if (explosionBurst > 0 && m().BurstCount > explosionBurst + 1 && m().RunStop != RunState::Stopping) cmdHaltClick(sim);
  };
  cmdEruptClick(sim);
  ASSERT_TRUE(explosionBurst > 0 && reach <= 46);
  std::vector<DrawCall> jets;
  for (const auto& c : host.canvas.calls)
    if (c.kind == DrawCall::Line && !c.persistent) jets.push_back(c);
  const int first = cint(5 * 0.3f), last = intPart(50 - reach);
  ASSERT_EQ(jets.size(), size_t(2 * (last - first + 1)));
  for (size_t i = 0; i < jets.size(); ++i) {
    const int side = i % 2 == 0 ? -1 : 1;
    const float c = float(640 + side * (first + int(i / 2)));
    EXPECT_TRUE(jets[i].x1 == c && jets[i].y1 == 598 - rim[size_t(c)] && jets[i].y2 == top) << i;
    EXPECT_FLOAT_EQ(jets[i].x2, c + side * top * 0.3f / 20);
    EXPECT_EQ(jets[i].color, paletteColor(0));
  }
}

TEST_F(PhreaticTest, LongWindyPhaseAtTheSmallScaleKeepsItsPuffsInRange) {
  changeScale(sim, ScaleItem::Small);
  accept(Style::Fumarole, "1.00", "50", "10");
  host.canvas.recording = false;
  eruptUntil(19);
  EXPECT_EQ(m().BurstCount, 19);
  EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace magmo::test
