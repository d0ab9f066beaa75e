#include <cmath>

#include "support/StyleFixture.h"

namespace magmo::test {
namespace {

class PfsTest : public StyleTest {
 protected:
  PfsTest() { host.canvas.recording = false; }
  void accept(const char* strength, const char* particles = "25", bool directed = false) {
    StyleTest::accept(Style::Pfs, strength, "0", particles);
    ui().chkDirected.checked = directed;
  }
};

// The blast goes away from the highest ground within 200 columns; from a summit, either way.
TEST_F(PfsTest, DirectedBlastGoesAwayFromTheHighSide) {
  for (auto [cone, side] : {std::pair{500, 1}, {780, -1}}) {
    clearVar(sim);
    buildCone(cone, 30, 100);
    accept("0.40", "25", true);
    std::vector<float> launches;
    eruptUntil(1, [&] { launches.assign(m().PartU.begin() + 1, m().PartU.begin() + 26); });
    EXPECT_EQ(m().Directed, side);
    for (float u : launches) EXPECT_EQ(u > 0, side > 0);
  }
  int rightward = 0;
  for (uint64_t seed = 1; seed <= 8; ++seed) {
    clearVar(sim);
    sim.rnd.fixSeed(seed);
    accept("0.40", "5", true);
    eruptUntil(1);
    ASSERT_EQ(std::abs(m().Directed), 1);
    rightward += m().Directed > 0;
  }
  EXPECT_TRUE(rightward > 0 && rightward < 8);
  buildCone(500, 30, 100);  // without the box the side stays as it was
  accept("0.40");
  m().Directed = -1;
  eruptUntil(1);
  EXPECT_EQ(m().Directed, -1);
}

// The speed falls by StrengthC x GravityScaled per second on flat ground; the flow moves while it
// makes at least a column a second, then leaves 10 m where it stops.
TEST_F(PfsTest, AFlowOnFlatGroundIsStoppedByFrictionAloneAndLeavesTenMetres) {
  accept("0.20", "1");  // StrengthC 0.83: short runs
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
TEST_F(PfsTest, OpeningColumnRisesToItsTopOnlyWhereThereIsRoom) {
  host.canvas.recording = true;
  const float top = 400 - 0.42f * 0.42f * 400;
  const auto columnPoints = [&] {  // grey points before the first burst
    accept("0.40", "5");            // StrengthC 0.63
    host.canvas.clear();
    size_t beforeBurst = 0;
    host.onYield = [&] {
      if (m().BurstCount == 0) beforeBurst = host.canvas.calls.size();
      if (m().BurstCount >= 1 && m().RunStop != RunState::Stopping) cmdHaltClick(sim);
    };
    cmdEruptClick(sim);
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
  EXPECT_EQ(columnPoints(), 0);
  EXPECT_EQ(m().BurstCount, 1);
}

}  // namespace
}  // namespace magmo::test
