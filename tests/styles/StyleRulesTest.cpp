// Rules every eruption style keeps in the same way: automatic draws, manual and static phases,
// strength growth and the reporting of a fault.
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "model/Numeric.h"
#include "support/StyleFixture.h"

namespace magmo::test {
namespace {
class StyleRulesTest : public StyleTest {
 protected:
  StyleRulesTest() { host.canvas.recording = false; }
  // An automatic phase with the given seed on `n` equal layers, a cone 80 high or flat ground, at
  // 4, 20 or 100 m per column, stopped after its first burst.
  void automaticPhase(Style style, uint64_t seed, int n, bool cone, float scale = 20) {
    ui().mnuOptScaleSmall.checked = scale == 4, ui().mnuOptScaleNorm.checked = scale == 20;
    ui().mnuOptScaleLarge.checked = scale == 100;
    clearVar(sim);
    layers(n, [cone](int x) { return cone ? std::max(80 - 0.4f * std::abs(x - 640), 0.0f) : 0.0f; });
    ui().mnuParAuto.checked = true;
    ui().chkCaldDiat.checked = ui().CaldStyle.visible = true;  // for the draws to decide again
    m().EruptType = style;
    sim.rnd.fixSeed(seed);
    stopDuringBurst(1);
    for (auto [s, run] : {std::pair{Style::Stromb, &typeStromb}, {Style::Plinian, &typePlinian}, {Style::Pfs, &typePfs},
                          {Style::Fumarole, &typePhreatic}, {Style::Lava, &typeLava}})
      if (s == style) run(sim);
  }
};

// Over many seeds each draw stays within its range and spreads over it, and every rule that
// follows from the draws holds whenever its condition does. Burst counts lie within
// q (a0 + a1 v) .. q (b0 + b1 v) for the drawn v, q being the fourth root of the scale (or 1).
// A caldera needs a sixth layer, a strong draw and many bursts; a cone makes it Mazama type.
TEST_F(StyleRulesTest, AutomaticPhasesDrawWithinTheirRangesAndFollowTheirRules) {
  struct Case {
    Style style;
    float scale, root;
    float Model::*drawn;  // strength, or friction for the flows
    float lo, hi, a0, a1, b0, b1;
    const char* caldera;  // its title, for the styles that may form one
    int calderaBursts;
    CheckBox Controls::*box;  // a box the draws check, some of the time
  };
  const Case cases[] = {
      {Style::Stromb, 20, 0.25f, &Model::Strength, 0.4f, 0.4f + 1 / 1.5f, 0, 20, 0, 60, nullptr, 0, nullptr},
      {Style::Plinian, 20, 0.25f, &Model::Strength, 0.3f, 0.3f + 1 / 1.43f, 1, 0, 1, 6, "Caldera Plinian Eruption", 7, nullptr},
      {Style::Plinian, 4, 0.25f, &Model::Strength, 0.3f, 0.3f + 1 / 1.43f, 1, 0, 1, 6, "Caldera Plinian Eruption", 7, nullptr},
      {Style::Pfs, 20, 0.25f, &Model::StrengthC, 0.03f, 0.78f, 3, 0, 9, -6, "Caldera Ignimbrite Eruption", 9, &Controls::chkDirected},
      {Style::Fumarole, 20, 0, &Model::Strength, 0.2f, 1.0f, 5, 0, 5, 30, nullptr, 0, &Controls::chkFumex},
      {Style::Lava, 100, 0.25f, nullptr, 0, 0, 1, 0, 11, 0, nullptr, 0, nullptr}};
  const int seeds = 100;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << styleKey(c.style) << " at " << c.scale << " m");
    const double q = std::pow(c.scale, c.root);
    float lowest = 1, highest = 0, strongestWind = 0;
    double fewest = 1, most = 0;  // burst counts as a fraction of their range
    int leftWinds = 0, boxes = 0, calderas[2] = {};
    for (uint64_t seed = 1; seed <= seeds; ++seed) {
      SCOPED_TRACE(seed);
      const bool mature = seed % 3 != 0, cone = seed % 2 == 0;
      automaticPhase(c.style, seed, mature ? 5 : 4, cone, c.scale);
      ASSERT_LE(std::abs(m().Wind), 20);
      EXPECT_NEAR(numVal(ui().txtWind.text), m().Wind, 0.5);
      leftWinds += m().Wind < 0;
      strongestWind = std::max(strongestWind, std::abs(m().Wind));
      const float v = c.drawn ? m().*c.drawn : 0;
      const double few = q * (c.a0 + c.a1 * v), many = q * (c.b0 + c.b1 * v);
      EXPECT_TRUE(m().BurstLimit >= cint(few) && m().BurstLimit <= cint(many)) << m().BurstLimit;
      fewest = std::min(fewest, (m().BurstLimit - few) / (many - few));
      most = std::max(most, (m().BurstLimit - few) / (many - few));
      if (!c.drawn) {
        EXPECT_FLOAT_EQ(m().LavaThick, 1);  // as thick as at 20 m, however coarse the scale
        continue;
      }
      EXPECT_TRUE(v >= c.lo && v < c.hi && std::abs(numVal(ui().txtStr.text) - m().Strength) <= 0.005) << v;
      lowest = std::min(lowest, v), highest = std::max(highest, v);
      EXPECT_FLOAT_EQ(m().Strength + m().StrengthC, 1.03f);
      // 25 particles and 25 more per unit of vigour (a flow's exceeds its strength by 0.02), at most 50.
      const float vigour = c.style == Style::Pfs ? 1.05f - m().StrengthC : m().Strength;
      EXPECT_EQ(std::pair(m().PartCount, ui().txtPart.text), std::pair(std::min(cint(25 * vigour + 25), 50), std::to_string(m().PartCount)));
      if (c.box) boxes += (ui().*c.box).checked;
      if (c.style == Style::Plinian) {  // subplinian below 0.5, at the small scale below 1
        EXPECT_EQ(ui().statusBar2[1] == "Subplinian Eruption", !ui().chkCaldDiat.checked && v < (c.scale == 4 ? 1 : 0.5f));
      }
      if (c.style == Style::Fumarole) continue;
      const bool strong = c.style == Style::Plinian ? v > 0.7f : v <= 0.4f;
      const bool caldera = c.caldera && mature && strong && m().BurstLimit >= c.calderaBursts;
      ASSERT_EQ(ui().chkCaldDiat.checked, caldera);
      if (!c.caldera) continue;
      EXPECT_EQ(ui().CaldStyle.visible, caldera);
      if (!caldera) continue;
      const std::string type = cone ? "Mazama Type" : "Valles Type";  // the first burst dropped the caldera block
      EXPECT_EQ(std::tuple(ui().CaldStyle.text, ui().statusBar2[1], m().LayerCaldera[6]),
                std::tuple(type, c.caldera + std::string("  (") + type + ")", 1));
      ++calderas[cone];
    }
    EXPECT_TRUE(leftWinds > seeds / 5 && leftWinds < seeds * 4 / 5 && strongestWind > 15);
    EXPECT_TRUE(fewest < 0.3 && most > 0.7) << fewest << " " << most;
    if (c.drawn) { EXPECT_TRUE(lowest < c.lo + (c.hi - c.lo) / 4 && highest > c.hi - (c.hi - c.lo) / 4); }
    if (c.box) { EXPECT_TRUE(boxes > seeds / 10 && boxes < seeds * 9 / 10) << boxes; }
    if (c.caldera && c.scale == 20) { EXPECT_TRUE(calderas[0] > 0 && calderas[1] > 0); }
  }
}

