#include "control/RecordFixture.h"
#include "control/Undo.h"

namespace magmo::test {
namespace {

class UndoTest : public RecordTest {
 protected:
  static void expectSameSimulation(const Model& a, const Model& b) {
    ASSERT_EQ(a.LayerCount, b.LayerCount);
    for (int x = 1; x <= kColumns; ++x) {
      ASSERT_EQ(a.Topo[x], b.Topo[x]) << "column " << x;
      for (int k = 0; k <= a.LayerCount; ++k) ASSERT_EQ(a.Strat(k, x), b.Strat(k, x)) << "layer " << k;
    }
    EXPECT_TRUE(std::tie(a.LayerColor, a.LayerBase, a.AltStromb, a.TotalVolume, a.TotalHours, a.RecCount) ==
                std::tie(b.LayerColor, b.LayerBase, b.AltStromb, b.TotalVolume, b.TotalHours, b.RecCount));
  }
};

// Every kind of phase is taken back exactly, once: the section, the statistics and, for a
// recorded phase, its entry in the history.
TEST_F(UndoTest, EachKindOfPhaseIsUndoneExactlyOnce) {
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"strombolian crater", [&] { erupt(Style::Stromb, "0.60", 4); }},
      {"recorded lava", [&] { startRecording(), erupt(Style::Lava, "0.40", 3); }},
      {"fault", [&] { faultAt("13.00", "6", "-2", "Left side down"); }},
      {"erosion", [&] { erode(2); }},
      {"static", [&] { mnuParStaticClick(sim), erupt(Style::Stromb, "0.60", 2); }},
  };
  for (const auto& [name, phase] : cases) {
    SCOPED_TRACE(name);
    clearVar(sim);
    if (ui().mnuRecRec.checked) mnuRecRecClick(sim);
    buildCone(640, 200, 150);
    erupt(Style::Stromb, "0.60", 3);
    const Model before = m();
    phase();
    ASSERT_TRUE(ui().mnuParUndo.enabled && ui().toolbar["undo"].enabled);
    mnuParUndoClick(sim);
    EXPECT_FALSE(ui().mnuParUndo.enabled || ui().toolbar["undo"].enabled);
    mnuParUndoClick(sim);  // one level only
    expectSameSimulation(m(), before);
  }
}

TEST_F(UndoTest, ResetOrRescaleLeavesNothingToUndo) {
  for (auto reset : {+[](Sim& s) { clearVar(s); }, +[](Sim& s) { changeScale(s, ScaleItem::Large); }}) {
    erupt(Style::Stromb, "0.60", 2);
    ASSERT_TRUE(ui().mnuParUndo.enabled);
    reset(sim);
    EXPECT_FALSE(sim.undoState || ui().mnuParUndo.enabled || ui().toolbar["undo"].enabled);
  }
}

TEST_F(UndoTest, WorkingImagesComeBackOnlyWithMapsOn) {
  sim.paths.work = dir.folder();
  const auto file = [&](const char* name) { return dir.path(name); };
  erupt(Style::Stromb, "0.60", 2);
  spit(file("MagmoMap.bmp"), "after");
  spit(file("MagmoMap-Undo.bmp"), "before");
  spit(file("MagmoTopo.bmp"), "relief");  // its undo copy is missing: the image stays
  m().mapGrid(5, 5) = 7;
  mnuParUndoClick(sim);  // maps off
  EXPECT_EQ(std::pair(slurp(file("MagmoMap.bmp")), m().mapGrid(5, 5)), std::pair(std::string("after"), 7.0f));

  erupt(Style::Stromb, "0.60", 2);
  ui().mnuOptMapEnable.checked = true;
  spit(file("Magmo3D-Undo.ebm"), "grid before");
  mnuParUndoClick(sim);
  // No phase drew on the map grid.
  EXPECT_EQ(std::tuple(slurp(file("MagmoMap.bmp")), slurp(file("MagmoTopo.bmp")), slurp(file("Magmo3D.ebm")),
                       settings.read("Magmo3/Topo3D", "NewFile", ""), m().mapGrid(5, 5)),
            std::tuple("before", "relief", "grid before", "True", 7.0f));
}

}  // namespace
}  // namespace magmo::test
