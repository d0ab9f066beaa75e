#include "control/Params.h"
#include "support/SimFixture.h"

namespace magmo::test {
namespace {

class ParamsTest : public SimTest {
 protected:
  void okWith(const char* loc, const char* str, const char* wind, const char* part) {
    ui().txtLoc.text = loc;
    ui().txtStr.text = str;
    ui().txtWind.text = wind;
    ui().txtPart.text = part;
    changeOk(sim);
  }
};

TEST_F(ParamsTest, SelectingStrombolianLaysOutItsPanel) {
  ui().txtStr.text = "3";
  selectStyle(sim, Style::Stromb);
  EXPECT_TRUE(ui().mnuParStrom.checked);
  EXPECT_TRUE(ui().toolbar["strombolian"].pressed);
  EXPECT_TRUE(ui().Change.visible);
  EXPECT_EQ(ui().Change.caption, "Strombolian Parameters");
  EXPECT_FALSE(ui().Legend.visible);
  EXPECT_TRUE(ui().panTephra.visible);
  EXPECT_FALSE(ui().chkDirected.enabled);
  EXPECT_EQ(ui().chkCaldDiat.caption, "Diatreme");
  EXPECT_EQ(ui().txtStr.text, "1.00");  // clamped to 0.1..1.0 on selection
  EXPECT_FALSE(ui().chkCaldDiat.enabled);  // strength above 0.31
  EXPECT_EQ(ui().txtPart.text, "50");      // CInt(1.0 * 25 + 25)
  EXPECT_EQ(ui().statusBar2[1], "Choose Strombolian Parameters");
  EXPECT_TRUE(ui().Command[1].enabled && ui().Command[1].isDefault);
  EXPECT_FALSE(ui().cmdErupt.enabled);
  EXPECT_EQ(ui().ActiveField, "Location");
  // A second click deselects.
  selectStyle(sim, Style::Stromb);
  EXPECT_FALSE(ui().mnuParStrom.checked);
  EXPECT_EQ(ui().statusBar2[1], "Select Erupt Parameters");
  EXPECT_TRUE(ui().Legend.visible);
}

TEST_F(ParamsTest, OkClampsAndEchoesEveryValue) {
  selectStyle(sim, Style::Stromb);
  okWith("0", "2.5", "-80", "99");
  EXPECT_EQ(m().VentX, 50);
  EXPECT_EQ(ui().txtLoc.text, "1.00");
  EXPECT_FLOAT_EQ(m().Strength, 2.0f);
  EXPECT_EQ(ui().txtStr.text, "2.00");
  EXPECT_FLOAT_EQ(m().StrengthC, 0.03f);
  EXPECT_EQ(m().Wind, -50);
  EXPECT_EQ(ui().txtWind.text, "-50");
  EXPECT_EQ(m().PartCount, 50);
  EXPECT_EQ(m().EruptType, 2);
  EXPECT_EQ(ui().EruptTitle, "Strombolian (Scoria) Eruption");
  EXPECT_TRUE(ui().cmdErupt.enabled && ui().cmdErupt.isDefault);
  EXPECT_FALSE(ui().Command[1].enabled);
  okWith("abc", "x", "", "0");
  EXPECT_EQ(m().VentX, 50);
  EXPECT_FLOAT_EQ(m().Strength, 0.1f);
  EXPECT_EQ(m().PartCount, 1);
  EXPECT_EQ(m().Wind, 0);
}

TEST_F(ParamsTest, EditsDisarmAndLimitTheLocationWhileTyping) {
  selectStyle(sim, Style::Stromb);
  changeOk(sim);
  ASSERT_TRUE(ui().cmdErupt.enabled);
  ui().txtLoc.text = "99";
  txtLocChange(sim);
  EXPECT_FALSE(ui().cmdErupt.enabled);
  EXPECT_TRUE(ui().Command[1].enabled);
  EXPECT_EQ(ui().txtLoc.text, "25.60");
  EXPECT_EQ(m().NewVentX, 1280);
  changeOk(sim);
  EXPECT_EQ(m().VentX, 1230);
  ui().txtLoc.text = "-3";
  txtLocChange(sim);
  EXPECT_EQ(ui().txtLoc.text, "0.00");
}

TEST_F(ParamsTest, DiatremeBoxFollowsTheTypedStrength) {
  selectStyle(sim, Style::Stromb);
  ui().txtStr.text = "0.25";
  txtStrChange(sim);
  EXPECT_TRUE(ui().chkCaldDiat.enabled);
  EXPECT_EQ(ui().txtPart.text, "31");  // CInt(0.25 * 25 + 25) = CInt(31.25)
  ui().chkCaldDiat.checked = true;
  changeOk(sim);
  EXPECT_EQ(ui().EruptTitle, "Diatreme Eruption");
  ui().txtStr.text = "0.5";
  txtStrChange(sim);
  EXPECT_FALSE(ui().chkCaldDiat.enabled || ui().chkCaldDiat.checked);
}

TEST_F(ParamsTest, FlowSurgeStrengthIsNormalisedThroughStrengthC) {
  for (auto [typed, shown, c] : {std::tuple{"0.05", "0.20", 0.83f}, {"1.5", "1.00", 0.03f}}) {
    ui().txtStr.text = typed;
    selectStyle(sim, Style::Pfs);
    EXPECT_EQ(ui().txtStr.text, shown);
    EXPECT_NEAR(m().StrengthC, c, 1e-6);
    EXPECT_TRUE(ui().chkDirected.enabled);
    selectStyle(sim, Style::Pfs);
  }
}

TEST_F(ParamsTest, PlinianTitleDependsOnScale) {
  ui().txtStr.text = "0.6";
  selectStyle(sim, Style::Plinian);
  changeOk(sim);
  EXPECT_EQ(ui().EruptTitle, "Plinian (Pumice) Eruption");
  ui().mnuOptScaleSmall.checked = true;
  changeOk(sim);
  EXPECT_EQ(ui().EruptTitle, "Subplinian Eruption");
}

}  // namespace
}  // namespace magmo::test
