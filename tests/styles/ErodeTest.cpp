#include <algorithm>
#include <vector>

#include "model/Numeric.h"
#include "styles/Styles.h"
#include "support/SimFixture.h"

namespace magmo::test {
namespace {

class ErodeTest : public SimTest {
 protected:
  // Counts the columns each cycle sweeps, one yield each; with a last cycle, the user pauses
  // during it and stops in the pause wait at its end.
  void watchCycles(int last = 0) {
    swept.clear();
    host.onYield = [this, last] {
      const size_t cycle = m().ErodeCycles;
      swept.resize(std::max(swept.size(), cycle + 1));
      ++swept[cycle];
      if (last > 0 && m().ErodeCycles >= last - 1 && m().RunStop != RunState::Stopping) cmdHaltClick(sim);
    };
  }
  std::vector<int> swept;
  int nonPersistentSpans() const {
    return static_cast<int>(std::count_if(host.canvas.calls.begin(), host.canvas.calls.end(),
                                          [](const DrawCall& c) { return c.kind == DrawCall::Span && !c.persistent; }));
  }
};

TEST_F(ErodeTest, AManualErosionOfFlatGroundChangesNothingAndEndsAfterTheCycleOfTheStop) {
  // Flat ground at 0 has no relief: each cycle sweeps only the vent's stencil, whose half-width
  // grows 1, 2, ..., 14 and then starts again at 5.
  watchCycles(16);
  typeErode(sim);
  EXPECT_EQ(m().ErodeCycles, 16);
  swept.resize(16);
  EXPECT_EQ(swept, (std::vector<int>{3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 11, 13}));
  EXPECT_EQ(ui().PhaseText, "Phase: 1  (Dormant)   Cycle: 16   ");
  EXPECT_EQ(m().LayerColor[1], 14);
  EXPECT_TRUE(std::all_of(m().Topo.begin(), m().Topo.end(), [](float h) { return h == 0; }));
  EXPECT_EQ(nonPersistentSpans(), 0);
  EXPECT_EQ(host.sleptMs, 16 * 300);
  EXPECT_DOUBLE_EQ(m().EruptHours, 16 * (20 * 1e5 + 20 * 1e7));
  EXPECT_TRUE(host.messages.empty());

  // A played-back erosion of known length smooths its last cycles with the narrowest stencil.
  watchCycles();
  ui().mnuRecPlay.checked = true;
  m().PlayErodeCycles = 3;
  m().ErodeCycles = 0;
  m().RunStop = RunState::Running;
  typeErode(sim);
  swept.resize(3);
  EXPECT_EQ(swept, (std::vector<int>{3, 5, 3}));
}

TEST_F(ErodeTest, AnAutomaticErosionRunsItsDrawnNumberOfCycles) {
  buildCone(640, 60, 200);
  for (int k = 2; k <= 40; ++k)
    for (int x = 1; x <= 1280; ++x) m().Strat(k, x) = m().Strat(1, x);
  m().LayerCount = 40;
  ui().mnuParAuto.checked = ui().mnuOptMapEnable.checked = true;
  m().EruptType = Style::Plinian;
  Random expected = sim.rnd;
  int cycles = cint(20 * expected.next() * 41 / 20);
  cycles = cycles > 30 ? 30 : cycles < 5 ? 3 : cycles;
  typeErode(sim);
  EXPECT_EQ(m().ErodeCycles, cycles);
  EXPECT_EQ(ui().PhaseText, "Auto Phase: 41  (Dormant)   Cycle: " + format(cycles, "0") + " of " +
                                format(cycles, "0") + "   ");
  EXPECT_EQ(m().EruptType, Style::Plinian);
  EXPECT_DOUBLE_EQ(m().TotalHours, cycles * (20 * 1e5 + 20 * 1e7));
  EXPECT_LT(m().Topo[640], 60);  // the summit wears down
  int deposit = 0;  // columns where the worn material lies in the new layer
  for (int x = 1; x <= 1280; ++x) deposit += m().Strat(41, x) == m().Topo[x] && m().Topo[x] > m().Strat(40, x);
  EXPECT_GT(deposit, 0);
  EXPECT_EQ(m().MapOn, 8);
}

TEST_F(ErodeTest, DiatremeRockStandsAndTheDespikingTakesOffASingleColumnSpike) {
  m().LayerCount = 2;
  m().LayerColor[2] = 5;
  for (int x = 1; x <= 1280; ++x) {
    m().Strat(1, x) = 10;
    const int d = std::abs(x - 640);
    m().Strat(2, x) = d <= 240 ? 40.0f : d < 260 ? 40.0f - (d - 240) * 1.5f : 10.0f;
    m().Topo[x] = m().Strat(2, x);
  }
  m().Topo[640] = m().Strat(2, 640) = 60;
  const auto before = m().Topo;
  watchCycles(1);
  typeErode(sim);
  ASSERT_EQ(m().ErodeCycles, 1);
  for (int x = 382; x <= 898; ++x) ASSERT_EQ(m().Topo[x], x == 640 ? 40.0f : before[x]) << x;
  EXPECT_EQ(m().Strat(2, 640), 40);
}

// The first cycle on a single older layer: every point is tephra (e = 1) with a height
// factor of its surface over the highest surface, and the sweep runs left to right with the
// narrowest stencil, each column seeing its left neighbour already eroded.
TEST_F(ErodeTest, TheFirstCycleIsOneDiffusionSweepOverTheRelief) {
  buildCone(640, 30, 30);
  ui().mnuRecPlay.checked = true;
  m().PlayErodeCycles = 1;
  PerColumn<float> afterCycle{};
  host.onYield = [&] {
    if (m().ErodeCycles == 0) afterCycle = m().Topo;
  };
  std::array<double, 1281> t{};
  std::copy(m().Topo.begin(), m().Topo.end(), t.begin());
  const double highest = 30;
  for (int x = 640 - 30; x <= 640 + 30; ++x) {
    const bool hollow = t[x - 1] - 2 * t[x] + t[x + 1] > 0;
    const auto f = [&](int p) { return hollow ? 1 - t[p] / highest : t[p] / highest; };
    const double al = (f(x - 1) + f(x)) / 2, ar = (f(x + 1) + f(x)) / 2;
    t[x] += al * (t[x - 1] - t[x]) + ar * (t[x + 1] - t[x]);
  }
  typeErode(sim);
  EXPECT_EQ(m().ErodeCycles, 1);
  EXPECT_EQ(ui().PhaseText, "Playback Phase: 0 of 0  (Dormant)   Cycle: 1   ");
  for (int x = 1; x <= 1280; ++x) ASSERT_NEAR(afterCycle[x], t[x], 1e-4) << x;
}

}  // namespace
}  // namespace magmo::test
