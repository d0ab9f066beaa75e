#include <optional>

#include "model/Numeric.h"
#include "support/SimFixture.h"

namespace magmo::test {
namespace {

class ResetTest : public SimTest {
 protected:
  // A reset at the scale of the item.
  void resetAt(MenuItem Controls::*scale) {
    for (auto item : {&Controls::mnuOptScaleSmall, &Controls::mnuOptScaleNorm, &Controls::mnuOptScaleLarge})
      (ui().*item).checked = item == scale;
    clearVar(sim);
  }
  // The same, then one layer whose height is its column.
  void rampAt(MenuItem Controls::*scale) {
    resetAt(scale);
    m().LayerCount = 1;
    for (int x = 1; x <= 1280; ++x) m().Strat(1, x) = static_cast<float>(x);
  }
};

TEST_F(ResetTest, ClearVarRestoresTheDefaultsOfTheNormalScale) {
  m().LayerCount = 7, m().VentX = 99, m().VentKm = 3, m().Strat(3, 100) = 5, m().TotalVolume = 2;
  ui().mnuParStatic.checked = true, ui().Slider[3].value = 4, ui().txtWind.text = "12";
  clearVar(sim);
  EXPECT_EQ(std::tuple(m().Scale, m().VentX, m().PartCount, m().BurstLimit, m().LayerCount, m().Strat(3, 100), m().TotalVolume),
            std::tuple(20, 640, 25, 1000, 0, 0, 0));
  EXPECT_EQ(std::tuple(ui().txtLoc.text, ui().txtStr.text, ui().txtWind.text, ui().Slider[3].value, ui().mnuParStatic.checked,
                       ui().statusBar2[2], m().VentKm, m().GravityScaled),
            std::tuple("12.80", "0.40", "0", 20, false, "Dormant   ", 12.8f, 9.8f / 20));
}

TEST_F(ResetTest, ShrinkingKeepsTheConeCentredAndLevelsTheFlanks) {
  // Small to Normal: a cone at the centre ends one fifth as wide and high.
  resetAt(&Controls::mnuOptScaleSmall);
  buildCone(640, 100, 400);
  ASSERT_TRUE(changeScale(sim, ScaleItem::Normal));
  EXPECT_TRUE(m().Scale == 20 && ui().mnuOptScaleNorm.checked && !ui().mnuOptScaleSmall.checked);
  // Target column 512 + j takes source column 1 + 5j.
  for (int j : {0, 100, 127, 128, 200, 255})
    EXPECT_FLOAT_EQ(m().Strat(1, 512 + j), std::max(0.0f, 100 * (1 - std::abs(1 + 5 * j - 640) / 400.0f)) / 5);
  EXPECT_EQ(std::pair(m().Strat(1, 1), m().Strat(1, 1280)), std::pair(m().Strat(1, 512), m().Strat(1, 767)));
  EXPECT_EQ(std::tuple(m().Topo[700], m().LayerVentX[1], ui().txtStr.text), std::tuple(m().Strat(1, 700), 640, "0.40"));
}

TEST_F(ResetTest, EnlargingAsksTheZoomPositionAndMovesVentsOutOfView) {
  resetAt(&Controls::mnuOptScaleLarge);
  buildCone(600, 10, 200);
  m().LayerCount = 2, m().LayerVentX[2] = 300, m().LayerBase[1] = 2;
  for (int x = 0; x <= 1280; ++x) m().Strat(2, x) = m().Strat(1, x) + 1;
  std::vector<float> before(1281);
  for (int x = 0; x <= 1280; ++x) before[x] = m().Strat(1, x);
  host.inputAnswers.push_back("3");
  ASSERT_TRUE(changeScale(sim, ScaleItem::Normal));
  ASSERT_TRUE(host.prompts.size() == 1 && host.prompts[0].find("1 = left, 2 = left center") != std::string::npos);
  EXPECT_EQ(std::tuple(m().LayerVentX[1], m().LayerVentX[2], m().LayerBase[1]), std::tuple((600 - 512) * 5, 0, 10.0f));
  // Source column 512 + i fills target columns 5i + 1 .. 5i + 5, heights times five.
  for (int i : {0, 17, 88, 200})
    for (int d = 1; d <= 5; ++d) EXPECT_FLOAT_EQ(m().Strat(1, 5 * i + d), 5 * before[512 + i]);
  EXPECT_EQ(std::pair(m().Strat(1, 5 * 88 + 3), m().Topo[441]), std::pair(5 * 10.0f, m().Strat(2, 441)));
}

// Normal to Small enlarges five times: the answer picks the fifth of the profile that fills it.
TEST_F(ResetTest, TheZoomAnswerPicksTheWindowAndAnythingElseTheCentre) {
  const std::pair<std::optional<std::string>, int> answers[] = {
      {"1", 1}, {"2", 256}, {"3", 512}, {"4", 768}, {"5", 1024}, {"6", 512}, {"0", 512}, {"x", 512}, {std::nullopt, 512}};
  for (const auto& [answer, firstSource] : answers) {
    SCOPED_TRACE(answer.value_or("(cancelled)"));
    rampAt(&Controls::mnuOptScaleNorm);
    host.inputAnswers.push_back(answer);
    ASSERT_TRUE(changeScale(sim, ScaleItem::Small));
    EXPECT_EQ(std::pair(m().Strat(1, 1), m().Strat(1, 6)), std::pair(5.0f * firstSource, 5.0f * (firstSource + 1)));
  }
  // Large to Small enlarges 25 times from narrower windows; the last source column fills the end.
  const std::pair<int, int> windows[] = {{114, 165}, {364, 415}, {614, 665}, {784, 835}, {1034, 1085}};
  for (int answer = 1; answer <= 5; ++answer) {
    rampAt(&Controls::mnuOptScaleLarge);
    host.inputAnswers.push_back(std::to_string(answer));
    ASSERT_TRUE(changeScale(sim, ScaleItem::Small));
    const auto [first, last] = windows[answer - 1];
    EXPECT_EQ(std::tuple(m().Strat(1, 1), m().Strat(1, 26), m().Strat(1, 1280)),
              std::tuple(first * 25.0f, (first + 1) * 25.0f, last * 25.0f)) << answer;
  }
  EXPECT_EQ(std::pair(m().Scale, ui().txtStr.text), std::pair(4.0f, std::string("0.20")));
}

TEST_F(ResetTest, DecliningTheMapQuestionChangesNothing) {
  ui().mnuOptMapEnable.checked = true;
  buildCone(640, 50, 100);
  host.yesNoAnswers.push_back(false);
  EXPECT_FALSE(changeScale(sim, ScaleItem::Large));
  EXPECT_TRUE(m().Scale == 20 && m().Strat(1, 640) == 50 && ui().mnuOptMapEnable.checked);
  host.yesNoAnswers.push_back(true);
  m().mapGrid(10, 10) = 3;
  EXPECT_TRUE(changeScale(sim, ScaleItem::Large));
  EXPECT_TRUE(!ui().mnuOptMapEnable.checked && m().mapGrid(10, 10) == 0 && ui().statusBar1[7] == "Map Off");
}

TEST_F(ResetTest, GravityItemsAndTheUserValue) {
  selectGravity(sim, GravityItem::Moon);
  EXPECT_EQ(std::tuple(m().Gravity, ui().statusBar1[5], ui().mnuOptGMoon.checked, ui().mnuOptGEarth.checked),
            std::tuple(1.6f, "Moon Gravity", true, false));
  host.inputAnswers = {"4.9", std::nullopt, "-3"};
  selectGravity(sim, GravityItem::User);
  EXPECT_EQ(std::tuple(m().Gravity, ui().statusBar1[5], m().GravityScaled), std::tuple(4.9f, "0.50 Earth Gravity", 4.9f / 20));
  // Cancel and non-positive answers keep the gravity; the answer is remembered.
  selectGravity(sim, GravityItem::User);
  selectGravity(sim, GravityItem::User);
  EXPECT_EQ(std::pair(m().Gravity, ui().gravityAnswer), std::pair(4.9f, std::string("-3")));
  EXPECT_EQ(ui().statusBar2[1], "Gravity \"-3\" is not a number above 0: kept at 0.50 Earth Gravity");
}

}  // namespace
}  // namespace magmo::test
