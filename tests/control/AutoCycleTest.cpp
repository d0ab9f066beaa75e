#include "control/AutoCycle.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <set>

#include "control/Params.h"
#include "model/Numeric.h"
#include "support/SimFixture.h"

namespace magmo::test {
namespace {

const std::map<std::string, int> kAutoTitles = {
    {"Pyroclastic Flow/Surge Eruption", 1}, {"Strombolian (Scoria) Eruption", 2}, {"Hawaiian (Basaltic) Lava Eruption", 3},
    {"Peléean (Silicic) Dome Eruption", 4}, {"Plinian (Pumice) Eruption", 5},    {"Sector Collapse Eruption", 6},
    {"Fumarolic/Phreatic Eruption", 7},     {"Faulting Interval", 0},            {"Erosion Interval", 0}};

// A draw falls in the first interval whose upper bound it reaches; the phreatic style joins the
// draws of the basaltic and silicic styles only from twenty layers on.
TEST(AutoTransitionTest, IntervalsAreClosedAboveAndPhreaticNeedsAnEstablishedVolcano) {
  EXPECT_EQ(nextAutoStyle(Style::Pfs, 0, 0.3), Style::Pfs);
  EXPECT_EQ(nextAutoStyle(Style::Pfs, 0, 0.30001), Style::Stromb);
  EXPECT_EQ(nextAutoStyle(Style::Pfs, 0, 1.0), Style::Plinian);
  for (Style s : {Style::Stromb, Style::Lava, Style::Dome})
    EXPECT_EQ(std::pair(nextAutoStyle(s, 19, 0.9999), nextAutoStyle(s, 20, 0.9999)), std::pair(Style::Plinian, Style::Fumarole))
        << int(s);
  EXPECT_EQ(nextAutoStyle(Style::Collapse, 0, 0.0), Style::Pfs);  // a collapse never repeats
  EXPECT_EQ(nextAutoStyle(Style::Fumarole, 0, 0.9999), Style::Fumarole);
}

class AutoCycleTest : public SimTest {
 protected:
  struct Phase {
    std::string title;
    int previous, style, layers;
  };

  AutoCycleTest() {
    host.canvas.recording = false;  // whole phases draw far more than any test looks at
    chooseAuto();
  }
  // A reset selects the automatic mode again when it was the last choice.
  void chooseAuto() { if (!sim.autoMode()) selectAuto(sim); }
  // A flat section of n layers.
  void layers(int n) {
    m().LayerCount = n;
    for (int k = 1; k <= n; ++k) m().LayerColor[k] = 2, m().LayerVentX[k] = 640;
  }
  // A fresh automatic run over n flat layers with the given seed.
  void restart(int n, uint64_t seed) {
    clearVar(sim);
    chooseAuto();
    layers(n);
    phases.clear();
    sim.rnd.fixSeed(seed);
  }

  // A seed whose first two draws (the faulting and the erosion draw of the first cycle) fall
  // above or below 0.9 as asked.
  uint64_t seedWithFirstDraws(bool faultDraw, bool erosionDraw) {
    for (uint64_t seed = 1;; ++seed) {
      Random r;
      r.fixSeed(seed);
      const bool a = r.next() > 0.9, b = r.next() > 0.9;
      if (a == faultDraw && b == erosionDraw) return seed;
    }
  }

