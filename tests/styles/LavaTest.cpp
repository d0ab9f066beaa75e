#include <algorithm>
#include <cmath>
#include <vector>

#include "support/StyleFixture.h"

namespace magmo::test {
namespace {
class LavaTest : public StyleTest {
 protected:
  // A played-back phase with the given flow lengths over bare ground shaped by height(x).
  template <typename Height>
  void playBack(Style style, const std::vector<float>& lengths, Height height) {
    layers(0, height);
    for (int x = 1; x <= 1280; ++x) m().Strat(0, x) = m().Topo[x];
    playLava(style, lengths);
  }
};

// A terrace at 20 under the vent, a plain to its left, a wall to its right: the flow fills the
// terrace to the vent's level, steps down one thickness, crosses the plain a column a step and
// piles up at the edge; the burst ends 50 idle steps after its last move.
TEST_F(LavaTest, FlowFillsDownACliffAcrossThePlainAndPilesUpAtTheEdge) {
  playBack(Style::Lava, {1000}, [](int x) { return x < 630 ? 0.0f : x <= 640 ? 20.0f : 100.0f; });
  for (int x = 630; x <= 640; ++x) EXPECT_FLOAT_EQ(m().Topo[x], 21) << x;
  for (int x = 2; x <= 629; ++x) ASSERT_FLOAT_EQ(m().Topo[x], 1) << x;
  EXPECT_EQ(std::tuple(m().Topo[1], m().FlowLeft, m().FlowRight, m().BurstTime, ui().PhaseText),
            std::tuple(2.0f, 1, 640, 639.0f + 51, "Playback Phase: 1 of 1   Burst: 1 of 1   "));
  EXPECT_DOUBLE_EQ(m().EruptHours, 639 * 20 * 8.0);
  const auto fronts = points(12);
  ASSERT_EQ(fronts.size(), 639u);
  EXPECT_TRUE(fronts.front().x1 == 639 && fronts.front().y1 == 601 - 21 && fronts.back().y1 == 601 - 1);
}

// A vent in a closed hollow only grows. From the 6th burst a shield gets a flat crater of radius
// 20 x bursts / Scale, a quarter of that below the higher rim; one standing 30 above both points
// 100 columns away keeps its top.
TEST_F(LavaTest, VentInAHollowOnlyGrowsAndLowShieldsGetASummitCrater) {
  const auto hollowPhase = [this](int bursts, float rim, float floor = 0) {
    playBack(Style::Lava, std::vector<float>(size_t(bursts), 1000),
             [=](int x) { return x == 640 ? floor : std::max(rim - 0.5f * std::abs(x - 640), 0.0f); });
  };
  hollowPhase(5, 20);
  EXPECT_TRUE(m().Topo[640] == 5 && m().BurstTime == 51 && points(12).empty());
  hollowPhase(6, 20);
  for (int x = 633; x <= 646; ++x) EXPECT_FLOAT_EQ(m().Topo[x], x == 633 ? 20 - 0.5f * 7 : 20 - 0.5f * 6 - 1.5f) << x;
  for (int x = 1; x <= 1280; ++x) ASSERT_EQ(m().Strat(1, x), m().Topo[x]) << x;  // levelled before the strata follow
  hollowPhase(6, 60, 40);
  EXPECT_TRUE(m().Topo[640] == 46 && m().Topo[634] == 57);
}

// The dome's pit: the vent sinks 10 units, each neighbour one less; flows 40 / Scale thick.
TEST_F(LavaTest, DomeRisesFromASummitPitInThickWideFlows) {
  m().Scale = 4;
  layers(1, [](int) { return 50.0f; });
  playLava(Style::Dome, {30});
  EXPECT_EQ(m().LavaThick, 10);
  for (int k = 0; k <= 10; ++k) EXPECT_TRUE(m().Strat(1, 640 - k) == 40 + k && m().Strat(1, 640 + k) == 40 + k) << k;
}

TEST_F(LavaTest, AFlowCutShortByAStopIsRecordedAsFarAsItRan) {
  accept(Style::Lava, "0.40");
  ui().mnuRecRec.checked = true;
  eruptUntil(3);
  EXPECT_TRUE(m().BurstCount == 3 && m().RecBurst(1, 3) == m().BurstTime && m().BurstTime < m().LavaBurst);
}

// The same draw makes a flow 1.5 times as long with Slider1 at 11 as at 6, half as long at 1,
// and shorter under weaker gravity.
TEST_F(LavaTest, FlowLengthFollowsSlider1AndGravity) {
  const auto firstFlow = [this](int slider1, float gravity) {
    clearVar(sim);
    sim.rnd.fixSeed(7);
    ui().Slider[1].value = slider1, m().Gravity = gravity, m().EruptType = Style::Lava;
    stopDuringBurst(1);
    typeLava(sim);
    return m().LavaBurst;
  };
  const float nominal = firstFlow(6, 9.8f);
  EXPECT_TRUE(nominal > 20 && nominal <= 1200) << nominal;
  EXPECT_FLOAT_EQ(firstFlow(11, 9.8f), 1.5f * nominal);
  EXPECT_FLOAT_EQ(firstFlow(1, 3.73f), 0.5f * 3.73f / 9.8f * nominal);
}
}  // namespace
}  // namespace magmo::test
