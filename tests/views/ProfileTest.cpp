#include "views/Profile.h"

#include "control/ProfileCommands.h"
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
  void refresh() {
    host.canvas.clear();
    screenRefresh(sim);
  }
  // Two layers over a basement at 20: layer 1 flat at 100, layer 2 a 100-column lens at 150.
  void buildLens() {
    m().LayerCount = 2, m().LayerColor[1] = 2, m().LayerColor[2] = 12;
    for (int x = 0; x <= 1280; ++x) m().Strat(0, x) = 20, m().Strat(1, x) = 100, m().Strat(2, x) = x >= 100 && x < 200 ? 150 : 100;
  }
};

// Every layer is a span per column where it has thickness, from the top of the layer below
// (a single layer from the base level), the later drawn over the earlier; column 0 never.
TEST_F(ProfileTest, StrataAreColumnSpansOfEachLayersThickness) {
  buildLens();
  refresh();
  const auto spans = callsOf(DrawCall::Span);
  ASSERT_EQ(spans.size(), 1280u + 100u);
  for (size_t i = 0; i < spans.size(); ++i) {
    const DrawCall& s = spans[i];
    ASSERT_TRUE(s.x1 >= 1 && s.persistent);
    const bool lens = s.color == paletteColor(12);
    ASSERT_TRUE(lens ? s.x1 >= 100 && s.x1 < 200 && s.y1 == 500 && s.y2 == 450 && spans[i - 1].x1 == s.x1
                     : s.color == paletteColor(2) && s.y1 == 580 && s.y2 == 500) << s.x1;
  }
  m().LayerCount = 1;
  refresh();
  const auto single = callsOf(DrawCall::Span);
  ASSERT_EQ(single.size(), 1280u);
  for (const DrawCall& s : single) ASSERT_EQ(s.y1, 600);
}

// The distance axis: a strip with major and minor ticks and the km labels of the checked scale;
// the vertical scale only while it is switched on.
TEST_F(ProfileTest, AxesTicksAndLabelsPerScale) {
  refresh();
  const auto boxes = callsOf(DrawCall::Box);  // after the clean picture, the strip
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_TRUE(boxes[1].y1 == 601 && boxes[1].y2 == 660);
  int major = 0, minor = 0;
  for (const DrawCall& c : callsOf(DrawCall::Line)) {
    major += c.y1 == 655 && c.y2 == 643 && c.penWidth == 2;
    minor += c.y1 == 655 && c.y2 == 649 && c.penWidth == 2;
  }
  EXPECT_EQ(std::pair(major, minor), std::pair(6, 20));  // minor: multiples of 50 up to 1200 that are no major tick
  using Labels = std::vector<std::pair<float, std::string>>;
  for (const Labels& labels : {Labels{{0, "0"}, {244, "1"}, {494, "2"}, {610, "km"}, {744, "3"}, {994, "4"}, {1244, "5"}},
                               Labels{{0, "0"}, {0, ""}, {250, ""}, {610, "km"}, {500, ""}, {750, ""}, {1000, ""}}}) {
    ui().mnuOptScaleNorm.checked = ui().mnuOptScaleLarge.checked = false;
    ui().mnuOptScaleSmall.checked = labels[1].second == "1";
    refresh();
    Labels shown;
    for (const DrawCall& c : callsOf(DrawCall::Text))
      if (c.y1 == 660) shown.emplace_back(c.x1, c.text);
    EXPECT_EQ(shown, labels);
  }
  EXPECT_FALSE(findLine(1, 601, 1, 0));
  ui().toolbar["vertical"].pressed = true;
  host.canvas.clear();
  mnuViewVertClick(sim);
  EXPECT_TRUE(ui().mnuViewVert.checked && !ui().toolbar["vertical"].pressed);
  EXPECT_TRUE(findLine(1, 601, 1, 0) && findLine(1, 350, 12, 350) && findLine(1, 550, 6, 550));
  mnuViewVertClick(sim);
  EXPECT_FALSE(ui().mnuViewVert.checked);
}