// Only a CPU factor (with the speed factor, so the time steps stay) moves the counts to a limit.
TEST_F(StyleRulesTest, AutomaticParticleCountsStayWithinTenToFifty) {
  for (Style style : {Style::Stromb, Style::Plinian, Style::Pfs, Style::Fumarole})
    for (float factor : {-4.0f, 4.0f}) {
      m().CpuFactor = m().SpeedFactor = factor;
      automaticPhase(style, 1, 1, false);
      EXPECT_EQ(m().PartCount, factor < 0 ? 10 : 50) << styleKey(style);
    }
}

// A manual phase takes the panel's wind and runs until the user stops it, the strata following
// the surface; the next phase of the style alternates the layer colour. The map gets the style's code.
TEST_F(StyleRulesTest, ManualPhasesRunUntilStoppedAndAlternateTheirColours) {
  struct Case { Style style; int first, second, map; };
  for (const Case& c : {Case{Style::Stromb, 2, 10, 2}, {Style::Plinian, 11, 9, 5}, {Style::Pfs, 7, 8, 1},
                        {Style::Fumarole, 7, 7, 7}, {Style::Lava, 12, 13, 3}, {Style::Dome, 4, 6, 4}}) {
    SCOPED_TRACE(styleKey(c.style));
    clearVar(sim);
    ui().mnuOptMapEnable.checked = true;
    accept(c.style, "0.40", "10", "10");
    eruptUntil(2);
    EXPECT_EQ(std::tuple(m().BurstCount, m().LayerWind[1], m().WindScaled, m().LayerColor[1], m().MapOn, m().UndoLayer),
              std::tuple(2, 10, 0.5f, c.first, c.map, 1));
    for (int x = 1; x <= 1280; ++x) ASSERT_EQ(m().Strat(1, x), m().Topo[x]) << x;
    eruptUntil(1);
    EXPECT_EQ(m().LayerColor[2], c.second);
  }
}

