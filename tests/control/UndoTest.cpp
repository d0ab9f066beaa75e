#include <filesystem>
#include <fstream>

#include "control/Params.h"
#include "control/Undo.h"
#include "support/SimFixture.h"

namespace magmo::test {
namespace {

class UndoTest : public SimTest {
 protected:
  void eruptStromb(int bursts) {
    clearParams(sim, "");  // selecting a checked style would uncheck it
    selectStyle(sim, Style::Stromb);
    ui().txtStr.text = "0.60";
    changeOk(sim);
    stopDuringBurst(bursts);
    cmdEruptClick(sim);
  }
  static void expectSameSimulation(const Model& a, const Model& b) {
    ASSERT_EQ(a.LayerCount, b.LayerCount);
    for (int x = 1; x <= kColumns; ++x) {
      ASSERT_EQ(a.Topo[x], b.Topo[x]) << "column " << x;
      for (int k = 0; k <= a.LayerCount; ++k) ASSERT_EQ(a.Strat(k, x), b.Strat(k, x)) << "layer " << k;
    }
    EXPECT_EQ(a.LayerColor, b.LayerColor);
    EXPECT_EQ(a.LayerBase, b.LayerBase);
    EXPECT_EQ(a.AltStromb, b.AltStromb);
    EXPECT_EQ(a.TotalVolume, b.TotalVolume);
    EXPECT_EQ(a.TotalHours, b.TotalHours);
  }
  void writeFile(const std::string& name, const std::string& text) {
    std::ofstream(sim.paths.work + name, std::ios::binary) << text;
  }
  std::string readFile(const std::string& name) {
    std::ifstream in(sim.paths.work + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  void useWorkFolder() {
    const auto dir = std::filesystem::temp_directory_path() / ("magmo-undo-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    sim.paths.work = dir.string() + "/";
  }
};

TEST_F(UndoTest, RestoresStrataSurfaceAndCountersOfTheLastPhaseOnlyOnce) {
  buildCone(640, 200, 150);
  eruptStromb(3);
  const Model afterFirst = m();
  eruptStromb(4);  // cuts a crater into the first layer and adds a second
  ASSERT_EQ(m().LayerCount, 3);
  EXPECT_TRUE(ui().mnuParUndo.enabled);

  mnuParUndoClick(sim);
  expectSameSimulation(m(), afterFirst);
  EXPECT_FALSE(ui().mnuParUndo.enabled);
  EXPECT_FALSE(ui().toolbar["undo"].enabled);

  // One level only: a second undo changes nothing.
  mnuParUndoClick(sim);
  expectSameSimulation(m(), afterFirst);
}

TEST_F(UndoTest, StaticPhaseKeepsItsLayerCount) {
  buildCone(640, 200, 150);
  const Model before = m();
  mnuParStaticClick(sim);
  eruptStromb(2);
  ASSERT_EQ(m().LayerCount, 1);
  mnuParUndoClick(sim);
  expectSameSimulation(m(), before);
}

TEST_F(UndoTest, UndoneRecordedPhaseLeavesTheHistory) {
  ui().mnuRecRec.checked = true;
  eruptStromb(2);
  eruptStromb(2);
  ASSERT_EQ(m().RecCount, 2);
  mnuParUndoClick(sim);
  EXPECT_EQ(m().RecCount, 1);
  EXPECT_EQ(m().LayerCount, 1);
}

TEST_F(UndoTest, ResetOrRescaleLeavesNothingToUndo) {
  eruptStromb(2);
  clearVar(sim);
  EXPECT_FALSE(sim.undoState);
  eruptStromb(2);
  changeScale(sim, ScaleItem::Large);
  EXPECT_FALSE(sim.undoState);
  const int layers = m().LayerCount;
  mnuParUndoClick(sim);
  EXPECT_EQ(m().LayerCount, layers);
}

TEST_F(UndoTest, WorkingImagesComeBackOnlyWithMapsOn) {
  useWorkFolder();
  eruptStromb(2);
  writeFile("MagmoMap.bmp", "after");
  writeFile("MagmoMap-Undo.bmp", "before");
  writeFile("MagmoTopo.bmp", "relief");  // its undo copy is missing: the image stays
  m().mapGrid(5, 5) = 7;

  mnuParUndoClick(sim);  // maps off
  EXPECT_EQ(readFile("MagmoMap.bmp"), "after");
  EXPECT_EQ(m().mapGrid(5, 5), 7);

  eruptStromb(2);
  ui().mnuOptMapEnable.checked = true;
  writeFile("Magmo3D-Undo.ebm", "grid before");
  mnuParUndoClick(sim);
  EXPECT_EQ(readFile("MagmoMap.bmp"), "before");
  EXPECT_EQ(readFile("MagmoTopo.bmp"), "relief");
  EXPECT_EQ(readFile("Magmo3D.ebm"), "grid before");
  EXPECT_EQ(settings.read("Magmo3/Topo3D", "NewFile", ""), "True");
  EXPECT_EQ(m().mapGrid(5, 5), 7);  // no phase drew on the map grid
  std::filesystem::remove_all(sim.paths.work);
}

}  // namespace
}  // namespace magmo::test
