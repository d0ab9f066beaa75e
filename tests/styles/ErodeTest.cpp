#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "support/StyleFixture.h"

namespace magmo::test {
namespace {
class ErodeTest : public StyleTest {
 protected:
  // Counts the columns each cycle sweeps, one yield each; the user pauses during cycle `last`
  // (none: 0) and stops at its end.
  void erode(int last = 0) {
    m().ErodeCycles = 0, m().RunStop = RunState::Running;
    swept.clear();
    host.onYield = [this, last] {
      const size_t cycle = m().ErodeCycles;
      swept.resize(std::max(swept.size(), cycle + 1));
      ++swept[cycle];
      if (last > 0 && m().ErodeCycles >= last - 1 && m().RunStop != RunState::Stopping) cmdHaltClick(sim);
    };
    typeErode(sim);
    host.onYield = nullptr;
    swept.resize(m().ErodeCycles);
  }
  // A played-back erosion of the given number of cycles.
  void playBack(int cycles) {
    ui().mnuRecPlay.checked = true, m().PlayErodeCycles = cycles;
    erode();
  }
  // The largest height step between neighbouring columns, infinite where a height is not finite.
  float roughness() const {
    float step = 0;
    for (int x = 2; x <= 1280; ++x) {
      const float d = std::abs(sim.m.Topo[x] - sim.m.Topo[x - 1]);
      step = std::isfinite(d) ? std::max(step, d) : INFINITY;
    }
    return step;
  }
  std::vector<int> swept;
};

// Flat ground has no relief: each cycle sweeps only the vent's stencil, whose half-width grows
// 1, 2, ..., 14 and then starts again at 5; a played-back erosion of known length smooths its
// last two cycles with the narrowest stencil.
TEST_F(ErodeTest, AManualErosionOfFlatGroundChangesNothingAndEndsAfterTheCycleOfTheStop) {
  erode(16);
  EXPECT_EQ(swept, (std::vector<int>{3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 11, 13}));
  EXPECT_TRUE(ui().PhaseText == "Phase: 1  (Dormant)   Cycle: 16   " && m().LayerColor[1] == 14 && host.sleptMs == 16 * 300);
  EXPECT_TRUE(std::all_of(m().Topo.begin(), m().Topo.end(), [](float h) { return h == 0; }));
  for (const auto& c : host.canvas.calls) EXPECT_FALSE(c.kind == DrawCall::Span && !c.persistent);
  playBack(3);
  EXPECT_EQ(swept, (std::vector<int>{3, 5, 3}));
}

// An automatic erosion runs 20 x a draw x LayerCount / Scale cycles, at most 30; fewer than 5
// become 3. The summit wears down into the new layer.
TEST_F(ErodeTest, AnAutomaticErosionRunsItsDrawnNumberOfCycles) {
  std::vector<int> counts;
  for (uint64_t seed = 1; seed <= 9; ++seed) {
    const int n = seed % 3 == 0 ? 1 : seed % 3 == 1 ? 40 : 499;  // older layers, up to a full table
    SCOPED_TRACE(testing::Message() << seed << ", " << n << " layers");
    clearVar(sim);
    sim.rnd.fixSeed(seed);
    buildCone(640, 60, 200);
    layers(n, [this](int x) { return m().Topo[x]; });
    ui().mnuParAuto.checked = ui().mnuOptMapEnable.checked = true, m().EruptType = Style::Plinian;
    erode();
    const int c = m().ErodeCycles;
    EXPECT_TRUE(n == 1 ? c == 3 : c == 3 || (c >= 5 && c <= 30)) << c;
    counts.push_back(c);
    const std::string cycles = std::to_string(c);
    EXPECT_EQ(ui().PhaseText, "Auto Phase: " + std::to_string(n + 1) + "  (Dormant)   Cycle: " + cycles + " of " + cycles + "   ");
    EXPECT_TRUE(m().EruptType == Style::Plinian && m().MapOn == 8 && m().Topo[640] < 60);
    EXPECT_DOUBLE_EQ(m().TotalHours, c * (20 * 1e5 + 20 * 1e7));
    int deposit = 0;
    for (int x = 1; x <= 1280; ++x) deposit += m().Strat(n + 1, x) == m().Topo[x] && m().Topo[x] > m().Strat(n, x);
    EXPECT_GT(deposit, 0);
  }
  EXPECT_TRUE(std::find(counts.begin(), counts.end(), 30) != counts.end() &&
              std::any_of(counts.begin(), counts.end(), [](int c) { return c > 5 && c < 30; }));
}

// Diatreme rock (colour 5) does not wear; the despiking levels a single-column spike with its
// left neighbour.
TEST_F(ErodeTest, DiatremeRockStandsAndTheDespikingTakesOffASingleColumnSpike) {
  layers(2, [](int x) {
    const int d = std::abs(x - 640);
    return d == 0 ? 60.0f : d <= 240 ? 40.0f : d < 260 ? 40.0f - (d - 240) * 1.5f : 10.0f;
  });
  for (int x = 1; x <= 1280; ++x) m().Strat(1, x) = 10;
  m().LayerColor[2] = 5;
  const auto before = m().Topo;
  erode(1);
  ASSERT_EQ(m().ErodeCycles, 1);
  for (int x = 382; x <= 898; ++x) ASSERT_EQ(m().Topo[x], x == 640 ? 40.0f : before[x]) << x;
  EXPECT_EQ(m().Strat(2, 640), 40);
}

// The first cycle over tephra (e = 1): each column x moves by al (left - x) + ar (right - x),
// al and ar the means of its and its neighbour's height over the highest (for a hollow, one
// less that), the sweep running left to right over already eroded columns.
TEST_F(ErodeTest, TheFirstCycleIsOneDiffusionSweepOverTheRelief) {
  buildCone(640, 30, 30);
  std::array<double, 1281> t{};
  std::copy(m().Topo.begin(), m().Topo.end(), t.begin());
  for (int x = 640 - 30; x <= 640 + 30; ++x) {
    const bool hollow = t[x - 1] - 2 * t[x] + t[x + 1] > 0;
    const auto f = [&](int p) { return hollow ? 1 - t[p] / 30 : t[p] / 30; };
    t[x] += (f(x - 1) + f(x)) / 2 * (t[x - 1] - t[x]) + (f(x + 1) + f(x)) / 2 * (t[x + 1] - t[x]);
  }
  PerColumn<float> afterCycle{};
  ui().mnuRecPlay.checked = true, m().PlayErodeCycles = 1;
  host.onYield = [&] { afterCycle = m().ErodeCycles == 0 ? m().Topo : afterCycle; };
  typeErode(sim);
  for (int x = 1; x <= 1280; ++x) ASSERT_NEAR(afterCycle[x], t[x], 1e-4) << x;
}

// Heights count within 0..highest: ground below the base level (a caldera floor, a one-column
// pit at the vent) is as low as the base, or the step would amplify the relief without bound.
TEST_F(ErodeTest, GroundBelowTheBaseLevelErodesToFiniteHeightsNoRougherThanBefore) {
  const std::pair<const char*, std::function<void()>> grounds[] = {
      {"Mazama caldera",
       [this] {
         buildCone(640, 60, 300);
         accept(Style::Plinian, "0.90", "0", "40");
         ui().chkCaldDiat.checked = true, ui().CaldStyle.text = "Mazama Type";
         eruptUntil(30);
         ASSERT_LT(*std::min_element(m().Topo.begin() + 1, m().Topo.end()), 0);
       }},
      {"sunk section", [this] { buildCone(640, 60, 200), layers(1, [this](int x) { return m().Topo[x] - 100; }); }},
      {"sawtooth", [this] { layers(1, [](int x) { return x % 2 ? 1.0f : -1.0f; }); }},
      {"crater", [this] { layers(1, [](int x) { return std::min(std::abs(x - 640) - 30.0f, 0.0f); }); }},
      {"shallow pit", [this] { layers(1, [](int x) { return x == 640 ? -50.0f : 0.0f; }); }},
      {"deep pit", [this] { layers(1, [](int x) { return x == 640 ? -400.0f : 0.0f; }); }}};
  for (const auto& [name, ground] : grounds) {
    SCOPED_TRACE(name);
    clearVar(sim);
    ground();
    const float before = roughness();
    playBack(4);
    EXPECT_TRUE(m().ErodeCycles == 4 && roughness() <= before) << roughness();
  }
}
}  // namespace
}  // namespace magmo::test
