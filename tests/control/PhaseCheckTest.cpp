#include "control/PhaseCheck.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace magmo::test {
namespace {

// A phase of the style that passes every rule at the normal scale (20 m per column).
PhaseRecord valid(Style style) {
  PhaseRecord p{.Location = 12.8f, .Style = style, .Strength = 0.5f, .Bursts = 2};
  if (style == Style::Tectonic) p.TectonicKind = TectonicKind::Fault, p.DownSide = DownSide::Left;
  if (style == Style::Collapse) p.ScarpTop = 12.8f, p.ScarpBase = 16.0f;
  return p;
}

struct Rule {
  Style style;
  std::function<void(PhaseRecord&, float)> set;  // sets the checked value
  float bad, limit;                              // the first value refused, and one still allowed
  const char* message;
  bool damage = false;  // also refused by the player
};

template <class T>
auto field(T PhaseRecord::*f) {
  return [f](PhaseRecord& p, float v) { p.*f = T(v); };
}

// Every rule of the editor's Apply, each on a phase that breaks it alone, and just inside it.
TEST(PhaseCheck, EachRuleRefusesItsValueAndAllowsItsLimit) {
  constexpr Style pfs = Style::Pfs, stromb = Style::Stromb, lava = Style::Lava, dome = Style::Dome,
                  plinian = Style::Plinian, collapse = Style::Collapse, fumarole = Style::Fumarole;
  const auto location = field(&PhaseRecord::Location), strength = field(&PhaseRecord::Strength),
             wind = field(&PhaseRecord::Wind), mapA = field(&PhaseRecord::MapA), mapB = field(&PhaseRecord::MapB),
             mapC = field(&PhaseRecord::MapC), mapD = field(&PhaseRecord::MapD);
  const auto bursts = field(&PhaseRecord::Bursts);
  const Rule rules[] = {
      {stromb, location, 0.99f, 1.0f, " Location too small"},
      {fumarole, location, 24.61f, 24.6f, " Location too large"},
      {collapse, location, 99, 99, ""},  // a collapse is placed by its scarp
      {pfs, wind, -50.5f, -50, " Wind speed too negative"},
      {Style::Tectonic, wind, 50.5f, 50, " Wind speed too high"},
      {pfs, strength, 1.01f, 1, " Maximum Strength (1.0) exceeded."},
      {pfs, strength, 0.19f, 0.2f, " Minimum Strength (0.20) not met."},
      {plinian, mapA, 641, 640, " Mid radius must be <= 640 "},
      {fumarole, mapB, -1.01f, -1, " Deposit angle must be >= -1"},
      {collapse, mapB, 1.01f, 1, " Deposit angle must be <= 1"},
      {stromb, strength, 2.01f, 2, " Maximum Strength (2.00) exceeded."},
      {stromb, strength, 0.09f, 0.1f, " Minimum Strength (0.10) not met."},
      {plinian, strength, 0.09f, 0.1f, " Minimum Strength (0.10) not met."},
      {lava, mapA, 321, 320, " Mid radius must be <= 320 "},
      {dome, mapC, -4.1f, -4, " Left angle must be >= -4"},
      {lava, mapC, 4.1f, 4, " Left angle must be <= 4"},
      {dome, mapD, -4.1f, -4, " Right angle must be >= -4"},
      {lava, mapD, 4.1f, 4, " Right angle must be <= 4"},
      {plinian, strength, 1.01f, 1, " Maximum Plinian strength (1.00) exceeded."},
      {collapse, field(&PhaseRecord::ScarpBase), 12.8f, 12.81f, " Scarp base and top cannot be equal"},
      {collapse, mapA, 129, 128, " Mid radius must be <= 128 "},
      {fumarole, strength, 0.09f, 0.1f, " Fumarolic strength too low."},
      {fumarole, strength, 1.01f, 1, " Maximum Fumarolic strength exceeded."},
      {Style::Tectonic, [](PhaseRecord& p, float v) { p.DownSide = DownSide(int(v)); }, 0, 2, " Must select down side"},
      {Style::Tectonic, [](PhaseRecord& p, float v) { p.Dip = int(v), p.DownSide = DownSide::None; }, 0, -1, " Must select down side"},
      {plinian, [](PhaseRecord& p, float v) { p.CalderaFlag = 1, p.CalderaStyle = CalderaStyle(int(v)); }, 0, 2, " Must select caldera style."},
      {stromb, [](PhaseRecord& p, float v) { p.CalderaFlag = 1, p.CalderaStyle = CalderaStyle(int(v)); }, 0, 0, ""},
      // What no phase could run with is refused too, so the player can run whatever passes.
      {stromb, bursts, 5001, 5000, " Too many bursts", true},
      {lava, bursts, 101, 100, " Too many flows (100 at most)", true},
      {pfs, field(&PhaseRecord::Particles), std::numeric_limits<float>::infinity(), 50, " A value is not a number", true},
      {stromb, [](PhaseRecord& p, float v) { p.Slider[3] = int(v); }, 41, 40, " Slider 3 must be from 0 to 40", true},
      {stromb, [](PhaseRecord& p, float v) { p.Slider[1] = int(v); }, 0, 1, " Slider 1 must be from 1 to 11", true},
      {plinian, [](PhaseRecord& p, float v) { p.Slider[5] = int(v); }, 11, 10, " Slider 5 must be from 0 to 10", true},
      {Style::Tectonic, [](PhaseRecord& p, float v) { p.TectonicKind = TectonicKind::Erosion, p.ErodeCycles = int(v); }, -1, 0, " Erosion cycles must be >= 0", true},
      {Style::Tectonic, [](PhaseRecord& p, float v) { p.TectonicKind = TectonicKind(int(v)); }, 0, 2, " Must select eruption type", true},
  };
  for (const Rule& r : rules) {
    SCOPED_TRACE(std::string(r.message) + " / style " + std::to_string(int(r.style)));
    BurstTable bursts;
    for (int b = 1; b <= kRecBursts; ++b) bursts(1, b) = 100;
    PhaseRecord p = valid(r.style);
    ASSERT_EQ(checkPhase(p, bursts, 1, 20), "");
    r.set(p, r.bad);
    EXPECT_EQ(checkPhase(p, bursts, 1, 20), r.message);
    EXPECT_EQ(phaseDamage(p), r.damage ? r.message : "");
    p = valid(r.style);
    r.set(p, r.limit);
    EXPECT_EQ(checkPhase(p, bursts, 1, 20), "");
  }
}

TEST(PhaseCheck, LavaFlowsAreBoundedByStyleAndFlowLengthSliderAndTheLastMayBeShort) {
  const std::tuple<Style, int, int, float, const char*> cases[] = {  // style, slider 1, burst, duration, message
      {Style::Lava, 6, 1, 19.9f, " Flow Duration too short."},  {Style::Lava, 6, 1, 20, ""},
      {Style::Dome, 6, 1, 9.9f, " Flow Duration too short."},   {Style::Dome, 6, 1, 10, ""},
      {Style::Lava, 6, 1, 1201, " Flow Duration too long."},    {Style::Lava, 11, 1, 1800, ""},
      {Style::Lava, 1, 1, 601, " Flow Duration too long."},     {Style::Dome, 6, 2, 221, " Flow Duration too long."},
      {Style::Dome, 6, 2, 220, ""},                             {Style::Dome, 11, 1, 315, ""},
      {Style::Dome, 1, 1, 105.1f, " Flow Duration too long."},  {Style::Lava, 6, 3, 1, ""},  // the last: cut short
  };
  for (const auto& [style, slider1, burst, duration, message] : cases) {
    SCOPED_TRACE(::testing::Message() << int(style) << " slider " << slider1 << " burst " << burst << " " << duration);
    PhaseRecord p = valid(style);
    p.Bursts = 3, p.Slider[1] = slider1;
    BurstTable bursts;
    for (int b = 1; b <= 3; ++b) bursts(4, b) = 100;
    bursts(4, burst) = duration;
    EXPECT_EQ(checkPhase(p, bursts, 4, 20), message);
  }
}

TEST(PhaseCheck, ScarpBaseOffTheSectionIsPulledBackAndLocationsFollowTheScale) {
  PhaseRecord p = valid(Style::Collapse);
  BurstTable bursts;
  p.ScarpBase = 30;
  EXPECT_EQ(checkPhase(p, bursts, 1, 20), " Scarp base reset");
  EXPECT_FLOAT_EQ(p.ScarpBase, 24.6f);  // column 1230
  EXPECT_EQ(checkPhase(p, bursts, 1, 20), "");
  EXPECT_EQ(phaseDamage(valid(Style::Collapse)), "");
  PhaseRecord q = valid(Style::Stromb);
  q.Location = 0.2f;  // column 50 at 4 m per column
  EXPECT_EQ(checkPhase(q, bursts, 1, 4), "");
}

}  // namespace
}  // namespace magmo::test
