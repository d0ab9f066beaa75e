#include "control/ProfileCommands.h"
#include "views/Profile.h"

#include <algorithm>

#include "support/SimFixture.h"

namespace magmo::test {
namespace {

class ProfileTest : public SimTest {
 protected:
  std::vector<DrawCall> callsOf(DrawCall::Kind kind) const {
    std::vector<DrawCall> out;
    for (const DrawCall& c : host.canvas.calls)
      if (c.kind == kind) out.push_back(c);
    return out;
  }
  const DrawCall* findLine(float x1, float y1, float x2, float y2) const {
    for (const DrawCall& c : host.canvas.calls)
      if (c.kind == DrawCall::Line && c.x1 == x1 && c.y1 == y1 && c.x2 == x2 && c.y2 == y2) return &c;
    return nullptr;
  }
  // Texts printed on the label row of the distance axis, as (x, text).
  std::vector<std::pair<float, std::string>> axisTexts() const {
    std::vector<std::pair<float, std::string>> out;
    for (const DrawCall& c : callsOf(DrawCall::Text))
      if (c.y1 == 660) out.emplace_back(c.x1, c.text);
    return out;
  }
  void refresh() {
    host.canvas.clear();
    screenRefresh(sim);
  }
  void checkScale(MenuItem Controls::*item) {
    ui().mnuOptScaleSmall.checked = ui().mnuOptScaleNorm.checked = ui().mnuOptScaleLarge.checked = false;
    if (item) (ui().*item).checked = true;
  }
  // Two layers over a basement at 20: layer 1 flat at 100, layer 2 a 100-column lens at 150.
  void buildLens() {
    m().LayerCount = 2;
    m().LayerColor[1] = 2;
    m().LayerColor[2] = 12;
    for (int x = 0; x <= 1280; ++x) {
      m().Strat(0, x) = 20;
      m().Strat(1, x) = 100;
      m().Strat(2, x) = (x >= 100 && x < 200) ? 150 : 100;
    }
  }
};

TEST_F(ProfileTest, StrataAreColumnSpansOfEachLayersThickness) {
  buildLens();
  refresh();
  const auto spans = callsOf(DrawCall::Span);
  ASSERT_EQ(spans.size(), 1280u + 100u);  // layer 2 is drawn only where it has thickness
  int lensSpans = 0;
  for (const DrawCall& s : spans) {
    EXPECT_GE(s.x1, 1);  // column 0 is never drawn
    EXPECT_TRUE(s.persistent);
    if (s.color == paletteColor(2)) {
      EXPECT_EQ(s.y1, 580);  // from the basement surface
      EXPECT_EQ(s.y2, 500);
    } else {
      ASSERT_EQ(s.color, paletteColor(12));
      EXPECT_TRUE(s.x1 >= 100 && s.x1 < 200);
      EXPECT_EQ(s.y1, 500);
      EXPECT_EQ(s.y2, 450);
      ++lensSpans;
    }
  }
  EXPECT_EQ(lensSpans, 100);
  // Within a column the later layer comes after the earlier one, so it is drawn over it.
  auto at = [&](int x, Rgb c) {
    return std::find_if(spans.begin(), spans.end(), [&](const DrawCall& s) { return s.x1 == x && s.color == c; });
  };
  EXPECT_LT(at(150, paletteColor(2)), at(150, paletteColor(12)));
}

TEST_F(ProfileTest, SingleLayerRisesFromBaseLevelWhateverTheBasement) {
  buildLens();
  m().LayerCount = 1;
  refresh();
  const auto spans = callsOf(DrawCall::Span);
  ASSERT_EQ(spans.size(), 1280u);
  for (const DrawCall& s : spans) EXPECT_EQ(s.y1, 600);
}

TEST_F(ProfileTest, AxisStripTicksAndLabelsPerScale) {
  refresh();
  auto boxes = callsOf(DrawCall::Box);
  boxes.erase(boxes.begin());  // the clean picture
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].color, paletteColor(1));
  EXPECT_EQ(boxes[0].y1, 601);
  EXPECT_EQ(boxes[0].y2, 660);
  int major = 0, minor = 0;
  for (const DrawCall& c : callsOf(DrawCall::Line)) {
    if (c.y1 == 655 && c.y2 == 643) ++major;
    if (c.y1 == 655 && c.y2 == 649) ++minor;
    if (c.y1 == 655) { EXPECT_EQ(c.penWidth, 2); }
  }
  EXPECT_EQ(major, 6);
  EXPECT_EQ(minor, 20);  // multiples of 50 up to 1200 that are no major tick