// A red mark and a black conduit down to its floor for each older layer with a vent, a light red
// one for the newest; the mark of a typed vent only where no layer has its vent.
TEST_F(ProfileTest, ConduitsOfLayersWithVentsAndTheNewVentMark) {
  buildLens();
  m().LayerCount = 3, m().LayerColor[3] = 4, m().LayerVentX[1] = 300, m().LayerBase[1] = 40, m().LayerVentX[2] = 0;
  m().LayerVentX[3] = 700, m().LayerBase[3] = 100;
  ui().txtLoc.text = "9.00";  // column 450
  refresh();
  for (auto [line, colour] : {std::pair{findLine(300, 620, 300, 600), 4}, {findLine(300, 600, 300, 560), 0},
                              {findLine(700, 630, 700, 500), 12}, {findLine(450, 605, 450, 630), 7}})
    EXPECT_TRUE(line && line->color == paletteColor(colour)) << colour;
  EXPECT_EQ(m().NewVentX, 450);
  for (const DrawCall& c : callsOf(DrawCall::Line)) EXPECT_FALSE(c.x1 == 0 && c.y1 == 620);
  m().LayerVentX[1] = 450;
  refresh();
  EXPECT_FALSE(findLine(450, 605, 450, 630));
}

// A refresh starts from a black picture and draws only into the persistent image; after it, or
// after a failure, drawing no longer does.
TEST_F(ProfileTest, EveryRefreshStartsFromACleanPersistentPicture) {
  buildLens();
  refresh();
  const DrawCall& first = host.canvas.calls.front();
  EXPECT_EQ(std::tuple(first.kind, first.x1, first.y1, first.x2, first.y2, first.color),
            std::tuple(DrawCall::Box, 0.f, 0.f, 1280.f, 690.f, paletteColor(0)));
  for (const DrawCall& c : host.canvas.calls) EXPECT_TRUE(c.persistent);
  EXPECT_TRUE(ui().statusBar2[2] == "Dormant   " && ui().statusBar2[1] == "Select Erupt Parameters");
  ui().txtLoc.text = "1e9";  // no column
  refresh();
  EXPECT_TRUE(host.messages.size() == 1 && host.messages[0].rfind("ScreenRefresh error: \n", 0) == 0);
  host.canvas.point(1, 1, paletteColor(0));
  EXPECT_FALSE(host.canvas.calls.back().persistent);
}

TEST_F(ProfileTest, PointerReadOut) {
  m().Scale = 4, m().LayerCount = 3, m().LayerVentX[3] = 615;
  for (int x = 0; x <= 1280; ++x) m().Strat(3, x) = 300;
  // 615 columns of 4 m and (600 - 287.5) units of 4 m.
  EXPECT_EQ(plotPointerText(sim, 615, 287.5f), "Vent 3: x = 2.46 km,  z = 1,250 m");
  EXPECT_EQ(plotPointerText(sim, 615, 270), "x = 2.46 km,  z = 1,320 m");  // more than 20 units above
  m().LayerVentX[2] = 617;
  EXPECT_EQ(plotPointerText(sim, 616, 400).substr(0, 8), "Vent 3: ");  // the last hit layer wins
  for (float x : {-20.0f, 1300.0f}) EXPECT_EQ(plotPointerText(sim, x, 400).substr(0, 4), "x = ") << x;
  m().Scale = 20;
  EXPECT_EQ(plotPointerText(sim, 100, 550), "x = 2.00 km,  z = 1000 m");  // exactly 1000 m: no separator
  ui().mnuOptHtips.checked = false;
  EXPECT_EQ(plotPointerText(sim, 100, 550), "");
}

// A click fills the location of the visible panel: the collapse panel's top and base by turns,
// the tectonic panel's fault location; a right click nothing.
TEST_F(ProfileTest, ClicksFillTheVisibleParameterPanel) {
  ui().Change = {true, true, "Strombolian Parameters"};
  plotMouseUp(sim, MouseButton::Left, 617, 300);  // 617 x 20 m
  EXPECT_EQ(ui().txtLoc.text, "12.34");
  ui().Change.caption = "Sector Collapse Parameters", ui().txtLoc.text = "1.00";
  for (float x : {400, 500, 600}) plotMouseUp(sim, MouseButton::Left, x, 300);
  EXPECT_TRUE(ui().txtCtop.text == "12.00" && ui().txtCbase.text == "10.00" && ui().txtLoc.text == "1.00");
  ui().Change.visible = false;
  ui().Tectonic = {true, true, "Tectonic Parameters"};
  plotMouseUp(sim, MouseButton::Left, 300, 300);
  EXPECT_TRUE(ui().txtTloc.text == "6.00" && ui().txtCtop.text == "12.00");
  plotMouseUp(sim, MouseButton::Right, 700, 300);
  EXPECT_TRUE(ui().txtTloc.text == "6.00" && host.messages.empty());
}
}  // namespace
}  // namespace magmo::test