// A static phase is drawn but changes no ground; only the steam colours the top layer.
TEST_F(StyleRulesTest, StaticModeAddsNoLayerAndLaysNothing) {
  host.canvas.recording = true;
  for (Style style : {Style::Stromb, Style::Plinian, Style::Pfs, Style::Fumarole}) {
    SCOPED_TRACE(styleKey(style));
    clearVar(sim);
    buildCone(640, 80, 200);
    mnuParStaticClick(sim);
    const Model before = m();
    std::string progress;
    host.canvas.clear();
    accept(style, "0.40", "0", "10");
    eruptUntil(2, [&] { progress = progress.empty() ? ui().statusBar2[2] : progress; });
    EXPECT_TRUE(m().LayerCount == 1 && m().Topo == before.Topo && progress == "Static Phase: 1   ") << progress;
    for (int x = 1; x <= 1280; ++x) ASSERT_EQ(m().Strat(1, x), before.Strat(1, x)) << x;
    EXPECT_EQ(std::pair(m().LayerColor[1], m().AltStromb + m().AltPlin + m().AltPfs), std::pair(style == Style::Fumarole ? 7 : 2, 0));
    EXPECT_TRUE(std::any_of(host.canvas.calls.begin(), host.canvas.calls.end(),
                            [](const DrawCall& c) { return c.kind == DrawCall::Point && !c.persistent; }));
  }
}

// Slider5 = k starts a phase weaker and closes the gap step by step, a step each burst:
// Strombolian k/20 below in 5k steps; Plinian and phreatic k/10 below (at least 0.1) in k and
// 10k steps; the flows k/10 of the way to friction 0.83, back in k steps.
TEST_F(StyleRulesTest, StrengthGrowthStartsBelowTheNominalValueAndRegainsIt) {
  struct Case { Style style; const char* strength; int k; float Model::*value; float first, step, nominal; int bursts; };
  for (const Case& c : {Case{Style::Stromb, "0.40", 2, &Model::Strength, 0.36f, 0.004f, 0.4f, 13},
                        {Style::Plinian, "0.50", 4, &Model::Strength, 0.3f, 0.05f, 0.5f, 7},
                        {Style::Plinian, "0.50", 10, &Model::Strength, 0.1f, 0.04f, 0.5f, 12},
                        {Style::Fumarole, "0.50", 2, &Model::Strength, 0.4f, 0.005f, 0.5f, 23},
                        {Style::Pfs, "0.40", 4, &Model::StrengthC, 0.71f, -0.02f, 0.63f, 7}}) {
    SCOPED_TRACE(testing::Message() << styleKey(c.style) << " k " << c.k);
    clearVar(sim);
    ui().Slider[5].value = c.k;
    std::vector<float> values;
    accept(c.style, c.strength, "0", "10");
    eruptUntil(c.bursts, [&] { values.push_back(m().*c.value); });
    ASSERT_EQ(values.size(), size_t(c.bursts));
    for (int n = 0; n < c.bursts; ++n) {
      const float ramp = c.first + n * c.step;
      if (c.step > 0 ? ramp < c.nominal - 1e-5f : ramp > c.nominal + 1e-5f)
        EXPECT_NEAR(values[n], ramp, 1e-5) << n;
      else  // regained; rounding may leave it a hair short, and one more step then overshoots
        EXPECT_NEAR(values[n], c.nominal, std::abs(c.step) + 1e-5) << n;
    }
    EXPECT_NEAR(values.back(), c.nominal, std::abs(c.step) + 1e-5);
  }
}