  // Runs the automatic cycle as the Erupt button starts it, noting each interval and eruption as
  // the cycle announces it (a style may repeat its title later) and stopping (Pause, then Stop)
  // when `stopHere` says so.
  void run(const std::function<bool(const std::vector<Phase>&)>& stopHere) {
    bool eruptionNoted = false;
    host.onYield = [this, stopHere, eruptionNoted]() mutable {
      if (ui().Change.caption == "Auto Eruption Parameters") {  // a cycle begins
        ui().Change.caption.clear();
        eruptionNoted = false;
      }
      auto it = kAutoTitles.find(ui().statusBar2[1]);
      if (it == kAutoTitles.end() || eruptionNoted) return;
      ui().statusBar2[1].clear();
      const bool eruption = it->second > 0;
      eruptionNoted = eruption;
      if (eruption)
        expectAutoPanel(Style(it->second), it->first);
      else  // an interval shows the tectonic panel alone
        EXPECT_TRUE(ui().Tectonic.visible && !ui().Change.visible && !ui().Legend.visible) << it->first;
      phases.push_back({it->first, int(m().EruptSub), eruption ? int(m().EruptType) : 0, m().LayerCount});
      if (m().RunStop == RunState::Running && stopHere(phases)) {
        cmdHaltClick(sim);
        cmdHaltClick(sim);
      }
    };
    m().RunStop = RunState::Running;
    typeAuto(sim);
    host.onYield = nullptr;
  }
  void runUntilEruptions(size_t n) {
    run([n](const std::vector<Phase>& seen) {
      return std::count_if(seen.begin(), seen.end(), [](const Phase& p) { return p.style > 0; }) >= long(n);
    });
  }
  int count(const std::string& title) const {
    return int(std::count_if(phases.begin(), phases.end(), [&](const Phase& p) { return p.title == title; }));
  }

  // The panel shows what an automatic phase of the style drew, and none of it can be edited.
  void expectAutoPanel(Style s, const std::string& title) {
    SCOPED_TRACE(title);
    const bool lava = isLava(s), collapse = s == Style::Collapse;
    EXPECT_TRUE(ui().Change.visible && !ui().Change.enabled && !ui().Tectonic.visible);
    EXPECT_EQ(std::tuple(ui().txtLoc.enabled, ui().txtStr.enabled, ui().txtWind.enabled, ui().panTephra.visible,
                         ui().panCol.visible, ui().chkFumex.visible),
              std::tuple(!collapse, !lava, !lava && !collapse, s == Style::Pfs || s == Style::Stromb || s == Style::Plinian,
                         collapse, s == Style::Fumarole));
  }

  void expectIdle() {
    EXPECT_EQ(std::tuple(ui().statusBar2[2], ui().statusBar2[1], ui().cmdErupt.caption),
              std::tuple("Dormant   ", "Select Parameters or Continue with Auto Eruption", "&AutoErupt"));
    EXPECT_TRUE(ui().cmdErupt.enabled && ui().cmdErupt.isDefault && !ui().cmdHalt.enabled);
    EXPECT_TRUE(ui().Legend.visible && ui().mnuViewLedg.checked && !ui().Change.visible && !ui().Tectonic.visible);
  }

