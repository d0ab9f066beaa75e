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

class PhreaticTest : public SimTest {
 protected:
  void accept(const char* strength, const char* wind = "0", const char* particles = "30") {
    selectStyle(sim, Style::Fumarole);
    ui().txtStr.text = strength;
    txtStrChange(sim);
    txtStrCommit(sim);
    ui().txtWind.text = wind;
    txtWindChange(sim);
    ui().txtPart.text = particles;
    txtPartChange(sim);
    changeOk(sim);
    ASSERT_EQ(m().EruptType, Style::Fumarole);
  }
  // As the Erupt button starts a phase.
  void erupt() {
    m().RunStop = RunState::Running;
    typePhreatic(sim);
  }
  std::vector<DrawCall> transient(DrawCall::Kind kind) const {
    std::vector<DrawCall> out;
    for (const auto& c : host.canvas.calls)
      if (c.kind == kind && !c.persistent) out.push_back(c);
    return out;
  }
};

TEST_F(PhreaticTest, ManualPlumeUsesThePanelAndStaysBelowItsTop) {
  accept("0.30", "10");
  std::string title;
  host.onYield = [&] {
    if (title.empty()) title = ui().statusBar2[1];
    if (m().BurstCount >= 2 && m().RunStop != RunState::Stopping) cmdHaltClick(sim);
    if (m().RunStop == RunState::Stopping) host.canvas.recording = false;  // the refresh wipes the sky
  };
  erupt();
  EXPECT_EQ(title, "Fumarolic/Phreatic Eruption");
  EXPECT_EQ(m().BurstLimit, 1000);
  EXPECT_EQ(m().BurstCount, 2);
  EXPECT_EQ(m().EruptSub, Style::Fumarole);
  EXPECT_FLOAT_EQ(m().Strength, 0.3f);
  EXPECT_FLOAT_EQ(m().Wind, 10);
  EXPECT_FLOAT_EQ(m().WindScaled, 0.5f);
  EXPECT_EQ(m().LayerCount, 1);
  EXPECT_EQ(m().LayerColor[1], 7);
  EXPECT_FLOAT_EQ(m().LayerWind[1], 10);
  EXPECT_EQ(m().PhBurstCount, 0);  // the explosion box is off
  EXPECT_TRUE(transient(DrawCall::Line).empty());
  EXPECT_TRUE(host.messages.empty());
  // On flat ground the plume top is 800 × Strength × 20 / Scale units above the vent, and
  // before the 8th burst every puff is white.
  const auto puffs = transient(DrawCall::Point);
  ASSERT_FALSE(puffs.empty());
  const int top = cint(600 - 800 * 0.3f);
  for (const auto& p : puffs) {
    EXPECT_GE(p.y1, top);
    EXPECT_LT(p.y1, 600);
    EXPECT_EQ(p.color, paletteColor(15));
  }
  // The statistics follow every time step at a hundredth of the strength in hours.
  EXPECT_GT(m().EruptHours, 50 * 0.3 / 100);
}