// A failing step ends the phase, whose end still runs, and the fault is told once under the
// style's title, after what the end of the phase told.
TEST_F(StyleRulesTest, AFaultEndsThePhaseAndIsReportedOnceUnderTheStylesTitle) {
  // `bursts`: those that still run when a failing step is skipped.
  struct Case { const char* title; std::function<void()> setUp; void (*run)(Sim&); size_t messages = 1; int bursts = 0; };
  const auto particles = [this](Style s) { return [this, s] { m().EruptType = s, m().PartCount = 51; }; };
  // Static mode takes the vent as a record left it, without limiting it to the profile.
  const auto vent = [this](Style s, int x) {
    return [this, s, x] { ui().mnuParStatic.checked = true, m().EruptType = s, m().VentX = x; };
  };
  const Case cases[] = {
      {"Strombolian eruption error: \n", particles(Style::Stromb), typeStromb},
      // The vent stops the phase before its dike intrudes; the dike's cooling fails on it too.
      {"Strombolian eruption error: \n", vent(Style::Stromb, 0), typeStromb, 2},
      {"Strombolian eruption error: \n", vent(Style::Stromb, 1281), typeStromb, 2},
      {"Plinian eruption error: \n", particles(Style::Plinian), typePlinian},
      {"Pyroclastic flow/surge eruption error: \n", particles(Style::Pfs), typePfs},
      {"Fumarolic/Phreatic eruption error:\n", vent(Style::Fumarole, 5000), typePhreatic},
      {"Lava flow error: \n",  // a playback beyond the table of 100 flows of a phase
       [this] { layers(1, [](int x) { return x == 640 ? 0.0f : 300.0f; }), playLava(Style::Lava, std::vector(102, 1.0f)); },
       nullptr, 1, 102},
      {"Sector collapse error: \n", [this] { buildCone(640, 100, 200), m().CollapseBase = 0; }, typeCollapse},
      {"Fault error: \n", [this] { buildCone(640, 100, 200), ui().txtTloc.text = "100.00", ui().txtMag.text = "5"; },
       fault}};
  host.canvas.recording = true;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    clearVar(sim);
    host.messages.clear();
    host.canvas.clear();
    c.setUp();
    const auto surface = m().Topo;
    if (c.run) c.run(sim);
    ASSERT_EQ(host.messages.size(), c.messages);
    EXPECT_EQ(host.messages.back(), c.title + std::string("Subscript out of range"));
    const auto& calls = host.canvas.calls;  // the closing refresh begins with a clean picture
    EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [](const DrawCall& d) { return d.kind == DrawCall::Box && d.y2 == 690; }));
    if (m().VentX < 1 || m().VentX > 1280) { EXPECT_EQ(m().Topo, surface); }
    if (c.bursts) { EXPECT_EQ(m().BurstCount, c.bursts); }
  }
  // An explosion leaves its fault to the phreatic phase that runs it.
  m().EruptType = Style::Fumarole, m().PartCount = 51;
  EXPECT_THROW(typePhBurst(sim), SimError);
  host.messages.clear();
}
}  // namespace
}  // namespace magmo::test
