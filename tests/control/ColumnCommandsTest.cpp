#include "control/ColumnCommands.h"

#include "support/SimFixture.h"

namespace magmo::test {
namespace {

class ColumnCommandsTest : public SimTest {
 protected:
  ColumnCommandsTest() { ui().mnuOptSound.checked = true; }
  StratWindow& strat() { return ui().Strat; }
  std::string sound(const char* name) { return sim.paths.sound(std::string(name) + ".wav"); }
};

// Opening takes the legend's place; closing undoes the window's own marks only.
TEST_F(ColumnCommandsTest, OpenAndCloseTheWindow) {
  ui().Legend.visible = ui().mnuViewLedg.checked = ui().toolbar["legend"].pressed = true;
  mnuViewStratClick(sim);
  EXPECT_TRUE(strat().visible && ui().mnuViewStrat.checked && ui().toolbar["strat"].pressed);
  EXPECT_FALSE(ui().Legend.visible || ui().mnuViewLedg.checked || ui().toolbar["legend"].pressed);
  EXPECT_EQ(std::pair(strat().status, host.sounds), std::pair(std::string("Magmo Stratigraphy"), std::vector{sound("Maximize")}));
  mnuViewStratClick(sim);
  EXPECT_FALSE(strat().visible || ui().mnuViewStrat.checked || ui().toolbar["strat"].pressed || ui().Legend.visible);
  EXPECT_EQ(std::pair(host.sounds, host.messages.size()), std::pair(std::vector{sound("Maximize"), sound("Minimize")}, size_t(0)));
}

// The scroll value is the location's column clamped to 16..1264, on opening (the field keeps
// the typed km) and on Enter (the field then shows the column reached); the scroll bar sets it.
TEST_F(ColumnCommandsTest, LocationAndScrollValueFollowEachOther) {
  const struct { float scale; const char *typed, *opened; int scroll; const char* entered; } cases[] = {
      {20, "0.1", "0.10", 16, "0.32"},         {20, "x", "0.00", 16, "0.32"},
      {20, "0.34", "0.34", 17, "0.34"},        {20, "12.8", "12.80", 640, "12.80"},
      {20, "25.26", "25.26", 1263, "25.26"},   {20, "300", "300.00", 1264, "25.28"},
      {4, "2.5", "2.50", 625, "2.50"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.typed);
    m().Scale = k.scale;
    ui().txtLoc.text = k.typed;
    strat().visible = false;
    mnuViewStratClick(sim);
    EXPECT_EQ(std::pair(strat().txtLoc.text, strat().scroll), std::pair(std::string(k.opened), k.scroll));
    strat().txtLoc.text = k.typed, strat().scroll = 0;
    stratLocEnter(sim);
    EXPECT_EQ(std::pair(strat().txtLoc.text, strat().scroll), std::pair(std::string(k.entered), k.scroll));
  }
  stratScrollChange(sim, 700);
  EXPECT_EQ(std::pair(strat().txtLoc.text, strat().scroll), std::pair(std::string("2.80"), 700));
}

// The window draws the slice at its own location, and reads the pointer only with captions on.
TEST_F(ColumnCommandsTest, RedrawAndPointerUseTheWindowsLocation) {
  buildCone(200, 30, 50);
  strat().txtLoc.text = "4.00";
  const ColumnScale atCone = redrawStrat(sim, host.canvas);
  EXPECT_TRUE(!atCone.empty && atCone.base == 1.25f * 300);  // the cone's top, magnified 10 times
  strat().txtLoc.text = "20.00";
  EXPECT_TRUE(redrawStrat(sim, host.canvas).empty);
  EXPECT_EQ(strataMouseMove(sim, atCone, 16, 0).rfind("x = 20.00 km:  y = ", 0), 0u);
  ui().mnuOptHtips.checked = false;
  EXPECT_EQ(strataMouseMove(sim, atCone, 16, 0), "");
}

}  // namespace
}  // namespace magmo::test