  std::vector<Phase> phases;
};

TEST_F(AutoCycleTest, EachEruptionFollowsFromThePreviousUntilStopped) {
  ASSERT_EQ(m().EruptType, Style::Tectonic);
  runUntilEruptions(8);
  std::vector<Phase> eruptions;
  std::copy_if(phases.begin(), phases.end(), std::back_inserter(eruptions), [](const Phase& p) { return p.style; });
  ASSERT_EQ(eruptions.size(), 8u);
  // With no style chosen before, the first draw is made from the flow/surge row.
  for (size_t i = 0; i < eruptions.size(); ++i) EXPECT_EQ(eruptions[i].previous, i ? eruptions[i - 1].style : 1) << i;
  EXPECT_TRUE(ui().EruptTitle == "Auto Eruption" && m().LayerCount >= 8);
  expectIdle();
}

TEST_F(AutoCycleTest, StaticRunNeverFaultsErodesOrPoursLava) {
  layers(30);
  m().EruptType = Style::Lava;  // a Hawaiian volcano would most often stay Hawaiian
  ui().mnuParStatic.checked = true;
  sim.rnd.fixSeed(seedWithFirstDraws(true, true));
  runUntilEruptions(8);
  EXPECT_EQ(count("Faulting Interval") + count("Erosion Interval"), 0);
  for (const Phase& p : phases) EXPECT_TRUE(p.style != 3 && p.style != 4) << p.title;
  EXPECT_EQ(std::pair(m().LayerCount, ui().modeText()), std::pair(30, std::string("Auto Erupt (Static)")));
}

TEST_F(AutoCycleTest, FaultingNeedsElevenLayersAndErosionTwentyOne) {
  // Layers, the two draws, and the interval expected before the first eruption, if any.
  for (const auto& [n, faultDraw, erosionDraw, interval] : {std::tuple{10, true, false, ""}, {11, true, false, "Faulting Interval"},
                                                            {20, false, true, ""}, {21, false, true, "Erosion Interval"}}) {
    SCOPED_TRACE(n);
    restart(n, seedWithFirstDraws(faultDraw, erosionDraw));
    runUntilEruptions(1);
    ASSERT_EQ(phases.size(), *interval ? 2u : 1u);
    if (*interval) { EXPECT_EQ(std::pair(phases[0].title, phases[0].layers), std::pair(std::string(interval), n)); }
  }
}

TEST_F(AutoCycleTest, StopDuringFaultingEndsTheRunAndReturnsToIdle) {
  // A first cycle with both intervals, so the stop also has an erosion to prevent.
  uint64_t seed = 0;
  for (uint64_t s = 1; s < 2000 && !seed; ++s) {
    restart(25, s);
    run([](const std::vector<Phase>& seen) { return seen.size() == 2; });
    if (phases.size() == 2 && phases[0].title == "Faulting Interval" && phases[1].title == "Erosion Interval") seed = s;
  }
  ASSERT_NE(seed, 0u);
  restart(25, seed);
  run([](const std::vector<Phase>& seen) { return seen.back().title == "Faulting Interval" || seen.size() > 3; });
  ASSERT_EQ(phases.size(), 1u);  // neither the erosion nor an eruption followed
  EXPECT_EQ(std::tuple(phases[0].title, m().LayerCount, m().RunStop), std::tuple("Faulting Interval", 25, RunState::Stopping));
  expectIdle();
}

TEST_F(AutoCycleTest, PauseDuringFaultingHoldsTheRunUntilResumed) {
  layers(12);
  sim.rnd.fixSeed(seedWithFirstDraws(true, false));
  int heldTurns = 0;
  bool resumed = false, announcedWhilePaused = false;
  host.onYield = [&] {
    const bool announced = kAutoTitles.count(ui().statusBar2[1]) > 0;
    if (m().RunStop == RunState::Paused && announced && ui().statusBar2[1] != "Faulting Interval") announcedWhilePaused = true;
    if (ui().statusBar2[1] == "Faulting Interval" && m().RunStop == RunState::Running && !resumed) {
      ui().statusBar2[1].clear();
      cmdHaltClick(sim);
    } else if (m().RunStop == RunState::Paused && ++heldTurns == 100) {  // longer than the fault itself yields
      cmdEruptClick(sim);
      resumed = true;
    } else if (resumed && announced && m().RunStop == RunState::Running) {
      cmdHaltClick(sim);
      cmdHaltClick(sim);
    }
  };
  m().RunStop = RunState::Running;
  typeAuto(sim);
  // The next eruption waited for the resume.
  EXPECT_EQ(std::tuple(resumed, announcedWhilePaused, m().LayerCount > 12), std::tuple(true, false, true));
}

TEST_F(AutoCycleTest, FullTableSwitchesToStaticWithOneMessage) {
  layers(kMaxLayers - 1);
  sim.rnd.fixSeed(seedWithFirstDraws(false, false));
  run([](const std::vector<Phase>& seen) { return seen.size() > 3; });
  // The wording is pinned where the vent opens the last layer.
  EXPECT_EQ(std::tuple(m().LayerCount, phases.size(), ui().mnuParStatic.checked, ui().modeText(), host.messages.size()),
            std::tuple(kMaxLayers, size_t(1), true, "Auto Erupt (Static)", size_t(1)));
  expectIdle();
}

class VentAutoPosTest : public SimTest {
 protected:
  int moveFrom(int x, int type, int layers, VentMove mode = VentMove::Normal) {
    m().VentX = x, m().EruptType = Style(type), m().LayerCount = layers;
    ventAutoPos(sim, mode);
    return m().VentX;
  }
};

TEST_F(VentAutoPosTest, NormalMovesStayOnTheVentColumnsAndSometimesMirror) {
  for (int type = 1; type <= 7; ++type)
    for (int layers : {0, 6, 7})
      for (int start : {50, 640, 1230})
        for (int i = 0; i < 40; ++i) {
          const int x = moveFrom(start, type, layers);
          ASSERT_TRUE(x >= kVentMin && x <= kVentMax) << type << " " << layers << " " << start << " " << x;
        }
  int fromCentre = 0, nearCentre = 0, mirrored = 0;
  for (int i = 0; i < 300; ++i) {
    fromCentre = std::max(fromCentre, std::abs(moveFrom(640, 1, 0) - 640));
    nearCentre = std::max(nearCentre, std::abs(moveFrom(641, 1, 0) - 641));
    mirrored += moveFrom(300, 1, 7) > 880;  // 1280 - 300, give or take a step of at most 100
  }
  EXPECT_GT(fromCentre, 150);  // the first vent may land anywhere within 590 columns of the centre
  EXPECT_LE(nearCentre, 100);  // a flow/surge vent steps at most 100 columns
  EXPECT_TRUE(mirrored > 10 && mirrored < 60) << mirrored;  // about one move in ten
  m().Scale = 100;
  moveFrom(333, 1, 7);
  EXPECT_NEAR(numVal(ui().txtLoc.text), m().VentX * 0.1, 0.05);  // 100 m per column
}

TEST_F(VentAutoPosTest, ConeBuildingKeepsTheVentNearTheCone) {
  ui().ConeVentX = 700;
  std::set<int> seen;
  for (int i = 0; i < 400; ++i) seen.insert(moveFrom(1000, 2, 40, VentMove::ConeBuilding));
  EXPECT_EQ(std::pair(*seen.begin(), *seen.rbegin()), std::pair(680, 720));
}

TEST_F(AutoCycleTest, ConeBuildingEpisodeEndsAtItsLayerEvenWhenSteppedPast) {
  int coneEnd = 30;
  ui().ConeBuilding = true, m().LayerCount = 29;
  updateConeBuilding(sim, coneEnd);
  EXPECT_TRUE(ui().ConeBuilding && coneEnd == 30);
  m().LayerCount = 31;  // an erosion interval added a layer of its own
  updateConeBuilding(sim, coneEnd);
  EXPECT_TRUE(!ui().ConeBuilding || coneEnd >= 31 + 5);
  // An episode carried over from an earlier run (no end in this run) lasts on.
  coneEnd = 0, ui().ConeBuilding = true;
  updateConeBuilding(sim, coneEnd);
  EXPECT_TRUE(ui().ConeBuilding && coneEnd == 0);
  // New episodes begin about one cycle in ten, 5 to 20 layers long, at the current vent.
  int episodes = 0;
  m().VentX = 20;  // a vent column from a file may lie outside the vent range
  for (int i = 0; i < 1000; ++i) {
    ui().ConeBuilding = false;
    updateConeBuilding(sim, coneEnd);
    if (!ui().ConeBuilding) continue;
    ++episodes;
    EXPECT_TRUE(coneEnd >= 31 + 5 && coneEnd <= 31 + 20 && ui().ConeVentX == kVentMin) << coneEnd << " " << ui().ConeVentX;
  }
  EXPECT_TRUE(episodes > 60 && episodes < 140) << episodes;
}

}  // namespace
}  // namespace magmo::test
