// The explosive styles: Strombolian bombs, Plinian fall, phreatic plumes and explosions,
// pyroclastic flows and surges.
#include <algorithm>
#include <cmath>
#include <numeric>
#include <set>

#include "model/Numeric.h"
#include "styles/Ballistic.h"
#include "styles/FlowSpeed.h"
#include "styles/TephraSteps.h"
#include "support/StyleFixture.h"

namespace magmo::test {
namespace {
class ExplosiveTest : public StyleTest {
 protected:
  void acceptFlows(const char* strength, const char* particles, bool directed = false) {
    accept(Style::Pfs, strength, "0", particles);
    ui().chkDirected.checked = directed;
  }
};

// A wind stronger than their throw carries every bomb downwind; each landing leaves 10 m of
// scoria, less what the crater takes.
TEST_F(ExplosiveTest, AStrongWindCarriesEveryStrombolianBombDownwind) {
  accept(Style::Stromb, "0.10", "50");
  eruptUntil(2);
  const auto landings = points(6);
  ASSERT_FALSE(landings.empty());
  for (const auto& c : landings) EXPECT_GT(c.x1, 640);
  const float left = std::accumulate(m().Topo.begin(), m().Topo.begin() + 640, 0.0f);
  const float right = std::accumulate(m().Topo.begin() + 641, m().Topo.end(), 0.0f);
  EXPECT_TRUE(right > left && left + m().Topo[640] + right <= 0.5f * landings.size());
}

TEST_F(ExplosiveTest, DiatremeCutsAPitToTheBaseThroughTheOlderCone) {
  buildCone(640, 60, 300);
  accept(Style::Stromb, "0.30");
  ui().chkCaldDiat.checked = true;
  eruptUntil(1);
  EXPECT_TRUE(m().LayerColor[2] == 5 && m().LayerBase[2] == 0 && m().Strat(1, 640) == 0);
}

// Burst n lays PartCount / (50 Scale) within Strength e^n columns of the vent; the crater (half-width
// 10 Strength columns at 20 m, a unit deeper each burst) clears its part again.
TEST_F(ExplosiveTest, TheFirstPlinianBurstsLayANarrowFall) {
  accept(Style::Plinian, "0.60", "0", "40");
  eruptUntil(3);
  for (int x = 1; x <= 1280; ++x) {
    float expected = 0;
    for (int n = 1; n <= 3; ++n) {
      const double reach = 0.6 * std::exp(double(n));
      const bool laid = std::abs(x - 640) > cint(0.6 * 10) && x >= cint(640 - reach) && x <= cint(640 + reach);
      expected += laid ? 40 / (50 * 20.0f) : 0;
    }
    ASSERT_NEAR(m().Topo[x], expected, 1e-6) << x;
  }
}

// Strength 1 throws pumice off both ends: from the 7th burst the fall covers the whole reach,
// from the 20th it grows only where it reaches further than before.
TEST_F(ExplosiveTest, PlinianFallCoversTheWholeReachThenOnlyGrowsOutward) {
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

TEST_F(ExplosiveTest, UnderMoonGravityOnlyThePlinianColumnWithinTheDrawingIsDrawn) {
  selectGravity(sim, GravityItem::Moon);
  accept(Style::Plinian, "0.60");
  eruptUntil(3);
  int drawn = 0;
  for (const auto& c : host.canvas.calls) {
    if (c.kind != DrawCall::Point || c.persistent) continue;
    ASSERT_GT(c.y1, -10 - c.penWidth) << "a point far above the drawing";
    ++drawn;
  }
  EXPECT_TRUE(drawn > 0 && *std::max_element(m().Topo.begin(), m().Topo.end()) > 0);
}

// A bomb rises w²/2g above the vent at t = w/g and is back at the vent's height at t = 2w/g.
TEST_F(ExplosiveTest, ABombFliesAParabolaUnderGravity) {
  m().VentX = 640, m().Topo[640] = 100, m().GravityScaled = 0.5f, m().WindScaled = 0;
  m().PartU[1] = 3, m().PartW[1] = 10;
  for (auto [t, x, y] : {std::tuple{20.0f, 700, 400.0f}, {40.0f, 760, 500.0f}}) {
    m().BurstTime = t;
    EXPECT_EQ(std::pair(flightPoint(m(), 1, 0).x, flightPoint(m(), 1, 0).y), std::pair(x, y)) << t;
  }
}

// A caldera is of the Mazama type where a cone stands on either side of the vent, else Valles.
TEST_F(ExplosiveTest, TheCalderaTypeFollowsTheGroundFiftyColumnsEachSideOfTheVent) {
  const struct { float left, right; const char* type; } cases[] = {
      {100, 100, "Valles Type"}, {84, 100, "Mazama Type"}, {100, 84, "Mazama Type"}, {86, 86, "Valles Type"}};
  for (const auto& c : cases) {
    m().VentX = 640, m().Topo[640] = 100, m().Topo[590] = c.left, m().Topo[690] = c.right;
    announceCaldera(sim, "Plinian");
    EXPECT_EQ(std::tuple(ui().CaldStyle.text, ui().chkCaldDiat.checked), std::tuple(c.type, true)) << c.left << c.right;
  }
}

TEST_F(ExplosiveTest, PhreaticPlumesStayBelowTheirTopAndInRange) {
  accept(Style::Fumarole, "0.30", "10");
  eruptUntil(2);
  const auto puffs = points(15);
  ASSERT_FALSE(puffs.empty());
  // The explosion box is off.
  EXPECT_TRUE(m().PhBurstCount == 0 && points(0).empty() && points(8).empty() && m().EruptHours > 50 * 0.3 / 100);
  for (const auto& p : puffs) EXPECT_TRUE(p.y1 >= cint(600 - 800 * 0.3f) && p.y1 < 600) << p.y1;
  clearVar(sim);  // a long windy phase at the small scale
  changeScale(sim, ScaleItem::Small);
  accept(Style::Fumarole, "1.00", "50", "10");
  host.canvas.recording = false;
  eruptUntil(19);
  EXPECT_EQ(m().BurstCount, 19);
}

// Int(Rnd x Slider4) more bursts, here none: one burst, whose farthest landing (white marks) is the
// reach and highest block drawn the top; the sound is left a second to fade.
TEST_F(ExplosiveTest, PhreaticExplosionThrowsAtLeastOneBurstAndMeasuresItsBlocks) {
  buildCone(640, 40, 300);
  m().EruptType = Style::Fumarole, m().Strength = 0.8f, m().PartCount = 30, ui().Slider[4].value = 1;
  ui().mnuOptSound.checked = true;
  typePhBurst(sim);
  float reach = 0, top = 600;
  for (const auto& p : points(15)) reach = std::max(reach, std::abs(p.x1 - 640));
  for (int colour : {0, 8})
    for (const auto& p : points(colour)) top = std::min(top, p.y1);
  EXPECT_TRUE(m().PhBurstCount == 1 && reach > 0 && host.sleptMs == 1000);
  EXPECT_TRUE(m().BallisticRange == reach && m().BallisticTop == top && top < 600 - 40);
  std::set<int> counts;  // a draw below Slider4, at least one
  ui().Slider[4].value = 11, ui().mnuOptSound.checked = false;
  for (uint64_t seed = 1; seed <= 8; ++seed) {
    sim.rnd.fixSeed(seed), m().PhBurstCount = 0;
    typePhBurst(sim);
    counts.insert(m().PhBurstCount);
  }
  EXPECT_TRUE(*counts.begin() >= 1 && *counts.rbegin() <= 10 && counts.size() > 2) << counts.size();
}

// Black jets in pairs left and right of the vent, from the rim at half-width CInt(5 x Strength),
// a column wider each plume step, up to the blocks' top, while half-width plus reach stays
// within 50 columns.
TEST_F(ExplosiveTest, PhreaticJetsRiseFromAWideningRimUntilTheBlocksReachIsPassed) {
  accept(Style::Fumarole, "0.30");
  ui().chkFumex.checked = true, ui().Slider[4].value = 11;
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
  const int first = cint(5 * 0.3f), last = intPart(50 - reach);
  size_t jets = 0;
  for (const auto& c : host.canvas.calls) {
    if (c.kind != DrawCall::Line || c.persistent) continue;
    EXPECT_TRUE(std::abs(c.x1 - 640) >= first && std::abs(c.x1 - 640) <= last) << c.x1;
    EXPECT_TRUE(c.y1 == 598 - rim[size_t(c.x1)] && c.y2 == top && c.color == paletteColor(0)) << c.x1;
    EXPECT_FLOAT_EQ(c.x2, c.x1 + (c.x1 > 640 ? 1 : -1) * top * 0.3f / 20);
    ++jets;
  }
  EXPECT_EQ(jets, size_t(2 * (last - first + 1)));
}

// The blast goes away from the highest ground within 200 columns; from a summit, either way;
// without the box the side stays as it was.
TEST_F(ExplosiveTest, DirectedBlastGoesAwayFromTheHighSide) {
  host.canvas.recording = false;
  for (auto [cone, side] : {std::pair{500, 1}, {780, -1}}) {
    clearVar(sim);
    buildCone(cone, 30, 100);
    acceptFlows("0.40", "25", true);
    std::vector<float> launches;
    eruptUntil(1, [&] { launches.assign(m().PartU.begin() + 1, m().PartU.begin() + 26); });
    EXPECT_EQ(m().Directed, side);
    EXPECT_TRUE(std::all_of(launches.begin(), launches.end(), [side](float u) { return (u > 0) == (side > 0); }));
  }
  int rightward = 0;
  for (uint64_t seed = 1; seed <= 8; ++seed) {
    clearVar(sim);
    sim.rnd.fixSeed(seed);
    acceptFlows("0.40", "5", true);
    eruptUntil(1);
    ASSERT_EQ(std::abs(m().Directed), 1);
    rightward += m().Directed > 0;
  }
  EXPECT_TRUE(rightward > 0 && rightward < 8);
  buildCone(500, 30, 100);
  acceptFlows("0.40", "25");
  m().Directed = -1;
  eruptUntil(1);
  EXPECT_EQ(m().Directed, -1);
}

// A change of a flow's speed never carries it past standstill or past twice its launch speed u;
// within those bounds it is kept as it is.
TEST(FlowSpeed, AChangeStopsAtStandstillOrTwiceTheLaunchSpeed) {
  for (float u : {3.0f, 0.5f, -0.5f, -3.0f})
    for (float w : {-2.0f, 0.0f, 2.0f})
      for (float dv : {-100.0f, -0.25f, 0.0f, 0.25f, 100.0f}) {
        const float lo = std::min(0.0f, 2 * u), hi = std::max(0.0f, 2 * u), alone = u + w + dv;
        EXPECT_EQ(u + w + limitedSpeedChange(dv, u, w), dv <= 0 ? std::max(alone, lo) : std::min(alone, hi))
            << u << " " << w << " " << dv;
      }
}

// The speed falls by StrengthC x GravityScaled per second on flat ground; the flow moves while it
// makes at least a column a second, then leaves 10 m where it stops.
TEST_F(ExplosiveTest, AFlowOnFlatGroundIsStoppedByFrictionAloneAndLeavesTenMetres) {
  host.canvas.recording = false;
  acceptFlows("0.20", "1");  // StrengthC 0.83: short runs
  float u = 0;
  bool cameToRest = false;
  PerColumn<float> beforeDeposit{};  // the ground as the flow left it, before the runout deposit
  host.onYield = [&] {
    if (m().BurstCount != 1 || cameToRest) return;
    u = u == 0 ? m().PartU[1] : u;
    beforeDeposit = m().Topo;
    cameToRest = m().PartDone[1] == 1;
    if (m().RunStop != RunState::Stopping) cmdHaltClick(sim);
  };
  cmdEruptClick(sim);
  const double dt = 0.3 * (1 - m().StrengthC) / std::sqrt(20.0);
  const double slowing = dt * m().StrengthC * m().GravityScaled, speed = std::abs(u);
  const int moves = speed >= 1 ? static_cast<int>((speed - 1) / slowing) : 0;
  const double run = dt * (moves * speed - slowing * moves * (moves + 1) / 2.0);
  int changed = 0, column = 0;
  for (int x = 1; x <= 1280; ++x)
    if (beforeDeposit[x] != 0) ++changed, column = x;
  ASSERT_EQ(changed, 1);
  EXPECT_NEAR(column, static_cast<int>(640 + (u > 0 ? run : -run)), 1);
  EXPECT_FLOAT_EQ(beforeDeposit[column], 10.0f / 20);
}

// On flat ground the column's top lies 200 units plus (1.05 - StrengthC)^2 x 8000 / Scale above
// the vent; one time step in ten draws a grey point. A vent 200 units up leaves no room.
TEST_F(ExplosiveTest, OpeningFlowColumnRisesToItsTopOnlyWhereThereIsRoom) {
  const float top = 400 - 0.42f * 0.42f * 400;
  const auto columnPoints = [&] {  // grey points before the first burst
    acceptFlows("0.40", "5");      // StrengthC 0.63
    host.canvas.clear();
    size_t beforeBurst = 0;
    host.onYield = [&] {
      if (m().BurstCount == 0) beforeBurst = host.canvas.calls.size();
      if (m().BurstCount >= 1 && m().RunStop != RunState::Stopping) cmdHaltClick(sim);
    };
    cmdEruptClick(sim);
    host.onYield = nullptr;  // it refers to this call's beforeBurst
    int n = 0;
    for (auto c = host.canvas.calls.begin(); c != host.canvas.calls.begin() + beforeBurst; ++c)
      if (c->color == paletteColor(7)) {
        EXPECT_TRUE(c->y1 >= top - 1e-3 && c->y1 <= 600 && c->penWidth == 2) << c->y1;
        ++n;
      }
    return n;
  };
  const double steps = (top - 1) / (0.3 * 0.37 / std::sqrt(20.0));
  EXPECT_NEAR(columnPoints(), 0.1 * steps, 5 * std::sqrt(steps * 0.09));
  clearVar(sim);
  buildCone(640, 200, 400);
  EXPECT_TRUE(columnPoints() == 0 && m().BurstCount == 1);
}
}  // namespace
}  // namespace magmo::test
