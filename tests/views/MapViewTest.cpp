#include <filesystem>

#include "control/MapCommands.h"
#include "control/Params.h"
#include "control/Undo.h"
#include "styles/Styles.h"
#include "support/FileTestSupport.h"
#include "support/SimFixture.h"
#include "views/MapView.h"
#include "views/PlanFrame.h"

namespace magmo::test {
namespace {

class MapViewTest : public SimTest {
 protected:
  MapViewTest() {
    sim.paths.work = work.folder();
    mnuOptMapEnableClick(sim);
  }
  // A cone as layer 2 over a flat basement layer 1 of height 10, handed to the map as `code`.
  void coneOnBasement(int vent, float height, int halfWidth, int code) {
    for (int x = 1; x <= kColumns; ++x) {
      const float d = static_cast<float>(std::abs(x - vent));
      m().Strat(1, x) = 10;
      m().Strat(2, x) = 10 + (d < halfWidth ? height * (1 - d / halfWidth) : 0);
    }
    m().LayerCount = 2;
    m().LayerVentX[2] = vent;
    m().LayerColor[2] = 2;
    m().MapOn = kMapNoVent;
    spreadLayerOnMap(sim, 1);
    m().MapOn = code;
  }
  TempDir work;
};

TEST_F(MapViewTest, LayerWithoutVentRepeatsItsProfileOnEveryRowInItsColour) {
  buildCone(640, 50, 100);
  m().LayerVentX[1] = 0;
  m().MapOn = kMapNoVent;
  plotMap(sim, 1);
  ASSERT_TRUE(host.messages.empty()) << host.messages.front();
  for (int y : {1, 320, 640})
    for (int x : {1, 600, 640, 1280}) {
      EXPECT_EQ(m().mapGrid(x, y), m().Strat(1, x)) << x << "," << y;
      EXPECT_EQ(m().mapUnit(x, y), 3);  // colour 2, stored plus one
    }
  EXPECT_TRUE(std::filesystem::exists(work.path("MagmoMap.bmp")));
  const PlanFrame frame{m().MapStep};
  EXPECT_EQ(sim.pictures.map.width, frame.width());
  EXPECT_TRUE(ui().mnuViewMap.enabled && ui().mnuViewTopo.enabled && ui().mnuFileSaveAsDem.enabled);
}

TEST_F(MapViewTest, ConeOnTheProfileLineRepeatsTheProfileAndIsRound) {
  coneOnBasement(640, 100, 150, 2);
  m().MapStep = 4;
  spreadLayerOnMap(sim, 2);
  EXPECT_EQ(m().LayerMapY[2], kMapProfileRow);  // 3-D positioning is off
  // The block holding the profile row was sampled 3 rows above it; the cone is 100 over 150
  // columns, so that costs at most the slope over a few rows.
  for (int x : {520, 600, 636, 700, 760}) EXPECT_NEAR(m().mapGrid(x, kMapProfileRow), m().Strat(2, x), 3.0f) << x;
  EXPECT_GT(m().mapGrid(640, 320), m().mapGrid(640, 320 + 60));
  EXPECT_EQ(m().mapUnit(640, 320), 3);
  EXPECT_EQ(m().mapGrid(640, 40), 10) << "far rows keep the basement";
  EXPECT_EQ(m().mapUnit(640, 40), 0 + m().LayerColor[1] + 1);
  EXPECT_NE(m().LayerMapB[2], 0);  // the shape value was drawn and kept
}

TEST_F(MapViewTest, ShapeValuesAloneDetermineTheFootprint) {
  coneOnBasement(500, 80, 120, 3);
  ui().mnuOptMap3dPosEnable.checked = true;
  m().LayerVentX[1] = 1100;  // the previous vent 600 columns away
  m().LayerMapY[1] = 320;
  spreadLayerOnMap(sim, 2);
  const std::vector<float> live = m().MapGrid;
  const int row = m().LayerMapY[2];
  EXPECT_TRUE(row == 160 || row == 480) << row;  // 600/1200*320 = 160 either way
  // A rebuild with another random stream gives the same map: nothing is drawn again.
  sim.rnd.fixSeed(999);
  std::fill(m().MapGrid.begin(), m().MapGrid.end(), 0.0f);
  m().MapOn = kMapNoVent;
  spreadLayerOnMap(sim, 1);
  m().MapOn = 3;
  spreadLayerOnMap(sim, 2);
  EXPECT_EQ(m().MapGrid, live);
}

TEST_F(MapViewTest, VentRowsStayWithinTheMiddleHalf) {
  ui().mnuOptMap3dPosEnable.checked = true;
  for (int seed = 1; seed <= 20; ++seed) {
    coneOnBasement(1250, 40, 30, 2);
    m().LayerVentX[1] = 50;
    m().LayerMapY[1] = 470;
    m().LayerMapY[2] = 0;
    sim.rnd.fixSeed(seed);
    plotMapInit(sim, 2);
    EXPECT_GE(m().LayerMapY[2], 160);
    EXPECT_LE(m().LayerMapY[2], 480);
  }
}

TEST_F(MapViewTest, CraterIsCutRoundIntoADrapedDeposit) {
  // A fall 20 thick everywhere with a crater 40 deep and 30 wide at the vent.
  for (int x = 1; x <= kColumns; ++x) {
    m().Strat(1, x) = 10;
    m().Strat(2, x) = 30 - (std::abs(x - 640) < 30 ? 40.0f * (1 - std::abs(x - 640) / 30.0f) : 0);
  }
  m().LayerCount = 2;
  m().LayerVentX[2] = 640;
  m().LayerColor[2] = 9;
  m().MapOn = kMapNoVent;
  spreadLayerOnMap(sim, 1);
  m().MapOn = 5;
  spreadLayerOnMap(sim, 2);
  EXPECT_LE(m().mapGrid(640, 320), m().Strat(2, 640) + 0.5f);
  EXPECT_LE(m().mapGrid(640, 335), m().Strat(2, 655) + 0.5f) << "as deep across the profile as along it";
  EXPECT_GT(m().mapGrid(640, 420), 25);
}

TEST_F(MapViewTest, FaultDropsTheDownthrownSideToTheNewSurfaceAndBlackensWhatReachesZero) {
  buildCone(640, 50, 100);
  m().LayerVentX[1] = 0;
  m().MapOn = kMapNoVent;
  spreadLayerOnMap(sim, 1);
  for (int x = 700; x <= kColumns; ++x) m().Strat(1, x) = std::max(m().Strat(1, x) - 30, 0.0f);
  m().FaultX = 700;
  ui().Down.text = "Right side down";
  m().MapOn = kMapFault;
  spreadLayerOnMap(sim, 1);
  EXPECT_FLOAT_EQ(m().mapGrid(600, 100), m().Strat(1, 600)) << "the other side stays";
  EXPECT_FLOAT_EQ(m().mapGrid(710, 100), m().Strat(1, 710));
  EXPECT_EQ(m().mapGrid(900, 100), 0);
  EXPECT_EQ(m().mapUnit(900, 100), 0);
}

TEST_F(MapViewTest, ErosionLowersInProportionAndFillsLowGround) {
  coneOnBasement(640, 100, 100, 2);
  spreadLayerOnMap(sim, 2);
  const float summitAcross = m().mapGrid(640, 340), flat = m().mapGrid(100, 320);
  // Erosion took 20 off the summit and laid 5 on the flats; the new layer is the sediment.
  m().LayerCount = 3;
  m().LayerColor[3] = 14;
  for (int x = 1; x <= kColumns; ++x) m().Strat(3, x) = m().Strat(2, x) + (std::abs(x - 640) < 10 ? -20.0f : 5.0f);
  m().MapOn = kMapErosion;
  spreadLayerOnMap(sim, 3);
  EXPECT_LT(m().mapGrid(640, 340), summitAcross);
  EXPECT_FLOAT_EQ(m().mapGrid(100, 320), flat + 5);
  EXPECT_EQ(m().mapUnit(100, 500), 15);
  EXPECT_GT(m().mapGrid(640, 640), 8) << "low ground loses in proportion to its height";
  EXPECT_LT(m().mapGrid(640, 640), 10);
  for (float h : m().MapGrid) ASSERT_GE(h, 0);
}

TEST_F(MapViewTest, PhaseMapsItsLayerAndUndoRestoresGridAndPicture) {
  clearVar(sim);  // the default basement, maps on
  const std::vector<float> before = m().MapGrid;
  selectStyle(sim, Style::Stromb);
  ui().txtLoc.text = "12.80";
  changeOk(sim);
  stopDuringBurst(20);
  cmdEruptClick(sim);
  ASSERT_NE(m().MapGrid, before);
  EXPECT_EQ(m().MapOn, 2);
  EXPECT_GT(m().mapGrid(640, 320), before[320 * (kColumns + 1) + 640]);
  mnuParUndoClick(sim);
  EXPECT_EQ(m().MapGrid, before);
  EXPECT_EQ(sim.pictures.map.pixels, renderMap(m()).pixels);
}

TEST_F(MapViewTest, SwitchingMapsOffClearsTheGridAndDisablesTheViews) {
  buildCone(640, 50, 100);
  m().LayerVentX[1] = 0;
  m().MapOn = kMapNoVent;
  plotMap(sim, 1);
  mnuOptMapEnableClick(sim);
  EXPECT_FALSE(ui().mnuOptMapEnable.checked);
  EXPECT_EQ(ui().statusBar1[7], "Map Off");
  EXPECT_FALSE(ui().mnuViewMap.enabled || ui().mnuViewTopo.enabled);
  EXPECT_EQ(m().mapGrid(640, 320), 0);
  EXPECT_TRUE(sim.pictures.map.empty());
}

}  // namespace
}  // namespace magmo::test
