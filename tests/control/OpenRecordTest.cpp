#include "control/Playback.h"
#include "control/RecordFixture.h"
#include "formats/RecordFile.h"
#include "formats/StratFile.h"

namespace magmo::test {
namespace {

class OpenRecordTest : public RecordTest {
 protected:
  OpenRecordTest() { sim.paths.dataPath = dir.folder(); }
  std::string path(const std::string& name) const { return dir.path(name); }

  // A two-phase history over a cone of `layers` layers, saved beside its stratigraphic file.
  std::string saveHistory(const std::string& recName, int layers = 1) {
    buildCone(640, 120, 120);
    for (int k = 2; k <= layers; ++k)
      for (int x = 1; x <= kColumns; ++x) m().Strat(k, x) = m().Strat(1, x) + k;
    m().LayerCount = layers, ui().StrFileName = path("Cone.str");
    writeStratFile(m(), ui().StrFileName, false);
    startRecording();
    erupt(Style::Stromb, "0.40", 2);
    erupt(Style::Lava, "0.40", 2);
    spit(path(recName), recordFileText({ui().StrFileName, m().Scale, m().RecCount}, m().RecTable, m().RecBurst));
    return path(recName);
  }
};

TEST_F(OpenRecordTest, CancelChangesNothingAndAnUnreadableRecordLeavesTheUserRecording) {
  buildCone(640, 100, 100);
  ui().StrFileName = "/data/Etna.str";
  fileOpenRec(sim);
  ASSERT_EQ(host.dialogs.size(), 1u);
  EXPECT_EQ(std::pair(host.dialogs[0].proposedName, m().LayerCount), std::pair(std::string("/data/Etna.rec"), 1));
  host.fileAnswers.push_back(path("Missing.rec"));
  fileOpenRec(sim);
  EXPECT_EQ(std::pair(m().RecReadFailed, ui().statusBar1[6]), std::pair(0, std::string("Missing")));
  EXPECT_TRUE(ui().mnuRecRec.checked && ui().toolbar["record"].pressed && !ui().mnuRecPlay.checked &&
              !ui().toolbar["open"].pressed);
}

TEST_F(OpenRecordTest, OpenedRecordIsArmedAndPlaysWithoutASecondReset) {
  const std::string rec = saveHistory("Cone.rec");
  const PhaseTable recorded = m().RecTable;
  clearVar(sim);
  host.messages.clear();
  host.fileAnswers.push_back(rec);
  fileOpenRec(sim);
  EXPECT_TRUE(host.messages.empty()) << host.messages.front();
  // The record's stratigraphic file is loaded.
  EXPECT_EQ(std::tuple(m().RecCount, m().RecTable[1], m().LayerCount, ui().modeText()), std::tuple(2, recorded[1], 1, "Playback"));
  // Armed; a Save As over that file would alter the record.
  EXPECT_TRUE(ui().PlayReady && ui().RecLoaded && ui().mnuRecPlay.checked && ui().recordFlag);
  m().Strat(0, 3) = 7;  // would not survive a reset
  cmdEruptClick(sim);
  EXPECT_EQ(std::tuple(m().Strat(0, 3), m().LayerCount, ui().modeText()), std::tuple(7.0f, 3, "Playback Complete"));
}

// Cancel pressed while the record's stratigraphic file loads: a new model, nothing armed on a
// partial section.
TEST_F(OpenRecordTest, ACancelledLoadStartsANewModel) {
  const std::string rec = saveHistory("Cone.rec", 4);
  clearVar(sim);
  host.fileAnswers.push_back(rec);
  host.onYield = [&] {
    if (ui().cmdHalt.caption == "&Cancel" && m().RunStop == RunState::Running) cmdHaltClick(sim);
  };
  fileOpenRec(sim);
  host.onYield = nullptr;
  EXPECT_EQ(std::tuple(m().LayerCount, m().RecCount, ui().RecFileName, ui().StrFileName, m().RunStop, ui().cmdHalt.caption),
            std::tuple(0, 0, "", "", RunState::Running, "&Pause"));
  EXPECT_FALSE(ui().PlayReady || ui().RecLoaded || ui().mnuRecPlay.checked);
}

}  // namespace
}  // namespace magmo::test
