#include <numeric>

#include "support/StyleFixture.h"

namespace magmo::test {
namespace {

using StrombTest = StyleTest;

// A wind stronger than their throw carries every bomb downwind; each landing leaves 10 m of
// scoria, less what the crater takes.
TEST_F(StrombTest, AStrongWindCarriesEveryBombDownwind) {
  accept(Style::Stromb, "0.10", "50");
  eruptUntil(2);
  const auto landings = points(6);
  ASSERT_FALSE(landings.empty());
  for (const auto& c : landings) EXPECT_GT(c.x1, 640);
  const float left = std::accumulate(m().Topo.begin(), m().Topo.begin() + 640, 0.0f);
  const float right = std::accumulate(m().Topo.begin() + 641, m().Topo.end(), 0.0f);
  EXPECT_TRUE(right > left && left + m().Topo[640] + right <= 0.5f * landings.size());
  EXPECT_GT(m().EruptVolume, 0);
}

TEST_F(StrombTest, DiatremeCutsAPitToTheBaseThroughTheOlderCone) {
  buildCone(640, 60, 300);
  accept(Style::Stromb, "0.30");
  ui().chkCaldDiat.checked = true;
  eruptUntil(1);
  EXPECT_TRUE(m().LayerColor[2] == 5 && m().LayerBase[2] == 0 && m().Strat(1, 640) == 0);
  EXPECT_TRUE(host.messages.empty());
}

// On flat ground the pit refills at once and the flows take over the phase for a burst of their own.
TEST_F(StrombTest, DiatremeOnFlatGroundHandsTheFlowSurgeItsPhase) {
  accept(Style::Pfs, "0.40");
  ui().chkCaldDiat.checked = true;
  host.onYield = [this] {
    if (m().EruptType == Style::Pfs && m().BurstCount >= 1 && m().RunStop != RunState::Stopping) cmdHaltClick(sim);
  };
  cmdEruptClick(sim);
  EXPECT_FALSE(ui().chkCaldDiat.checked);
  ASSERT_EQ(m().LayerCount, 2);
  EXPECT_TRUE(m().LayerColor[1] == 5 && m().LayerColor[2] == 7);  // the diatreme, the flows over it
  EXPECT_TRUE(m().EruptType == Style::Pfs && m().BurstCount == 1 && m().EruptVolume > 0);
  EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace magmo::test