TEST_F(PhreaticTest, AutomaticModeDrawsItsEruptionInOrderAndEndsByItself) {
  ui().mnuParAuto.checked = true;
  m().EruptType = Style::Fumarole;
  host.canvas.recording = false;
  Random expected = sim.rnd;
  const float sign = expected.next() < 0.5 ? -1.0f : 1.0f;
  const float wind = static_cast<float>(expected.next()) * sign * 20;
  const float strength = static_cast<float>(0.8 * expected.next() + 0.2);
  const int bursts = cint(30 * strength * expected.next() + 5);
  const bool explosions = expected.next() > 0.5;
  erupt();
  EXPECT_FLOAT_EQ(m().Wind, wind);
  EXPECT_FLOAT_EQ(m().Strength, strength);
  EXPECT_EQ(m().PartCount, std::clamp(cint(25 * strength + 25), 10, 50));
  EXPECT_EQ(m().BurstLimit, bursts);
  EXPECT_EQ(m().BurstCount, bursts);
  EXPECT_EQ(ui().chkFumex.checked, explosions);
  if (!explosions) {
    EXPECT_EQ(m().PhBurstCount, 0);
  }
  EXPECT_EQ(ui().txtStr.text, format(strength, "0.00"));
  EXPECT_EQ(ui().txtWind.text, format(wind, "0"));
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(PhreaticTest, StaticModeColoursTheTopLayerButKeepsTheStrata) {
  buildCone(640, 80, 200);
  mnuParStaticClick(sim);
  accept("0.80");
  ui().chkFumex.checked = true;
  ui().Slider[4].value = 11;
  host.canvas.recording = false;
  const auto topo = m().Topo;
  const StratTable strat = m().Strat;
  stopDuringBurst(12);
  erupt();
  EXPECT_GT(m().PhBurstCount, 0);  // one explosion in 12 is all but certain at 22 % a burst
  EXPECT_EQ(m().LayerCount, 1);
  EXPECT_EQ(m().LayerColor[1], 7);
  EXPECT_EQ(m().Topo, topo);
  for (int x = 1; x <= 1280; ++x) ASSERT_EQ(m().Strat(1, x), strat(1, x)) << x;
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(PhreaticTest, ExplosionThrowsAtLeastOneBurstAndMeasuresItsBlocks) {
  buildCone(640, 40, 300);
  m().EruptType = Style::Fumarole;
  m().Strength = 0.8f;
  m().PartCount = 30;
  ui().Slider[4].value = 1;  // Int(Rnd × 1) is always 0 bursts
  ui().mnuOptSound.checked = true;
  typePhBurst(sim);
  EXPECT_EQ(m().PhBurstCount, 1);
  // The reach is the farthest landing (white marks), the top the highest block drawn.
  float reach = 0, top = 600;
  for (const auto& p : transient(DrawCall::Point)) {
    if (p.color == paletteColor(15)) reach = std::max(reach, std::abs(p.x1 - 640));
    if (p.color == paletteColor(0) || p.color == paletteColor(8)) top = std::min(top, p.y1);
  }
  EXPECT_GT(reach, 0);
  EXPECT_FLOAT_EQ(m().BallisticRange, reach);
  EXPECT_FLOAT_EQ(m().BallisticTop, top);
  EXPECT_LT(top, 600 - 40);
  EXPECT_NE(std::find(host.sounds.begin(), host.sounds.end(), sim.paths.sound("Stromb.wav") + " (loop)"),
            host.sounds.end());
  EXPECT_EQ(host.sleptMs, 1000);  // the explosion's sound is left to fade
}

TEST_F(PhreaticTest, JetsRiseFromAWideningRimUntilTheBlocksReachIsPassed) {
  accept("0.30");
  ui().chkFumex.checked = true;  // as an automatic phase may draw it at any strength
  ui().Slider[4].value = 11;
  int explosionBurst = 0;
  float reach = 0, top = 0;
  std::vector<float> rim(1281);
  host.onYield = [&] {
    if (explosionBurst == 0 && m().PhBurstCount > 0) {
      explosionBurst = m().BurstCount;
      reach = m().BallisticRange;
      top = m().BallisticTop;
      for (int x = 1; x <= 1280; ++x) rim[x] = m().Strat(1, x);
      ui().chkFumex.checked = false;  // one explosion only
      host.canvas.clear();
    }
    if (explosionBurst > 0 && m().BurstCount > explosionBurst + 1 && m().RunStop != RunState::Stopping) {
      cmdHaltClick(sim);
      if (m().RunStop == RunState::Stopping) host.canvas.recording = false;
    }
  };
  erupt();
  ASSERT_GT(explosionBurst, 0);
  ASSERT_LE(reach, 46);
  const auto jets = transient(DrawCall::Line);
  // Pairs left and right of the vent, from half-width CInt(5 × Strength) up one column per
  // plume step, for as long as half-width plus reach stays within 50 columns.
  const int first = cint(5 * 0.3f), last = intPart(50 - reach);
  ASSERT_EQ(jets.size(), size_t(2 * (last - first + 1)));
  for (size_t i = 0; i < jets.size(); ++i) {
    const int side = i % 2 == 0 ? -1 : 1;
    const float c = float(640 + side * (first + int(i / 2)));
    EXPECT_EQ(jets[i].x1, c);
    EXPECT_FLOAT_EQ(jets[i].y1, 598 - rim[size_t(c)]);
    EXPECT_FLOAT_EQ(jets[i].x2, c + side * top * 0.3f / 20);
    EXPECT_FLOAT_EQ(jets[i].y2, top);
    EXPECT_EQ(jets[i].color, paletteColor(0));
  }
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(PhreaticTest, LongWindyPhaseAtTheSmallScaleKeepsItsPuffsInRange) {
  changeScale(sim, ScaleItem::Small);
  accept("1.00", "50", "10");
  host.canvas.recording = false;
  stopDuringBurst(19);
  erupt();
  EXPECT_EQ(m().BurstCount, 19);
  EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace magmo::test
