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

class PlinianTest : public SimTest {
 protected:
  // The panel as a user fills it; a caldera type checks the Caldera box first.
  void accept(const char* strength, const char* particles = "40", const char* calderaType = nullptr) {
    selectStyle(sim, Style::Plinian);
    ui().txtStr.text = strength;
    txtStrChange(sim);
    txtStrCommit(sim);
    ui().txtWind.text = "0";
    txtWindChange(sim);
    ui().txtPart.text = particles;
    txtPartChange(sim);
    if (calderaType) {
      ASSERT_TRUE(ui().chkCaldDiat.enabled);
      ui().chkCaldDiat.checked = true;
      chkCaldDiatClick(sim);
      ui().CaldStyle.text = calderaType;
      caldStyleChange(sim);
    }
    changeOk(sim);
    ASSERT_EQ(m().EruptType, Style::Plinian);
  }
  // As the Erupt button starts a phase.
  void erupt() {
    m().RunStop = RunState::Running;
    typePlinian(sim);
  }
  void automatic() {
    ui().mnuParAuto.checked = true;
    m().EruptType = Style::Plinian;
    host.canvas.recording = false;  // long phases: keep the drawing out of memory
  }
  // A mature volcano of six layers, each the given surface.
  template <typename Height>
  void sixLayers(Height height) {
    m().LayerCount = 6;
    m().LayerCaldera[7] = 0;
    for (int x = 1; x <= 1280; ++x) {
      m().Topo[x] = height(x);
      for (int k = 1; k <= 6; ++k) m().Strat(k, x) = m().Topo[x];
    }
  }
  // The surface at the start of every burst (its first yield), by burst number.
  std::vector<std::vector<float>> surfaceAtBurstStart(int stopBurst) {
    std::vector<std::vector<float>> seen;
    host.onYield = [this, &seen, stopBurst] {
      if (m().BurstCount > int(seen.size())) seen.emplace_back(m().Topo.begin(), m().Topo.end());
      if (m().BurstCount >= stopBurst && m().RunStop != RunState::Stopping) cmdHaltClick(sim);
    };
    erupt();
    host.onYield = nullptr;
    return seen;
  }
};

// The crater of a Plinian burst and the near-vent span of burst n, from the crater and fall rules.
int craterHalfWidth(float strength) { return cint(6 / 6.0 * 20 / 20 * strength * 10); }
int nearVentLeft(float strength, int n) { return cint(640 - strength * std::exp(double(n))); }
int nearVentRight(float strength, int n) { return cint(640 + strength * std::exp(double(n))); }

TEST_F(PlinianTest, ManualPhaseUsesThePanelAndLaysANarrowFallFirst) {
  accept("0.60");
  stopDuringBurst(3);
  erupt();
  EXPECT_EQ(m().BurstLimit, 1000);
  EXPECT_EQ(m().BurstCount, 3);
  EXPECT_EQ(m().EruptSub, Style::Plinian);
  EXPECT_FLOAT_EQ(m().Strength, 0.6f);
  EXPECT_FLOAT_EQ(m().Wind, 0);
  EXPECT_EQ(m().PartCount, 40);
  EXPECT_FALSE(ui().chkCaldDiat.checked);
  EXPECT_EQ(m().LayerCount, 1);
  EXPECT_EQ(m().LayerColor[1], 11);
  EXPECT_EQ(m().AltPlin, 1);
  EXPECT_TRUE(host.messages.empty());
  // Each burst n adds PartCount / (50 Scale) within Strength e^n of the vent; the crater,
  // one unit deep per burst, clears its half-width again.
  const float t = 40 / (50 * 20.0f);
  const int crater = craterHalfWidth(0.6f);
  for (int x = 1; x <= 1280; ++x) {
    float expected = 0;
    if (std::abs(x - 640) > crater)
      for (int n = 1; n <= 3; ++n)
        if (x >= nearVentLeft(0.6f, n) && x <= nearVentRight(0.6f, n)) expected += t;
    ASSERT_NEAR(m().Topo[x], expected, 1e-6) << x;
    ASSERT_EQ(m().Strat(1, x), m().Topo[x]) << x;
  }
  EXPECT_GT(m().EruptVolume, 0);
  // The next phase alternates the colour.
  stopDuringBurst(1);
  erupt();
  EXPECT_EQ(m().LayerColor[2], 9);
  EXPECT_EQ(m().AltPlin, 0);
}

