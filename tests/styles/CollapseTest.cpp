#include <functional>
#include <memory>
#include <numeric>

#include "model/Numeric.h"
#include "styles/Styles.h"
#include "styles/ZoneLowest.h"
#include "support/StyleFixture.h"

namespace magmo::test {
namespace {
// Two cones over a plateau of 5 that rises into walls near both ends, symmetric about column
// 640; the flank from `vent` down to `base` is to collapse.
void volcano(Model& m, int vent, int base, float strength) {
  m.LayerCount = 3;
  for (int x = 1; x <= 1280; ++x) {
    const int d = std::abs(x - 640);
    m.Strat(1, x) = d > 560 ? 5.0f + (d - 560) * 5 : 5.0f;
    m.Strat(2, x) = std::max(m.Strat(1, x), 200.0f * (1 - d / 400.0f));
    m.Topo[x] = m.Strat(3, x) = std::max(m.Strat(2, x), 250.0f * (1 - d / 250.0f));
  }
  m.EruptType = Style::Collapse, m.VentX = vent, m.CollapseBase = base, m.Strength = strength;
  m.StrengthC = 1.03f - strength;
}

float total(const PerColumn<float>& t, int from, int to) {
  return std::accumulate(t.begin() + from, t.begin() + to + 1, 0.0f);
}

using CollapseTest = StyleTest;

TEST_F(CollapseTest, TheFlankSlidesAwayAndItsDebrisPilesUpInTheRunout) {
  volcano(m(), 640, 790, 0.83f);
  ui().mnuOptMapEnable.checked = true;
  std::string progress;
  host.onYield = [&] { progress = progress.empty() ? ui().statusBar2[2] : progress; };
  const Model before = m();
  typeCollapse(sim);
  EXPECT_TRUE(progress == "Phase: 4   Avalanching   " && m().LayerColor[4] == 15 && m().MapOn == 6);
  EXPECT_TRUE(total(m().Topo, 641, 789) < total(before.Topo, 641, 789) &&
              total(m().Topo, 791, 1280) > total(before.Topo, 791, 1280) && total(m().Topo, 1, 639) == total(before.Topo, 1, 639));
  for (int x = 1; x <= 1280; ++x) {
    ASSERT_EQ(m().Strat(4, x), m().Topo[x]);
    ASSERT_LE(m().Strat(3, x), std::min(before.Strat(3, x), m().Topo[x]));  // cut back, never raised
  }
  EXPECT_DOUBLE_EQ(m().EruptHours, (1 - m().StrengthC) * 20.0);
}

// Pauses every sweep and keeps the surface it left; the last is the avalanche's own work,
// before the strata operations, whose passes run one way across the profile, settle it.
struct SweepWatcher : TestHost {
  Model* model = nullptr;
  PerColumn<float> afterSweep{};
  void yield() override { if (model->RunStop == RunState::Running) model->RunStop = RunState::Paused; }
  void pauseTurn() override {
    afterSweep = model->Topo;
    model->RunStop = RunState::Running;
  }
};

TEST(CollapseMirror, ABaseLeftOfTheVentCollapsesTheMirrorImageTowardColumnOne) {
  PerColumn<float> surface[2];
  for (int side : {0, 1}) {
    SweepWatcher watcher;
    MemorySettings settings;
    auto sim = std::make_unique<Sim>(watcher, settings);
    watcher.model = &sim->m;
    clearVar(*sim);
    volcano(sim->m, 640, side ? 490 : 790, 0.83f);
    typeCollapse(*sim);
    EXPECT_EQ(sim->m.CollapseDir, side ? -1 : 1);
    surface[side] = watcher.afterSweep;
  }
  for (int d = 0; d < 640; ++d) ASSERT_EQ(surface[0][640 + d], surface[1][640 - d]) << d;
  EXPECT_NE(surface[0], surface[1]);
}

// The tree of minima stands in for a scan of the zone after every change: both must find the
// same column, ties going to the first in sweep order, in either direction.
TEST(ZoneLowest, FindsWhatAScanOfTheZoneFinds) {
  Random rnd(7);
  PerColumn<float> topo{};
  for (int dir : {1, -1}) {
    for (float& h : topo) h = float(int(rnd.next() * 20));  // few heights: many ties
    ZoneLowest zone(topo, dir);
    for (int trial = 0; trial < 2000; ++trial) {
      const int x = 1 + int(rnd.next() * 1280);
      topo[x] = float(int(rnd.next() * 20));
      zone.changed(x);
      const int a = 1 + int(rnd.next() * 1280), b = 1 + int(rnd.next() * 1280);
      const int lo = dir > 0 ? std::min(a, b) : std::max(a, b), hi = dir > 0 ? std::max(a, b) : std::min(a, b);
      float m = 15, scanned = 15;
      int cm = 0, scannedAt = 0;
      zone.rescan(lo, hi, m, cm);
      for (int y = lo; dir > 0 ? y <= hi : y >= hi; y += dir)
        if (topo[y] < scanned) scanned = topo[y], scannedAt = y;
      ASSERT_EQ(std::pair(m, cm), std::pair(scanned, scannedAt)) << trial;
    }
  }
}

TEST_F(CollapseTest, TheRunoutAndTheGroundAtTheBaseShapeTheAvalanche) {
  Model before;
  const auto collapseOver = [&](const std::function<float(int)>& height, int base) {
    clearVar(sim);
    host.sleptMs = 0;
    volcano(m(), 600, base, 0.83f);
    m().LayerCount = 1;
    for (int x = 1; x <= 1280; ++x) m().Topo[x] = m().Strat(1, x) = height(x);
    before = m();
    typeCollapse(sim);
  };
  const auto flank = [](int x) { return 100.0f - (x - 600); };
  // No rising ground: the debris starts at the farthest of the equally low columns, the edge.
  collapseOver([&](int x) { return x < 700 ? flank(x) : 0.0f; }, 700);
  EXPECT_EQ(m().Topo[1280], 1);
  // A wall: nothing beyond it is touched.
  collapseOver([&](int x) { return x < 700 ? flank(x) : x > 1000 ? 200.0f : 0.0f; }, 700);
  EXPECT_TRUE(m().Topo[1000] >= 1 && total(m().Topo, 1001, 1280) == total(before.Topo, 1001, 1280));
  // A wall within 30 / (1 - StrengthC) columns of the vent: no sweep, yet the strata settle.
  collapseOver([&](int x) { return x < 630 ? flank(x) : 300.0f; }, 625);
  EXPECT_TRUE(m().Topo == before.Topo && host.sleptMs == 0 && m().Strat(2, 650) == 300);
  // Ground at (611..650) or below (651..699) the 60 of the base is not lowered, but feeds debris.
  collapseOver([](int x) { return x >= 590 && x <= 610 ? 150.0f : x > 650 && x < 700 ? 50.0f : x <= 720 ? 60.0f : 0; },
               700);
  for (int x = 611; x < 700; ++x) ASSERT_EQ(m().Topo[x], before.Topo[x]) << x;
  EXPECT_GT(total(m().Topo, 721, 1280), total(before.Topo, 600, 610) - total(m().Topo, 600, 610));
}

TEST_F(CollapseTest, AStopEndsTheSweepsAfterTheCurrentOne) {
  volcano(m(), 640, 790, 0.83f);
  stopDuringBurst(0);
  typeCollapse(sim);
  EXPECT_EQ(std::pair(host.sleptMs, m().Strat(4, 700)), std::pair(long(intPart(2000 / 6.0)), m().Topo[700]));  // one sweep
  host.onYield = nullptr, m().RunStop = RunState::Running, ui().mnuParAuto.checked = true;
  ui().statusBar2[2] = "Auto Phase: 4   Burst: 9 of 9   ";
  typeCollapse(sim);  // an automatic phase keeps the cycle's progress text
  EXPECT_TRUE(ui().PhaseText == "Auto Phase: 4   Burst: 9 of 9   " && m().EruptSub == Style::Collapse);
}
}  // namespace
}  // namespace magmo::test
