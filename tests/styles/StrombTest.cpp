#include <cmath>

#include "control/Params.h"
#include "model/Numeric.h"
#include "styles/Styles.h"
#include "support/SimFixture.h"

namespace magmo::test {
namespace {

class StrombTest : public SimTest {
 protected:
  void accept(const char* strength, const char* wind = "0", bool diatreme = false) {
    selectStyle(sim, Style::Stromb);
    ui().txtStr.text = strength;
    ui().txtWind.text = wind;
    ui().chkCaldDiat.checked = diatreme;
    changeOk(sim);
  }
  std::vector<DrawCall> landings() const {
    std::vector<DrawCall> out;
    for (const auto& c : host.canvas.calls)
      if (c.kind == DrawCall::Point && c.color == paletteColor(6)) out.push_back(c);
    return out;
  }
};

TEST_F(StrombTest, ManualPhaseBuildsAConeUntilStopped) {
  accept("0.40");
  stopDuringBurst(3);
  cmdEruptClick(sim);
  EXPECT_EQ(m().BurstCount, 3);
  EXPECT_EQ(m().LayerCount, 1);
  EXPECT_EQ(m().LayerColor[1], 2);
  EXPECT_EQ(m().AltStromb, 1);
  EXPECT_GT(*std::max_element(m().Topo.begin() + 600, m().Topo.begin() + 681), 0);
  EXPECT_EQ(m().Strat(1, 620), m().Topo[620]);
  EXPECT_GT(m().EruptVolume, 0);
  EXPECT_EQ(ui().statusBar2[2], "Dormant   ");
  EXPECT_EQ(ui().statusBar2[1], "Select Parameters or Continue with Strombolian (Scoria) Eruption");
  EXPECT_TRUE(ui().cmdErupt.enabled);
  EXPECT_FALSE(ui().cmdHalt.enabled);
  EXPECT_TRUE(host.messages.empty());
  // Every bomb that came down on the profile left 10 m of scoria somewhere.
  EXPECT_FALSE(landings().empty());
  // The next phase alternates the colour.
  stopDuringBurst(1);
  cmdEruptClick(sim);
  EXPECT_EQ(m().LayerColor[2], 10);
  EXPECT_EQ(m().AltStromb, 0);
}

TEST_F(StrombTest, WindCarriesEveryBombDownwind) {
  accept("0.10", "50");
  stopDuringBurst(2);
  cmdEruptClick(sim);
  const auto down = landings();
  ASSERT_FALSE(down.empty());
  for (const auto& c : down) EXPECT_GT(c.x1, 640);
  EXPECT_FLOAT_EQ(m().WindScaled, 50.0f / 20);
  EXPECT_FLOAT_EQ(m().LayerWind[1], 50);
}

TEST_F(StrombTest, StaticModeReshapesNothingAndAddsNoLayer) {
  buildCone(640, 80, 200);
  mnuParStaticClick(sim);
  accept("0.40");
  std::string progress;
  host.onYield = [&] {
    if (m().BurstCount >= 1 && progress.empty()) progress = ui().statusBar2[2];
    if (m().BurstCount >= 2 && m().RunStop != RunState::Stopping) cmdHaltClick(sim);
  };
  const auto topo = m().Topo;
  cmdEruptClick(sim);
  EXPECT_EQ(m().LayerCount, 1);
  EXPECT_EQ(m().Topo, topo);
  EXPECT_EQ(progress, "Static Phase: 1   ");
  EXPECT_EQ(ui().modeText(), "Manual Erupt (Static)");
}

TEST_F(StrombTest, AutomaticModeDrawsItsOwnParametersAndEndsByItself) {
  ui().mnuParAuto.checked = true;
  ui().chkCaldDiat.checked = true;
  m().EruptType = Style::Stromb;
  Random expected = sim.rnd;
  const float sign = expected.next() < 0.5 ? -1.0f : 1.0f;
  const float wind = static_cast<float>(expected.next()) * sign * 20;
  const float strength = static_cast<float>(expected.next() / 1.5 + 0.4);
  const int bursts = cint(std::pow(20.0f, 0.25f) * (expected.next() * 40 * strength + strength * 20));
  typeStromb(sim);
  EXPECT_FLOAT_EQ(m().Wind, wind);
  EXPECT_FLOAT_EQ(m().Strength, strength);
  EXPECT_EQ(m().PartCount, std::clamp(cint(strength * 25 + 25), 10, 50));
  EXPECT_EQ(m().BurstLimit, bursts);
  EXPECT_EQ(m().BurstCount, bursts);
  EXPECT_EQ(ui().txtStr.text, format(strength, "0.00"));
  EXPECT_EQ(ui().txtPart.text, format(m().PartCount, "0"));
  EXPECT_FALSE(ui().chkCaldDiat.checked);
}

TEST_F(StrombTest, StrengthRampStartsLowAndRegainsTheNominalStrength) {
  accept("0.40");
  ui().Slider[5].value = 4;
  std::vector<float> strengths;
  host.onYield = [&] {
    if (strengths.size() < size_t(m().BurstCount)) strengths.push_back(m().Strength);
    if (m().BurstCount >= 25 && m().RunStop != RunState::Stopping) cmdHaltClick(sim);
  };
  cmdEruptClick(sim);
  ASSERT_GE(strengths.size(), 25u);
  // 80 % of nominal less one step, plus one step at the first burst; 1 % more per burst after.
  EXPECT_NEAR(strengths[0], 0.4f * 0.80f, 1e-5);
  EXPECT_NEAR(strengths[1], 0.4f * 0.81f, 1e-5);
  EXPECT_NEAR(strengths[20], 0.4f, 1e-5);
  // Rounding may leave it a hair short of nominal, and then one more step overshoots.
  EXPECT_GE(strengths[24], 0.4f - 1e-5);
  EXPECT_LE(strengths[24], 0.404f + 1e-5);
}

TEST_F(StrombTest, DiatremeCutsAPitToTheBaseThenBuildsAPlainCone) {
  buildCone(640, 60, 300);
  accept("0.30", "0", true);
  ASSERT_EQ(ui().EruptTitle, "Diatreme Eruption");
  stopDuringBurst(1);
  cmdEruptClick(sim);
  EXPECT_EQ(m().LayerColor[2], 5);
  EXPECT_EQ(m().LayerBase[2], 0);
  EXPECT_EQ(m().Strat(1, 640), 0);  // the older cone is cut through at the vent
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(StrombTest, DiatremeOnFlatGroundHandsTheFlowSurgeItsPhase) {
  selectStyle(sim, Style::Pfs);
  ui().txtStr.text = "0.40";
  ui().chkCaldDiat.checked = true;
  changeOk(sim);
  ASSERT_GE(m().StrengthC, 0.6f);
  // The flows get one burst of their own before the user stops them.
  host.onYield = [this] {
    if (m().EruptType == Style::Pfs && m().BurstCount >= 1 && m().RunStop != RunState::Stopping) cmdHaltClick(sim);
  };
  cmdEruptClick(sim);
  EXPECT_EQ(m().EruptType, Style::Pfs);
  EXPECT_FALSE(ui().chkCaldDiat.checked);
  ASSERT_EQ(m().LayerCount, 2);
  EXPECT_EQ(m().LayerColor[1], 5);  // the diatreme
  EXPECT_EQ(m().LayerColor[2], 7);  // the flows over it
  EXPECT_EQ(m().BurstCount, 1);
  EXPECT_GT(m().EruptVolume, 0);
  EXPECT_EQ(ui().statusBar2[2], "Dormant   ");
  EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace magmo::test