TEST_F(PlinianTest, FallCoversTheWholeReachThenOnlyGrowsOutward) {
  // Strength 1 throws pumice off both ends in every burst: the fall reaches columns 1 and 1280.
  accept("1.00", "50");
  host.canvas.recording = false;
  const auto surface = surfaceAtBurstStart(20);
  ASSERT_EQ(surface.size(), 20u);
  const float t = 50 / (50 * 20.0f);
  const int crater = craterHalfWidth(1.0f);
  for (int x = 1; x <= 1280; ++x) {
    if (std::abs(x - 640) <= crater) continue;
    ASSERT_NEAR(surface[18][x] - surface[17][x], t, 1e-5) << x;  // burst 18: the whole reach
    ASSERT_NEAR(m().Topo[x] - surface[19][x], 0, 1e-6) << x;      // burst 20: nothing beyond it
  }
}

TEST_F(PlinianTest, ManualCalderaComesFromThePanelBox) {
  accept("0.80", "40", "Mazama Type");
  ASSERT_EQ(ui().EruptTitle, "Caldera Plinian Eruption (Mazama Type)");
  stopDuringBurst(1);
  erupt();
  EXPECT_TRUE(ui().chkCaldDiat.checked);
  EXPECT_EQ(ui().CaldStyle.text, "Mazama Type");
  EXPECT_EQ(m().LayerCaldera[1], 1);  // a collapse step instead of a crater
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(PlinianTest, AutomaticModeDrawsItsEruptionInOrderAndEndsByItself) {
  automatic();
  ui().statusBar2[1] = "Plinian (Pumice) Eruption";
  ui().chkCaldDiat.checked = true;
  Random expected = sim.rnd;
  const float sign = expected.next() < 0.5 ? -1.0f : 1.0f;
  const float wind = static_cast<float>(expected.next()) * sign * 20;
  const float strength = static_cast<float>(expected.next() / 1.43 + 0.3);
  const int bursts = cint(std::pow(20.0f, 0.25) * (6 * strength * expected.next() + 1));
  erupt();
  EXPECT_FLOAT_EQ(m().Wind, wind);
  EXPECT_FLOAT_EQ(m().Strength, strength);
  EXPECT_FLOAT_EQ(m().StrengthC, 1.03f - strength);
  EXPECT_EQ(m().PartCount, std::clamp(cint(25 * strength + 25), 10, 50));
  EXPECT_EQ(m().BurstLimit, bursts);
  EXPECT_EQ(m().BurstCount, bursts);
  EXPECT_EQ(m().EruptSub, Style::Plinian);
  EXPECT_EQ(ui().txtStr.text, format(strength, "0.00"));
  EXPECT_EQ(ui().txtWind.text, format(wind, "0"));
  EXPECT_EQ(ui().txtPart.text, format(m().PartCount, "0"));
  EXPECT_EQ(ui().statusBar2[1], strength < 0.5f ? "Subplinian Eruption" : "Plinian (Pumice) Eruption");
  // A first layer is no mature volcano: no caldera.
  EXPECT_FALSE(ui().chkCaldDiat.checked);
  EXPECT_FALSE(ui().CaldStyle.visible);
  EXPECT_TRUE(host.messages.empty());
}

// The first seed whose automatic draws make a strong (or, asked for, a weak), long eruption.
uint64_t seedFor(bool strong, int minBursts, float scale) {
  for (uint64_t seed = 1;; ++seed) {
    Random r;
    r.fixSeed(seed);
    r.next();
    r.next();
    const float strength = static_cast<float>(r.next() / 1.43 + 0.3);
    const int bursts = cint(std::pow(scale, 0.25) * (6 * strength * r.next() + 1));
    if ((strong ? strength > 0.7f : strength >= 0.5f) && bursts >= minBursts) return seed;
  }
}

TEST_F(PlinianTest, AutomaticCalderaIsVallesOnFlatGroundAndMazamaUnderACone) {
  const uint64_t seed = seedFor(true, 7, 20);
  auto calderaPhase = [&](auto height) {
    sim.rnd.fixSeed(seed);
    sixLayers(height);
    stopDuringBurst(1);
    erupt();
    EXPECT_TRUE(ui().chkCaldDiat.checked);
    EXPECT_TRUE(ui().CaldStyle.visible);
    EXPECT_EQ(m().LayerCaldera[7], 1);
    EXPECT_TRUE(host.messages.empty());
  };
  automatic();
  calderaPhase([](int) { return 30.0f; });
  EXPECT_EQ(ui().CaldStyle.text, "Valles Type");
  EXPECT_EQ(ui().statusBar2[1], "Caldera Plinian Eruption  (Valles Type)");
  // 80 units at the vent, 60 at 50 columns from it: more than 15 above its surroundings.
  calderaPhase([](int x) { return std::max(80.0f * (1 - std::abs(x - 640) / 200.0f), 0.0f); });
  EXPECT_EQ(ui().CaldStyle.text, "Mazama Type");
  EXPECT_EQ(ui().statusBar2[1], "Caldera Plinian Eruption  (Mazama Type)");
}

TEST_F(PlinianTest, AtTheSmallScaleEveryAutomaticEruptionIsSubplinian) {
  changeScale(sim, ScaleItem::Small);
  automatic();
  sim.rnd.fixSeed(seedFor(false, 1, 4));  // strong enough to be Plinian at the other scales
  ui().statusBar2[1] = "Plinian (Pumice) Eruption";
  stopDuringBurst(1);
  erupt();
  EXPECT_GE(m().Strength, 0.5f);
  EXPECT_EQ(ui().statusBar2[1], "Subplinian Eruption");
}

TEST_F(PlinianTest, StaticModeDrawsTheColumnButLaysNothing) {
  buildCone(640, 80, 200);
  mnuParStaticClick(sim);
  accept("0.40");
  const auto topo = m().Topo;
  std::string progress;
  host.onYield = [&] {
    if (m().BurstCount >= 1 && progress.empty()) progress = ui().statusBar2[2];
    if (m().BurstCount >= 2 && m().RunStop != RunState::Stopping) cmdHaltClick(sim);
  };
  erupt();
  EXPECT_EQ(m().LayerCount, 1);
  EXPECT_EQ(m().Topo, topo);
  EXPECT_EQ(m().LayerColor[1], 2);
  EXPECT_EQ(m().AltPlin, 0);
  EXPECT_EQ(progress, "Static Phase: 1   ");
  const bool drew = std::any_of(host.canvas.calls.begin(), host.canvas.calls.end(),
                                [](const DrawCall& c) { return c.kind == DrawCall::Point && !c.persistent; });
  EXPECT_TRUE(drew);
}

TEST_F(PlinianTest, StrengthGrowthStartsWeakerAndRegainsTheNominalStrength) {
  auto strengthsWithGrowth = [this](int k) {
    accept("0.50");
    ui().Slider[5].value = k;
    m().BurstCount = 0;  // bursts of the phase before do not count
    std::vector<float> strengths;
    host.onYield = [&] {
      if (int(strengths.size()) < m().BurstCount) strengths.push_back(m().Strength);
      if (m().BurstCount >= 6 && m().RunStop != RunState::Stopping) cmdHaltClick(sim);
    };
    erupt();
    host.onYield = nullptr;
    return strengths;
  };
  // k = 4: 0.5 × (1 − 4/10) in the first burst, then a quarter of the gap per burst.
  const auto grown = strengthsWithGrowth(4);
  ASSERT_EQ(grown.size(), 6u);
  for (int n = 0; n < 6; ++n) EXPECT_NEAR(grown[n], std::min(0.3f + 0.05f * n, 0.5f), 1e-5) << n;
  // k = 10 would start at nothing: it starts at 0.1 and climbs a tenth of the gap per burst.
  const auto fromFloor = strengthsWithGrowth(10);
  ASSERT_EQ(fromFloor.size(), 6u);
  for (int n = 0; n < 6; ++n) EXPECT_NEAR(fromFloor[n], 0.1f + 0.04f * n, 1e-5) << n;
}

TEST_F(PlinianTest, UnderMoonGravityOnlyTheColumnWithinTheDrawingIsDrawn) {
  // Three bursts under Moon gravity, where the pumice flies far above the drawing.
  selectGravity(sim, GravityItem::Moon);
  selectStyle(sim, Style::Plinian);
  ui().txtStr.text = "0.60";
  changeOk(sim);
  host.onYield = [&] {
    if (m().BurstCount >= 3 && m().RunStop != RunState::Stopping) cmdHaltClick(sim);
  };
  typePlinian(sim);
  size_t points = 0;
  for (const auto& c : host.canvas.calls)
    if (c.kind == DrawCall::Point && !c.persistent) {
      ++points;
      ASSERT_GT(c.y1, -10 - c.penWidth) << "a point far above the drawing";
    }
  EXPECT_GT(points, 0u);
  EXPECT_GT(*std::max_element(m().Topo.begin(), m().Topo.end()), 0);
}

TEST_F(PlinianTest, ABadParticleCountEndsTheBallisticStylesWithOneMessage) {
  struct Case {
    Style eruptType;
    void (*style)(Sim&);
    const char* message;
  };
  for (const Case& c : {Case{Style::Stromb, typeStromb, "Strombolian eruption error: \nSubscript out of range"},
                        Case{Style::Plinian, typePlinian, "Plinian eruption error: \nSubscript out of range"}}) {
    host.messages.clear();
    m().EruptType = c.eruptType;
    m().PartCount = 51;  // as a damaged record could carry
    c.style(sim);
    EXPECT_EQ(host.messages, std::vector<std::string>{c.message});
  }
  // An explosion leaves its fault to the phreatic phase that runs it.
  m().EruptType = Style::Fumarole;
  m().PartCount = 51;
  EXPECT_THROW(typePhBurst(sim), SimError);
}

}  // namespace
}  // namespace magmo::test
