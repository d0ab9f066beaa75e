#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "control/Params.h"
#include "model/Numeric.h"
#include "styles/Styles.h"
#include "support/SimFixture.h"

namespace magmo::test {
namespace {

class LavaTest : public SimTest {
 protected:
  // Bare ground shaped by height(x), no strata yet.
  template <typename Height>
  void ground(Height height) {
    m().LayerCount = 0;
    for (int x = 1; x <= 1280; ++x) m().Topo[x] = m().Strat(0, x) = height(x);
  }
  // A played-back phase whose bursts have the given flow lengths.
  void playBack(Style eruptType, const std::vector<float>& lengths) {
    ui().mnuRecPlay.checked = true;
    m().EruptType = eruptType;
    m().PlayIndex = m().RecCount = 1;
    for (size_t b = 0; b < lengths.size() && b < 100; ++b) m().RecBurst(1, int(b) + 1) = lengths[b];
    m().BurstCount = int(lengths.size());
    typeLava(sim);
  }
  // The flow-front points (the refresh draws into the persistent image, the flows do not).
  std::vector<DrawCall> flowPoints(int colour) const {
    std::vector<DrawCall> out;
    for (const auto& c : host.canvas.calls)
      if (c.kind == DrawCall::Point && !c.persistent && c.color == paletteColor(colour)) out.push_back(c);
    return out;
  }
  void expectStratumIsSurface(int k) {
    for (int x = 1; x <= 1280; ++x) ASSERT_EQ(m().Strat(k, x), m().Topo[x]) << x;
  }
};

TEST_F(LavaTest, FlowFillsDownACliffAcrossThePlainAndPilesUpAtTheEdge) {
  // A terrace at 20 under the vent, a plain at 0 to its left, a wall to its right.
  ground([](int x) { return x < 630 ? 0.0f : x <= 640 ? 20.0f : 100.0f; });
  playBack(Style::Lava, {1000});
  for (int x = 630; x <= 640; ++x) EXPECT_FLOAT_EQ(m().Topo[x], 21) << x;  // filled to the vent's level
  EXPECT_FLOAT_EQ(m().Topo[629], 1);  // the step down is larger than one thickness
  for (int x = 2; x <= 628; ++x) ASSERT_FLOAT_EQ(m().Topo[x], 1) << x;
  EXPECT_FLOAT_EQ(m().Topo[1], 2);
  EXPECT_EQ(m().FlowLeft, 1);
  EXPECT_EQ(m().FlowRight, 640);
  // 639 moves, then the burst ends after more than 50 idle steps.
  EXPECT_FLOAT_EQ(m().BurstTime, 639 + 51);
  const auto points = flowPoints(12);
  ASSERT_EQ(points.size(), 639u);
  EXPECT_EQ(points.front().x1, 639);
  EXPECT_EQ(points.front().y1, 601 - 21);
  EXPECT_EQ(points.back().y1, 601 - 1);
  EXPECT_EQ(points.front().penWidth, 2);
  EXPECT_DOUBLE_EQ(m().EruptHours, 639 * 20 * 8.0);
  EXPECT_EQ(m().EruptSub, Style::Lava);
  EXPECT_EQ(ui().PhaseText, "Playback Phase: 1 of 1   Burst: 1 of 1   ");
  expectStratumIsSurface(1);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(LavaTest, VentInAHollowOnlyGrowsAndLowShieldsGetASummitCrater) {
  // A cone with a closed hollow at its top: the vent floor lies below both neighbours.
  auto hollowPhase = [this](int bursts, float rim, float floor = 0) {
    ground([=](int x) { return x == 640 ? floor : std::max(rim - 0.5f * std::abs(x - 640), 0.0f); });
    playBack(Style::Lava, std::vector<float>(size_t(bursts), 1000));
  };
  hollowPhase(5, 20);
  EXPECT_FLOAT_EQ(m().Topo[640], 5);  // fronts never move, fewer than 6 bursts: no levelling
  EXPECT_FLOAT_EQ(m().BurstTime, 51);
  EXPECT_TRUE(flowPoints(12).empty());
  hollowPhase(6, 20);
  // r = 20 * 6 / 20 = 6 columns; floor a quarter of r below the higher of the two rims.
  const float level = 20 - 0.5f * 6 - 1.5f;
  for (int x = 634; x <= 646; ++x) EXPECT_FLOAT_EQ(m().Topo[x], level) << x;
  EXPECT_FLOAT_EQ(m().Topo[633], 20 - 0.5f * 7);
  expectStratumIsSurface(1);
  hollowPhase(6, 60, 40);  // the summit stands 30 or more above both points 100 columns away
  EXPECT_FLOAT_EQ(m().Topo[640], 46);
  EXPECT_FLOAT_EQ(m().Topo[634], 57);
}

TEST_F(LavaTest, DomeRisesFromASummitPitInThickWideFlows) {
  ground([](int) { return 50.0f; });
  m().LayerCount = 1;
  for (int x = 1; x <= 1280; ++x) {
    m().Strat(0, x) = 0;
    m().Strat(1, x) = 50;
  }
  m().Scale = 4;
  ui().mnuOptMapEnable.checked = true;
  playBack(Style::Dome, {30});
  for (int k = 0; k <= 10; ++k) {
    EXPECT_FLOAT_EQ(m().Strat(1, 640 - k), 50 - std::max(10 - k, 0)) << k;
    EXPECT_FLOAT_EQ(m().Strat(1, 640 + k), 50 - std::max(10 - k, 0)) << k;
  }
  EXPECT_FLOAT_EQ(m().LavaThick, 10);
  EXPECT_EQ(m().LayerColor[2], 4);
  const auto points = flowPoints(4);
  ASSERT_FALSE(points.empty());
  EXPECT_EQ(points.front().penWidth, 5);
  EXPECT_EQ(m().MapOn, 4);
  EXPECT_EQ(m().UndoLayer, 2);
  expectStratumIsSurface(2);
}

TEST_F(LavaTest, ManualPhaseUsesThePanelWindRecordsFlowLengthsAndRunsUntilStopped) {
  selectStyle(sim, Style::Lava);
  ui().txtWind.text = "15";
  changeOk(sim);
  ui().mnuOptSound.checked = ui().mnuRecRec.checked = true;
  ui().Slider[1].value = 11;
  m().Gravity = 3.73f;
  Random expected = sim.rnd;
  std::string progress;
  stopDuringBurst(3);
  host.onYield = [&, stop = host.onYield] {
    if (m().BurstCount == 2) progress = ui().statusBar2[2];
    stop();
  };
  typeLava(sim);
  EXPECT_EQ(m().BurstLimit, 1000);
  EXPECT_EQ(m().BurstCount, 3);
  EXPECT_EQ(progress, "Phase: 1   Burst: 2   ");
  EXPECT_FLOAT_EQ(m().Wind, 15);
  EXPECT_EQ(ui().txtWind.text, "15");
  EXPECT_FLOAT_EQ(m().LayerWind[1], 15);
  // The first burst's length is the phase's first draw, lengthened by half by Slider1 = 11.
  const double first = expected.next() * 1200 * 3.73 / 9.8 * 1.5;
  EXPECT_FLOAT_EQ(m().RecBurst(1, 1), float(std::max(first, 20.0)));
  // The third flow is recorded as far as it ran before the Stop.
  EXPECT_FLOAT_EQ(m().RecBurst(1, 3), m().BurstTime);
  EXPECT_LT(m().BurstTime, m().LavaBurst);
  const auto& s = host.sounds;
  const auto loop = std::find(s.rbegin(), s.rend(), sim.paths.sound("Lava.wav") + " (loop)");
  ASSERT_NE(loop, s.rend());
  EXPECT_NE(std::find(s.rbegin(), loop, sim.paths.sound("Off.wav")), loop);
  expectStratumIsSurface(1);
  m().RunStop = RunState::Running;
  stopDuringBurst(1);
  typeLava(sim);
  EXPECT_EQ(m().LayerColor[2], 13);
}

TEST_F(LavaTest, AutomaticPhaseDrawsItsBurstsAndWindAndEndsByItself) {
  ui().mnuParAuto.checked = true;
  m().EruptType = Style::Lava;
  m().Scale = 100;
  sim.rnd.fixSeed(42);  // a draw high in [0, 1), where the burst-count rule is sensitive
  Random expected = sim.rnd;
  const int bursts = cint(std::pow(100.0, 0.25) * (10 * expected.next() + 1));
  const float sign = expected.next() < 0.5 ? -1.0f : 1.0f;
  const float wind = float(expected.next()) * sign * 20;
  typeLava(sim);
  EXPECT_EQ(m().BurstLimit, bursts);
  EXPECT_EQ(m().BurstCount, bursts);
  EXPECT_FLOAT_EQ(m().Wind, wind);
  EXPECT_EQ(ui().txtWind.text, format(wind, "0"));
  EXPECT_FLOAT_EQ(m().LavaThick, 1);  // as thick as at the normal scale
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(LavaTest, PlaybackBeyondTheBurstTableFinishesThePhaseAndReportsOnce) {
  ground([](int x) { return x == 640 ? 0.0f : 300.0f; });
  playBack(Style::Lava, std::vector<float>(102, 1));
  EXPECT_EQ(m().BurstCount, 102);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0], "Lava flow error: \nSubscript out of range");
  expectStratumIsSurface(1);
}

}  // namespace
}  // namespace magmo::test
