#include <algorithm>

#include "model/Numeric.h"
#include "support/StyleFixture.h"

namespace magmo::test {
namespace {
class FaultTest : public StyleTest {
 protected:
  // Two flat layers, the surface on the top one; then a fault from the tectonic panel's fields
  // (12.00 km is column 600 at 20 m per column).
  void faultCake(float top1, float top2, const char* magnitude, const char* dip, const char* down = "Right side down") {
    layers(2, [top2](int) { return top2; });
    for (int x = 1; x <= 1280; ++x) m().Strat(1, x) = top1;
    ui().txtTloc.text = "12.00", ui().txtMag.text = magnitude, ui().txtDip.text = dip, ui().Down.text = down;
    fault(sim);
  }
};

// Each unit of throw moves the trace |dip| columns into the dropped block: a positive dip drops the
// right block and moves its left edge right, a negative one the left block, whatever Down says, and
// moves its right edge left. A vertical fault drops the side Down names (the right unless it says
// left). No top drops below 0; a layer thinner than the throw moves the trace back |dip| columns
// per unit of throw it leaves over.
TEST_F(FaultTest, TheDipAndDownDecideWhichBlockDropsAndWhereItsEdgeGoes) {
  struct Case { int dip; const char* down; float top1, top2; bool leftDown; int throw_; };
  std::string progress;
  host.onYield = [&] { progress = progress.empty() ? ui().statusBar2[2] : progress; };
  for (const Case& c : {Case{0, "Left side down", 50, 60, true, 5}, {0, "Right side down", 50, 60, false, 5},
                        {0, "any other text", 3, 4, false, 5}, {2, "Left side down", 50, 60, false, 3},
                        {2, "Left side down", 50, 51, false, 3}, {-2, "Right side down", 50, 60, true, 3},
                        {-2, "Right side down", 50, 51, true, 3}, {2, "Left side down", 50, 52, false, 3},
                        {-2, "Right side down", 50, 52, true, 3}}) {
    SCOPED_TRACE(testing::Message() << c.dip << " " << c.down << " " << c.top2);
    faultCake(c.top1, c.top2, std::to_string(c.throw_).c_str(), std::to_string(c.dip).c_str(), c.down);
    const int d = std::abs(c.dip), leftOver = std::max(c.throw_ - int(c.top2 - c.top1), 0);
    for (int u = -5; u < 600; ++u) {  // columns into the dropped block
      const int x = 600 + (c.leftDown ? -u : u);
      const auto drop = [&](int from) { return u < from ? 0 : d ? std::min((u - from) / d + 1, c.throw_) : c.throw_; };
      ASSERT_EQ(m().Strat(2, x), std::max(c.top2 - drop(0), 0.0f)) << x;
      ASSERT_EQ(m().Strat(1, x), std::min(std::max(c.top1 - drop(d * (c.throw_ - leftOver)), 0.0f), m().Strat(2, x))) << x;
      ASSERT_EQ(m().Topo[x], m().Strat(2, x));
    }
  }
  EXPECT_TRUE(progress == "Phase: 2  (Dormant)   Cycle:   " && ui().opFault.checked);
  // No throw only lays the surface on the top layer: no truncation, no redraw.
  faultCake(50, 60, "0", "0");
  m().Strat(1, 300) = 70, m().Topo[400] = 99;
  host.canvas.clear();
  fault(sim);
  EXPECT_TRUE(m().Strat(1, 300) == 70 && m().Topo[400] == 60 && host.canvas.calls.empty());
}

// An automatic fault lies within 300 columns of the vent (and 40..1240), throws 1 to
// LayerCount / 10 + 1 units and dips up to 4 columns a unit, away from the vent; the block away
// from the nearby high ground drops (here always the right one, which keeps the dip).
TEST_F(FaultTest, AutomaticFaultsStayInTheirRangesAndDropTheSideAwayFromHighGround) {
  host.canvas.recording = false;
  int vertical = 0, throws[4] = {};
  for (uint64_t seed = 1; seed <= 20; ++seed) {
    SCOPED_TRACE(seed);
    clearVar(sim);
    ui().mnuParAuto.checked = true;
    sim.rnd.fixSeed(seed);
    layers(30, [](int x) { return 300 - x * 0.2f; });  // high on the left
    const auto before = m().Topo;
    m().VentX = seed % 2 ? 50 : 1230;
    m().EruptType = Style::Stromb;
    fault(sim);
    const int faultX = cint(numVal(ui().txtTloc.text) * 1000 / 20), throw_ = cint(numVal(ui().txtMag.text));
    const int dip = cint(numVal(ui().txtDip.text));
    EXPECT_TRUE(faultX >= std::max(40, m().VentX - 300) && faultX <= std::min(1240, m().VentX + 300)) << faultX;
    ASSERT_TRUE(throw_ >= 1 && throw_ <= 3) << throw_;
    EXPECT_TRUE(std::abs(dip) <= 4 && ui().Down.enabled == (dip == 0) && (dip == 0 || (dip > 0) == (faultX > m().VentX))) << dip;
    for (int x = 1; x < faultX; ++x) ASSERT_EQ(m().Topo[x], before[x]) << x;
    // The cycle still knows the last eruption.
    EXPECT_TRUE(m().Topo[faultX] < before[faultX] && m().EruptType == Style::Stromb);
    EXPECT_DOUBLE_EQ(m().TotalHours, 20 * 100 * throw_ + 20 * 1e7);
    vertical += dip == 0;
    ++throws[throw_];
  }
  EXPECT_TRUE(vertical > 0 && vertical < 20 && throws[1] > 0 && throws[3] > 0);
}

// An automatic fault repeats at once with a chance of 0.6 while no layer has been laid since the
// cycle noted the count, else of 0.2; a manual one never.
TEST_F(FaultTest, AutomaticFaultsRepeatMoreReadilyWhileNoLayerIsLaid) {
  const auto repeats = [this](int laid) {
    m().UndoLayer2 = 30, m().LayerCount = 30 + laid;
    int n = 0;
    for (int i = 0; i < 1000; ++i) n += faultRepeats(sim);
    return n;
  };
  EXPECT_EQ(repeats(0), 0);
  ui().mnuParAuto.checked = true;
  EXPECT_NEAR(repeats(0), 600, 60);
  EXPECT_NEAR(repeats(1), 200, 50);
}
}  // namespace
}  // namespace magmo::test
