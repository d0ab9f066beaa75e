#include <filesystem>
#include <functional>

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
  // Layer 2 of the given colour at 10 + rise(distance from the vent) over a flat basement layer
  // 1 at 10 already on the map, handed to the map as `code`.
  void layerOnBasement(int vent, int colour, int code, const std::function<float(float)>& rise) {
    for (int x = 1; x <= kColumns; ++x) m().Strat(1, x) = 10, m().Strat(2, x) = 10 + rise(std::abs(x - vent));
    m().LayerCount = 2, m().LayerVentX[2] = vent, m().LayerColor[2] = colour;
    m().MapOn = kMapNoVent;
    spreadLayerOnMap(sim, 1);
    m().MapOn = code;
  }
  void coneOnBasement(int vent, float height, float halfWidth, int code) {
    layerOnBasement(vent, 2, code, [=](float d) { return d < halfWidth ? height * (1 - d / halfWidth) : 0; });
  }
  // The cone of the fixture as a layer without vent, mapped.
  void mappedProfile() {
    buildCone(640, 50, 100);
    m().LayerVentX[1] = 0, m().MapOn = kMapNoVent;
    plotMap(sim, 1);
  }
  TempDir work;
};

// A layer without vent repeats its profile on every row in its colour; switching maps off
// clears the grid and disables the views again.
TEST_F(MapViewTest, LayerWithoutVentRepeatsItsProfileAndSwitchingOffClearsIt) {
  mappedProfile();
  ASSERT_TRUE(host.messages.empty()) << host.messages.front();
  for (int y : {1, 320, 640})
    for (int x : {1, 600, 640, 1280})  // colour 2, stored plus one
      EXPECT_EQ(std::tuple(m().mapGrid(x, y), m().mapUnit(x, y)), std::tuple(m().Strat(1, x), 3)) << x << "," << y;
  EXPECT_TRUE(std::filesystem::exists(work.path("MagmoMap.bmp")) && sim.pictures.map.width == 1280 - 8 * m().MapStep);
  EXPECT_TRUE(ui().mnuViewMap.enabled && ui().mnuViewTopo.enabled && ui().mnuFileSaveAsDem.enabled);
  mnuOptMapEnableClick(sim);
  EXPECT_FALSE(ui().mnuOptMapEnable.checked || ui().mnuViewMap.enabled || ui().mnuViewTopo.enabled);
  EXPECT_TRUE(ui().statusBar1[7] == "Map Off" && m().mapGrid(640, 320) == 0 && sim.pictures.map.empty());
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
  // Far rows keep the basement; the shape value was drawn and kept.
  EXPECT_EQ(std::tuple(m().mapUnit(640, 320), m().mapGrid(640, 40), m().mapUnit(640, 40), m().LayerMapB[2] != 0),
            std::tuple(3, 10.0f, m().LayerColor[1] + 1, true));
}

TEST_F(MapViewTest, ShapeValuesAloneDetermineTheFootprint) {
  coneOnBasement(500, 80, 120, 3);
  ui().mnuOptMap3dPosEnable.checked = true;
  m().LayerVentX[1] = 1100, m().LayerMapY[1] = 320;  // the previous vent 600 columns away
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
    m().LayerVentX[1] = 50, m().LayerMapY[1] = 470, m().LayerMapY[2] = 0;
    sim.rnd.fixSeed(seed);
    plotMapInit(sim, 2);
    EXPECT_TRUE(m().LayerMapY[2] >= 160 && m().LayerMapY[2] <= 480) << m().LayerMapY[2];
  }
}

TEST_F(MapViewTest, CraterIsCutRoundIntoADrapedDeposit) {
  // A fall 20 thick everywhere with a crater 40 deep and 30 wide at the vent.
  layerOnBasement(640, 9, 5, [](float d) { return 20 - (d < 30 ? 40 * (1 - d / 30) : 0); });
  spreadLayerOnMap(sim, 2);
  EXPECT_LE(m().mapGrid(640, 320), m().Strat(2, 640) + 0.5f);
  EXPECT_LE(m().mapGrid(640, 335), m().Strat(2, 655) + 0.5f) << "as deep across the profile as along it";
  EXPECT_GT(m().mapGrid(640, 420), 25);
}

TEST_F(MapViewTest, FaultDropsTheDownthrownSideToTheNewSurfaceAndBlackensWhatReachesZero) {
  mappedProfile();
  for (int x = 700; x <= kColumns; ++x) m().Strat(1, x) = std::max(m().Strat(1, x) - 30, 0.0f);
  m().FaultX = 700, m().MapOn = kMapFault;
  ui().Down.text = "Right side down";
  spreadLayerOnMap(sim, 1);
  EXPECT_EQ(std::tuple(m().mapGrid(600, 100), m().mapGrid(710, 100), m().mapGrid(900, 100), m().mapUnit(900, 100)),
            std::tuple(m().Strat(1, 600), m().Strat(1, 710), 0.0f, 0));  // the other side stays
}

TEST_F(MapViewTest, ErosionLowersInProportionAndFillsLowGround) {
  coneOnBasement(640, 100, 100, 2);
  spreadLayerOnMap(sim, 2);
  const float summitAcross = m().mapGrid(640, 340), flat = m().mapGrid(100, 320);
  // Erosion took 20 off the summit and laid 5 on the flats; the new layer is the sediment.
  m().LayerCount = 3, m().LayerColor[3] = 14, m().MapOn = kMapErosion;
  for (int x = 1; x <= kColumns; ++x) m().Strat(3, x) = m().Strat(2, x) + (std::abs(x - 640) < 10 ? -20.0f : 5.0f);
  spreadLayerOnMap(sim, 3);
  EXPECT_TRUE(m().mapGrid(640, 340) < summitAcross && m().mapUnit(100, 500) == 15);
  EXPECT_FLOAT_EQ(m().mapGrid(100, 320), flat + 5);
  // Low ground loses in proportion to its height.
  EXPECT_TRUE(m().mapGrid(640, 640) > 8 && m().mapGrid(640, 640) < 10) << m().mapGrid(640, 640);
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
  EXPECT_TRUE(m().MapOn == 2 && m().mapGrid(640, 320) > before[320 * (kColumns + 1) + 640]);
  mnuParUndoClick(sim);
  EXPECT_TRUE(m().MapGrid == before && sim.pictures.map.pixels == renderMap(m()).pixels);
}

// The small map: a click picks the next vent's column (kept to 50..1230) and row; the pointer
// names a vent within five cells and reads out the height there.
TEST_F(MapViewTest, SmallMapPicksTheNextVentAndReadsOutPlaceAndHeight) {
  mappedProfile();
  m().LayerVentX[1] = 640, m().LayerMapY[1] = 300;
  mapVentPick(sim, 1275, 200);
  EXPECT_EQ(std::tuple(m().NewVentX, m().LayerMapY[2], ui().txtLoc.text, ui().MapMarkerX, ui().MapMarkerY),
            std::tuple(1230, 200, "24.60", 1230, 200));
  EXPECT_EQ(mapPointerText(sim, 644, 304), "Vent 1: x = 12.88 km,  y = -0.32 km,  z = 960 m");
  EXPECT_EQ(mapPointerText(sim, 650, 300).rfind("New vent: x = 13.00 km", 0), 0u);
  ui().mnuOptHtips.checked = false;
  EXPECT_EQ(mapPointerText(sim, 644, 304), "");
}

}  // namespace
}  // namespace magmo::test