  using Labels = std::vector<std::pair<float, std::string>>;
  checkScale(&Controls::mnuOptScaleSmall);
  refresh();
  EXPECT_EQ(axisTexts(), (Labels{{0, "0"}, {244, "1"}, {494, "2"}, {610, "km"}, {744, "3"}, {994, "4"}, {1244, "5"}}));
  checkScale(&Controls::mnuOptScaleNorm);
  refresh();
  EXPECT_EQ(axisTexts(),
            (Labels{{0, "0"}, {244, "5"}, {490, "10"}, {610, "km"}, {740, "15"}, {990, "20"}, {1240, "25"}}));
  checkScale(&Controls::mnuOptScaleLarge);
  refresh();
  EXPECT_EQ(axisTexts(),
            (Labels{{0, "0"}, {238, "25"}, {488, "50"}, {610, "km"}, {738, "75"}, {988, "100"}, {1238, "125"}}));
  checkScale(nullptr);
  refresh();
  for (const auto& [x, text] : axisTexts())
    if (x != 0 && x != 610) { EXPECT_EQ(text, ""); }
}

TEST_F(ProfileTest, ConduitsOfLayersWithVentsOnly) {
  buildLens();
  m().LayerCount = 3;
  m().LayerColor[3] = 4;
  for (int x = 0; x <= 1280; ++x) m().Strat(3, x) = 160;
  m().LayerVentX[1] = 300, m().LayerBase[1] = 40;
  m().LayerVentX[2] = 0;
  m().LayerVentX[3] = 700, m().LayerBase[3] = 100;
  refresh();
  const DrawCall* mark = findLine(300, 620, 300, 600);
  const DrawCall* conduit = findLine(300, 600, 300, 560);
  ASSERT_TRUE(mark && conduit);
  EXPECT_EQ(mark->color, paletteColor(4));
  EXPECT_EQ(conduit->color, paletteColor(0));
  const DrawCall* last = findLine(700, 630, 700, 500);
  ASSERT_TRUE(last);
  EXPECT_EQ(last->color, paletteColor(12));
  for (const DrawCall& c : callsOf(DrawCall::Line)) EXPECT_FALSE(c.x1 == 0 && c.y1 == 620);
}

TEST_F(ProfileTest, NewVentMarkOnlyWhereNoLayerHasItsVent) {
  buildLens();
  ui().txtLoc.text = "9.00";  // column 450 at 20 m per column
  refresh();
  EXPECT_EQ(m().NewVentX, 450);
  const DrawCall* mark = findLine(450, 605, 450, 630);
  ASSERT_TRUE(mark);
  EXPECT_EQ(mark->color, paletteColor(7));
  m().LayerVentX[1] = 450;
  refresh();
  EXPECT_FALSE(findLine(450, 605, 450, 630));
}

TEST_F(ProfileTest, VerticalScaleToggles) {
  ui().toolbar["vertical"].pressed = true;
  host.canvas.clear();
  mnuViewVertClick(sim);
  EXPECT_TRUE(ui().mnuViewVert.checked);
  EXPECT_FALSE(ui().toolbar["vertical"].pressed);
  EXPECT_TRUE(findLine(1, 601, 1, 0));
  EXPECT_TRUE(findLine(1, 350, 12, 350));
  EXPECT_TRUE(findLine(1, 550, 6, 550));
  const auto texts = callsOf(DrawCall::Text);
  EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](auto& t) { return t.x1 == 20 && t.y1 == 90 && t.text == "10"; }));
  host.canvas.clear();
  mnuViewVertClick(sim);
  EXPECT_FALSE(findLine(1, 601, 1, 0));
}

TEST_F(ProfileTest, EveryRefreshStartsFromACleanPersistentPicture) {
  buildLens();
  refresh();
  ASSERT_FALSE(host.canvas.calls.empty());
  const DrawCall& first = host.canvas.calls.front();
  EXPECT_EQ(std::tuple(first.kind, first.x1, first.y1, first.x2, first.y2), std::tuple(DrawCall::Box, 0.f, 0.f, 1280.f, 690.f));
  EXPECT_EQ(first.color, paletteColor(0));
  // Everything the refresh draws goes into the persistent image; afterwards drawing no longer does.
  for (const DrawCall& c : host.canvas.calls) EXPECT_TRUE(c.persistent);
  host.canvas.point(1, 1, paletteColor(0));
  EXPECT_FALSE(host.canvas.calls.back().persistent);
  EXPECT_EQ(ui().statusBar2[2], "Dormant   ");
  EXPECT_EQ(ui().statusBar2[1], "Select Erupt Parameters");
}

