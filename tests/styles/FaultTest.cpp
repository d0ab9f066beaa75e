#include <algorithm>

#include "model/Numeric.h"
#include "styles/Styles.h"
#include "support/SimFixture.h"

namespace magmo::test {
namespace {

class FaultTest : public SimTest {
 protected:
  // Two flat layers, the surface on the top one; then a fault from the tectonic panel's fields
  // (12.00 km is column 600 at 20 m per column).
  void faultCake(float top1, float top2, const char* magnitude, const char* dip, const char* down = "Right side down") {
    m().LayerCount = 2;
    for (int x = 1; x <= 1280; ++x) {
      m().Strat(1, x) = top1;
      m().Topo[x] = m().Strat(2, x) = top2;
    }
    ui().txtTloc.text = "12.00";
    ui().txtMag.text = magnitude;
    ui().txtDip.text = dip;
    ui().Down.text = down;
    fault(sim);
  }
};

TEST_F(FaultTest, AVerticalFaultDropsTheChosenSideByTheThrowButNeverBelowZero) {
  std::string progress;
  host.onYield = [&] { progress = progress.empty() ? ui().statusBar2[2] : progress; };
  for (auto [down, top1, top2] : {std::tuple{"Left side down", 50.0f, 60.0f}, {"Right side down", 50.0f, 60.0f},
                                  {"any other text", 3.0f, 4.0f}}) {
    faultCake(top1, top2, "5", "0", down);
    const bool leftDown = std::string(down) == "Left side down";
    for (int x = 1; x <= 1280; ++x) {
      const bool dropped = leftDown ? x <= 600 : x >= 600;
      ASSERT_EQ(m().Strat(2, x), dropped ? std::max(top2 - 5, 0.0f) : top2) << down << x;
      ASSERT_EQ(m().Strat(1, x), dropped ? std::max(top1 - 5, 0.0f) : top1) << down << x;
      ASSERT_EQ(m().Topo[x], m().Strat(2, x));
    }
  }
  EXPECT_EQ(progress, "Phase: 2  (Dormant)   Cycle:   ");
  EXPECT_TRUE(ui().opFault.checked);
  EXPECT_DOUBLE_EQ(m().EruptHours, 3 * (20 * 100 * 5 + 20 * 1e7));
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(FaultTest, ADippingFaultMovesItsTraceByTheDipForEveryUnitOfThrowLeftOver) {
  // Dip 2, throw 3: each unit of throw moves the trace 2 columns right; a layer thinner than
  // the throw moves it back 2 columns per unit of throw it leaves over.
  for (float top2 : {60.0f, 51.0f}) {
    faultCake(50, top2, "3", "2");
    const int leftOver = top2 < 53 ? 3 - static_cast<int>(top2 - 50) : 0;
    const int start1 = 600 + 2 * 3 - 2 * leftOver;
    for (int x = 595; x < 640; ++x) {
      const int drop2 = x < 600 ? 0 : std::min((x - 600) / 2 + 1, 3);
      const int drop1 = x < start1 ? 0 : std::min((x - start1) / 2 + 1, 3);
      ASSERT_EQ(m().Strat(2, x), top2 - drop2) << top2 << " " << x;
      ASSERT_EQ(m().Strat(1, x), std::min(50.0f - drop1, m().Strat(2, x))) << top2 << " " << x;
    }
  }
}

TEST_F(FaultTest, NoThrowOnlyLaysTheSurfaceOnTheTopLayerAndABadLocationIsReported) {
  faultCake(50, 60, "0", "0");
  m().Strat(1, 300) = 70;  // above the layer over it: a truncation would cut it
  m().Topo[400] = 99;
  host.canvas.clear();
  fault(sim);
  EXPECT_EQ(m().Strat(1, 300), 70);
  EXPECT_EQ(m().Topo[400], 60);
  EXPECT_TRUE(host.canvas.calls.empty());  // no redraw

  faultCake(50, 60, "5", "0");
  ui().txtTloc.text = "100.00";
  fault(sim);
  EXPECT_EQ(host.messages, std::vector<std::string>{"Fault error: \nSubscript out of range"});
  EXPECT_EQ(m().Strat(2, 1280), 55);  // only the first, valid fault moved it
}

TEST_F(FaultTest, AutomaticFaultsDropTheSideAwayFromHighGroundAndMayRepeat) {
  host.canvas.recording = false;
  int single = 0, repeated = 0;
  for (uint64_t seed = 1; seed <= 12; ++seed) {
    clearVar(sim);
    ui().mnuParAuto.checked = ui().mnuOptSound.checked = true;
    sim.rnd.fixSeed(seed);
    m().LayerCount = m().UndoLayer2 = 30;
    for (int x = 1; x <= 1280; ++x)
      for (int k = 1; k <= 30; ++k) m().Topo[x] = m().Strat(k, x) = (300 - x * 0.2f) * k / 30;  // high on the left
    const auto before = m().Topo;
    m().VentX = seed % 2 ? 50 : 1230;
    m().EruptType = Style::Stromb;
    // The draws of each fault in the order it makes them, and whether it repeats.
    Random r = sim.rnd;
    int faultX = 0, magnitude = 0, runs = 0;
    do {
      const int sign = r.next() < 0.5 ? -1 : 1;
      faultX = std::clamp(cint(m().VentX + 300 * r.next() * sign), 40, 1240);
      magnitude = intPart(30 * r.next() / 10) + 1;
      r.next();
      ++runs;
    } while (r.next() > 0.4);
    host.sounds.clear();
    do fault(sim);
    while (faultRepeats(sim));
    EXPECT_EQ(std::count(host.sounds.begin(), host.sounds.end(), sim.paths.sound("Fault.wav") + " (loop)"), runs);
    EXPECT_EQ(ui().txtTloc.text, format(faultX * 20 / 1000.0, "0.00"));
    EXPECT_EQ(ui().txtMag.text, format(magnitude, "0"));
    EXPECT_EQ(m().EruptType, Style::Stromb);  // the cycle still knows the last eruption
    if (runs > 1) {
      ++repeated;
      continue;
    }
    ++single;
    for (int x = 1; x < faultX; ++x) ASSERT_EQ(m().Topo[x], before[x]) << seed;
    EXPECT_LT(m().Topo[1240], before[1240]);
    EXPECT_DOUBLE_EQ(m().TotalHours, 20 * 100 * magnitude + 20 * 1e7);
  }
  EXPECT_GT(single, 0);
  EXPECT_GT(repeated, 0);
}

}  // namespace
}  // namespace magmo::test
