#include <algorithm>
#include <cmath>
#include <sstream>

#include "model/Numeric.h"
#include "model/Vent.h"
#include "support/SimFixture.h"

namespace magmo::test {
namespace {
using VentTest = SimTest;

TEST(NumericTest, CintRoundsHalvesToEvenWithinSixteenBitsAndIntPartRoundsDown) {
  for (auto [v, want] : {std::pair{0.5, 0}, {1.5, 2}, {2.5, 2}, {-1.5, -2}, {-2.5, -2}, {2.4999, 2},
                         {32767.4, 32767}, {-32768.5, -32768}})
    EXPECT_EQ(cint(v), want) << v;
  for (double v : {32767.5, -32769.0, std::nan("")}) EXPECT_THROW(cint(v), SimError) << v;
  for (auto [v, want] : {std::pair{2.9, 2}, {-0.5, -1}, {-2.0, -2}, {-2.1, -3}}) EXPECT_EQ(intPart(v), want) << v;
}

TEST(NumericTest, NumValTakesTheLongestLeadingPartThatIsANumber) {
  for (auto [text, want] : {std::pair{"", 0.0f}, {"abc", 0.0f}, {"-", 0.0f}, {"12abc", 12.0f}, {"  3.5x", 3.5f},
                            {"-.5", -0.5f}, {"+4", 4.0f}, {"2.5e2km", 250.0f}, {"12e+", 12.0f}, {"12 3", 12.0f},
                            {"1e40", 1e4f}})  // "1e40" is beyond a single; "1e4" is the last part that converts
    EXPECT_EQ(numVal(text), want) << text;
  // Typed input: blanks anywhere are skipped.
  EXPECT_EQ(std::tuple(val(" 1 2 3"), val("4.5 km"), val("x1")), std::tuple(123, 4.5, 0));
}

TEST(NumericTest, FormatPatternsRoundHalvesAwayFromZero) {
  struct Case { double v; const char* pattern; const char* want; };
  for (const Case& c : {Case{2.5, "0", "3"}, {-2.5, "0", "-3"}, {0.25, "0.0", "0.3"}, {0.125, "0.00", "0.13"},
                        {-12.8, "0.00", "-12.80"}, {0.6346, "0.000", "0.635"}, {1234567, "0,000", "1,234,567"},
                        {5, "0,000", "0,005"}, {-1234.56, "0,000.0", "-1,234.6"}, {999.96, "0,000.0", "1,000.0"},
                        {1141552.51, "0,000,000.0", "1,141,552.5"}, {0.333, "0%", "33%"}, {-0.5, "0%", "-50%"},
                        {0.4f, "", "0.4"}, {12, "", "12"}})
    EXPECT_EQ(format(c.v, c.pattern), c.want) << c.v << " " << c.pattern;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

TEST_F(VentTest, TheFiveHundredthLayerOpensAndTheNextPhaseTurnsStatic) {
  m().LayerCount = 499, m().VentX = 20, m().Topo[50] = 33;
  ventCenter(sim);
  // The vent limited to column 50.
  EXPECT_TRUE(m().LayerCount == 500 && m().LayerBase[500] == 33 && host.messages.empty() && m().LayerVentX[500] == 50);
  ui().mnuParAuto.checked = ui().mnuParStrom.checked = ui().chkCaldDiat.checked = true;
  ventCenter(sim);
  EXPECT_EQ(std::pair(m().LayerCount, host.messages),
            std::pair(500, std::vector<std::string>{"Eruption cycle limit (500) reached, static eruption selected."}));
  EXPECT_TRUE(ui().mnuParStatic.checked);
  EXPECT_FALSE(ui().mnuParLava.enabled || ui().mnuParCol.enabled || ui().toolbar["hawaiian"].enabled || ui().chkCaldDiat.checked);
  EXPECT_TRUE(ui().mnuParAuto.checked && ui().mnuParStrom.checked);  // the running cycle goes on
}

TEST_F(VentTest, LaunchSpeedsFollowTheStyle) {
  m().EruptType = Style::Stromb;  // on Earth at the Normal scale
  m().Strength = 0.4f, m().PartCount = 50;
  velocity(sim);
  float highest = 0;
  int leftward = 0;
  for (int k = 1; k <= 50; ++k) {
    EXPECT_TRUE(std::fabs(m().PartU[k]) < 1 && m().PartW[k] >= 2 && m().PartW[k] < 5) << m().PartU[k] << " " << m().PartW[k];
    highest = std::max(highest, m().PartW[k]);
    leftward += m().PartU[k] < 0;
  }
  EXPECT_TRUE(leftward > 0 && leftward < 50);
  EXPECT_FLOAT_EQ(m().MaxFlight, 2 * highest / 0.49f);
  EXPECT_TRUE(m().CloudHeight == 0.4f * 25 / 0.49f && m().CloudRadius == 5 / 0.49f);  // A = 5, B = 1
  m().EruptType = Style::Pfs;  // a directed flow goes only toward the blast
  m().StrengthC = 0.43f, ui().chkDirected.checked = true;
  for (int side : {1, -1}) {
    m().Directed = side;
    velocity(sim);
    for (int k = 1; k <= 50; ++k)
      EXPECT_TRUE(m().PartU[k] * side >= 0 && std::fabs(m().PartU[k]) <= 260 * (1 - 0.43f * 0.43f) / 20 && m().PartW[k] == 0);
  }
}

// A deposit counts as a disc as wide as its extent with its mean thickness; an older layer
// measures as the statistics measured it, the first from the base level.
TEST_F(VentTest, StatisticsMeasureTheDepositAsADisc) {
  m().LayerCount = 2;
  for (int x = 600; x <= 700; ++x) m().Topo[x] = m().Strat(2, x) = 10;
  m().EruptType = Style::Stromb, m().Strength = 0.4f, m().BurstCount = 3;
  m().EruptVolume = 2e8;  // the previous measurement, already in the total
  m().TotalVolume = 1.0;
  eruptVEI(sim);
  const double volume = 1000.0 * 1000.0 * 3.14159 * (20.0 * 1010 / 100);  // R 1000 m, H 202 m
  EXPECT_NEAR(m().EruptVolume, volume, 1);
  EXPECT_NEAR(m().TotalVolume, 1.0 - 0.2 + volume / 1e9, 1e-9);
  EXPECT_EQ(lines(ui().labVei), (std::vector<std::string>{"2 / 3", "0.635 km^3", "4 / 20.0 hrs", "1.435 km^3", "20.0 hrs"}));
  m().EruptType = Style::Lava;  // lava has no explosivity
  eruptVEI(sim);
  EXPECT_EQ(lines(ui().labVei)[2], "0 / 7.5 days");  // 20 + 20 x 8 hours
  EXPECT_TRUE(std::abs(layerVolume(m(), 2) - volume) < 1 && layerVolume(m(), 3) == 0 && layerVolume(m(), 0) == 0);
  for (int x = 1; x <= 1280; ++x) m().Strat(1, x) = 50;
  EXPECT_NEAR(layerVolume(m(), 1), 639.5 * 20 * 639.5 * 20 * 3.14159 * 20 * 50 * 1280 / 1279.0, 1e3);
}

TEST_F(VentTest, DurationVolumeAndIndexTexts) {
  EXPECT_EQ((std::vector{durationText(20000), durationText(8.77e6), durationText(1e10), wholeDurationText(40), volumeText(1e8)}),
            (std::vector<std::string>{"2.3 years", "1,001.1 years", "1,141,552.5 years", "2 days", "0.100 km^3"}));
  for (auto [v, index] : {std::pair{1e4, 0}, {1e4 + 1, 1}, {1e12, 7}, {2e12, 8}})
    EXPECT_EQ(explosivityIndex(v), index) << v;
}

TEST_F(VentTest, DikeRisesToTheSurfaceAndCoolsInTheOlderStrata) {
  const auto& calls = host.canvas.calls;
  auto column = [&](int colour) {
    return std::all_of(calls.begin(), calls.end(),
                       [&](const DrawCall& c) { return c.x1 == 640 && c.color == paletteColor(colour); });
  };
  m().Topo[640] = 100;
  const long slept = host.sleptMs;
  eruptDike(sim, 1);
  ASSERT_EQ(calls.size(), 630u - 502 + 1);  // from 630 up to CInt(602 - 100)
  EXPECT_TRUE(calls.front().y1 == 630 && calls.back().y1 == 502 && column(13) && ui().statusBar2[2] == "Dike Intruding   ");
  EXPECT_EQ(host.sleptMs - slept, 20 * static_cast<long>(calls.size()));
  host.canvas.clear();
  m().LayerCount = 2, m().Strat(1, 640) = 50;
  eruptDike(sim, 0);
  ASSERT_EQ(calls.size(), 600u - 551 + 1);  // from CInt(601 - 50) down to the base
  EXPECT_TRUE(calls.front().y1 == 551 && calls.back().y1 == 600 && column(0) && ui().statusBar2[2] == "Dike Cooling   ");
}

TEST_F(VentTest, CloudRisesAboveTheVentAndDriftsDownwind) {
  m().EruptType = Style::Stromb, m().Strength = 0.4f;
  velocity(sim);  // sets the cloud's extent
  m().BurstCount = 10, m().BurstTime = 3, m().Topo[640] = 50, m().WindScaled = 40.0f / 20;
  for (int i = 0; i < 20; ++i) eruptCloud(sim);
  ASSERT_FALSE(host.canvas.calls.empty());
  for (const auto& c : host.canvas.calls)  // a drift of 40 m/s x 3 s / 10 outruns the spread near the vent
    EXPECT_TRUE(c.y1 <= 600 - 50 - m().CloudHeight && c.x1 > 640) << c.x1 << "," << c.y1;
  m().EruptType = Style::Lava;
  eruptCloud(sim);
  EXPECT_TRUE(m().CloudRadius == 2 && m().CloudHeight == 2);
  host.canvas.clear();
  m().VentX = 5000;  // off the profile: reported, not drawn
  eruptCloud(sim);
  eruptDike(sim, 1);
  EXPECT_EQ(std::pair(host.canvas.calls.size(), host.messages),
            std::pair(size_t(0), std::vector<std::string>{"EruptCloud error: \nSubscript out of range",
                                                          "EruptDike error: \nSubscript out of range"}));
}
}  // namespace
}  // namespace magmo::test