TEST_F(ProfileTest, FailedRefreshIsReportedAndLeavesPersistentImageOff) {
  ui().txtLoc.text = "1e9";  // no column
  refresh();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].rfind("ScreenRefresh error: \n", 0), 0u);
  host.canvas.point(1, 1, paletteColor(0));
  EXPECT_FALSE(host.canvas.calls.back().persistent);
}

TEST_F(ProfileTest, PointerReadOut) {
  m().Scale = 4;
  m().LayerCount = 3;
  m().LayerVentX[3] = 615;
  for (int x = 0; x <= 1280; ++x) m().Strat(3, x) = 300;
  // 615 columns of 4 m and (600 - 287.5) units of 4 m.
  EXPECT_EQ(plotPointerText(sim, 615, 287.5f), "Vent 3: x = 2.46 km,  z = 1,250 m");
  EXPECT_EQ(plotPointerText(sim, 615, 270), "x = 2.46 km,  z = 1,320 m");  // more than 20 units above
  EXPECT_EQ(plotPointerText(sim, 625, 400), "x = 2.50 km,  z = 800 m");    // 10 columns off the vent
  m().LayerVentX[2] = 617;
  EXPECT_EQ(plotPointerText(sim, 616, 400).substr(0, 8), "Vent 3: ");  // the last hit layer wins
  // Layers without a vent are never hit, even at the left edge.
  EXPECT_EQ(plotPointerText(sim, 2, 400), "x = 0.01 km,  z = 800 m");
  EXPECT_EQ(plotPointerText(sim, -20, 400).substr(0, 4), "x = ");
  EXPECT_EQ(plotPointerText(sim, 1300, 400).substr(0, 4), "x = ");

  m().Scale = 20;
  EXPECT_EQ(plotPointerText(sim, 100, 550), "x = 2.00 km,  z = 1000 m");  // exactly 1000 m: no separator
  EXPECT_EQ(plotPointerText(sim, 100, 549.95f), "x = 2.00 km,  z = 1,001 m");
  ui().mnuOptHtips.checked = false;
  EXPECT_EQ(plotPointerText(sim, 100, 550), "");
}

TEST_F(ProfileTest, ClicksFillTheVisibleParameterPanel) {
  ui().Change = {true, true, "Strombolian Parameters"};
  plotMouseUp(sim, MouseButton::Left, 617, 300);  // 617 x 20 m
  EXPECT_EQ(ui().txtLoc.text, "12.34");

  ui().Change.caption = "Sector Collapse Parameters";
  ui().txtLoc.text = "1.00";
  plotMouseUp(sim, MouseButton::Left, 400, 300);
  plotMouseUp(sim, MouseButton::Left, 500, 300);
  plotMouseUp(sim, MouseButton::Left, 600, 300);
  EXPECT_EQ(ui().txtCtop.text, "12.00");  // first and third click
  EXPECT_EQ(ui().txtCbase.text, "10.00");
  EXPECT_EQ(ui().txtLoc.text, "1.00");

  ui().Change.visible = false;
  ui().Tectonic = {true, true, "Tectonic Parameters"};
  plotMouseUp(sim, MouseButton::Left, 300, 300);
  EXPECT_EQ(ui().txtTloc.text, "6.00");
  EXPECT_EQ(ui().txtCtop.text, "12.00");
  plotMouseUp(sim, MouseButton::Right, 700, 300);
  EXPECT_EQ(ui().txtTloc.text, "6.00");
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(ProfileTest, LegendToggle) {
  ui().toolbar["legend"].pressed = true;
  mnuViewLedgClick(sim);
  EXPECT_FALSE(ui().mnuViewLedg.checked);
  EXPECT_FALSE(ui().Legend.visible);
  EXPECT_FALSE(ui().toolbar["legend"].pressed);
  ui().Change.visible = ui().Tectonic.visible = true;
  mnuViewLedgClick(sim);
  EXPECT_TRUE(ui().mnuViewLedg.checked);
  EXPECT_TRUE(ui().Legend.visible);
  EXPECT_FALSE(ui().Change.visible || ui().Tectonic.visible);
}

}  // namespace
}  // namespace magmo::test
