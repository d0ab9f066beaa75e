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

// Opening takes the legend's place and starts at the main window's vent location; closing
// undoes the window's own marks only.
TEST_F(ColumnCommandsTest, OpenAndCloseTheWindow) {
  ui().Legend.visible = ui().mnuViewLedg.checked = ui().toolbar["legend"].pressed = true;
  ui().txtLoc.text = "12.8";
  mnuViewStratClick(sim);
  EXPECT_TRUE(strat().visible);
  EXPECT_TRUE(ui().mnuViewStrat.checked);
  EXPECT_TRUE(ui().toolbar["strat"].pressed);
  EXPECT_FALSE(ui().Legend.visible || ui().mnuViewLedg.checked || ui().toolbar["legend"].pressed);
  EXPECT_EQ(strat().txtLoc.text, "12.80");
  EXPECT_EQ(strat().scroll, 640);
  EXPECT_EQ(strat().status, "Magmo Stratigraphy");
  EXPECT_EQ(host.sounds, std::vector<std::string>{sound("Maximize")});

  host.sounds.clear();
  mnuViewStratClick(sim);
  EXPECT_FALSE(strat().visible || ui().mnuViewStrat.checked || ui().toolbar["strat"].pressed);
  EXPECT_FALSE(ui().Legend.visible);
  EXPECT_EQ(host.sounds, std::vector<std::string>{sound("Minimize")});
  EXPECT_TRUE(host.messages.empty());
}

// The scroll value is the location's column, clamped to 16..1264; the field keeps the typed km.
TEST_F(ColumnCommandsTest, OpeningClampsTheScrollValue) {
  struct Case {
    float scale;
    const char* typed;
    const char* shown;
    int scroll;
  };
  const Case cases[] = {{20, "0.1", "0.10", 16},     {20, "-2", "-2.00", 16},     {20, "0.34", "0.34", 17},
                        {20, "25.26", "25.26", 1263}, {20, "25.3", "25.30", 1264}, {20, "300", "300.00", 1264},
                        {4, "2.5", "2.50", 625}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.typed);
    m().Scale = k.scale;
    ui().txtLoc.text = k.typed;
    strat().visible = false;
    mnuViewStratClick(sim);
    EXPECT_EQ(strat().txtLoc.text, k.shown);
    EXPECT_EQ(strat().scroll, k.scroll);
  }
}

// The scroll bar sets the field; Enter in the field sets the scroll bar, clamped, and the
// field then shows the column it reached.
TEST_F(ColumnCommandsTest, ScrollAndTypedLocationFollowEachOther) {
  stratScrollChange(sim, 700);
  EXPECT_EQ(strat().scroll, 700);
  EXPECT_EQ(strat().txtLoc.text, "14.00");
  m().Scale = 4;
  stratScrollChange(sim, 700);
  EXPECT_EQ(strat().txtLoc.text, "2.80");

  m().Scale = 20;
  struct Case {
    const char* typed;
    int scroll;
    const char* shown;
  };
  const Case cases[] = {{"0.2", 16, "0.32"}, {"x", 16, "0.32"}, {"12.9", 645, "12.90"}, {"25.28", 1264, "25.28"},
                        {"99", 1264, "25.28"}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.typed);
    strat().txtLoc.text = k.typed;
    stratLocEnter(sim);
    EXPECT_EQ(strat().scroll, k.scroll);
    EXPECT_EQ(strat().txtLoc.text, k.shown);
  }
}

// The window draws the slice at its own location, and reads the pointer only with captions on.
TEST_F(ColumnCommandsTest, RedrawAndPointerUseTheWindowsLocation) {
  buildCone(200, 30, 50);
  strat().txtLoc.text = "4.00";
  const ColumnScale atCone = redrawStrat(sim, host.canvas);
  EXPECT_FALSE(atCone.empty);
  EXPECT_EQ(atCone.mag, 10);
  EXPECT_FLOAT_EQ(atCone.base, 1.25f * 300);  // the cone's top, magnified 10 times
  strat().txtLoc.text = "20.00";
  EXPECT_TRUE(redrawStrat(sim, host.canvas).empty);

  ui().mnuOptHtips.checked = false;
  EXPECT_EQ(strataMouseMove(sim, atCone, 16, 0), "");
  ui().mnuOptHtips.checked = true;
  EXPECT_EQ(strataMouseMove(sim, atCone, 16, 0).rfind("x = 20.00 km:  y = ", 0), 0u);
}

}  // namespace
}  // namespace magmo::test
