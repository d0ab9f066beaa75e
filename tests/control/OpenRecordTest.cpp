#include <filesystem>
#include <fstream>

#include "control/Playback.h"
#include "control/RecordFixture.h"
#include "formats/RecordFile.h"
#include "formats/StratFile.h"

namespace magmo::test {
namespace {

class OpenRecordTest : public RecordTest {
 protected:
  OpenRecordTest() {
    dir_ = std::filesystem::temp_directory_path() / ("magmo-openrec-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
    sim.paths.dataPath = dir_.string() + "/";
  }
  ~OpenRecordTest() override { std::filesystem::remove_all(dir_); }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }

  // A two-phase history over a cone of `layers` layers, saved beside its stratigraphic file.
  std::string saveHistory(const std::string& recName, int layers = 1) {
    buildCone(640, 120, 120);
    for (int k = 2; k <= layers; ++k)
      for (int x = 1; x <= kColumns; ++x) m().Strat(k, x) = m().Strat(1, x) + k;
    m().LayerCount = layers;
    const std::string str = path("Cone.str");
    writeStratFile(m(), str, false);
    ui().StrFileName = str;
    startRecording();
    erupt(Style::Stromb, "0.40", 2);
    erupt(Style::Lava, "0.40", 2);
    const RecordHeader header{str, m().Scale, m().RecCount};
    std::ofstream(path(recName), std::ios::binary) << recordFileText(header, m().RecTable, m().RecBurst);
    return path(recName);
  }

 private:
  std::filesystem::path dir_;
};

TEST_F(OpenRecordTest, CancelChangesNothingAndAnUnreadableRecordLeavesTheUserRecording) {
  buildCone(640, 100, 100);
  ui().StrFileName = "/data/Etna.str";
  fileOpenRec(sim);
  ASSERT_EQ(host.dialogs.size(), 1u);
  EXPECT_EQ(host.dialogs[0].title, "Open Record File");
  EXPECT_EQ(host.dialogs[0].filter, "Recorder Files (*.rec)|*.rec;*.REC|");
  EXPECT_EQ(host.dialogs[0].proposedName, "/data/Etna.rec");
  EXPECT_EQ(m().LayerCount, 1);
  host.fileAnswers.push_back(path("Missing.rec"));
  fileOpenRec(sim);
  EXPECT_EQ(m().RecReadFailed, 0);
  EXPECT_TRUE(ui().mnuRecRec.checked && ui().toolbar["record"].pressed);
  EXPECT_FALSE(ui().mnuRecPlay.checked);
  EXPECT_EQ(ui().statusBar1[6], "Missing");
  EXPECT_FALSE(ui().toolbar["open"].pressed);
}

TEST_F(OpenRecordTest, OpenedRecordIsArmedAndPlaysWithoutASecondReset) {
  const std::string rec = saveHistory("Cone.rec");
  const PhaseTable recorded = m().RecTable;
  clearVar(sim);
  host.messages.clear();
  host.fileAnswers.push_back(rec);
  fileOpenRec(sim);
  EXPECT_TRUE(host.messages.empty()) << host.messages.front();
  ASSERT_EQ(m().RecCount, 2);
  EXPECT_EQ(m().RecTable[1], recorded[1]);
  EXPECT_EQ(m().LayerCount, 1);  // the record's stratigraphic file is loaded
  EXPECT_TRUE(ui().PlayReady);
  EXPECT_TRUE(ui().RecLoaded && ui().mnuRecPlay.checked);
  EXPECT_TRUE(ui().recordFlag);  // a Save As over that file would alter the record
  EXPECT_EQ(ui().modeText(), "Playback");
  m().Strat(0, 3) = 7;  // would not survive a reset
  cmdEruptClick(sim);
  EXPECT_EQ(m().Strat(0, 3), 7);
  EXPECT_EQ(m().LayerCount, 3);
  EXPECT_EQ(ui().modeText(), "Playback Complete");
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
  EXPECT_EQ(m().LayerCount, 0);
  EXPECT_EQ(m().RecCount, 0);
  EXPECT_TRUE(ui().RecFileName.empty() && ui().StrFileName.empty());
  EXPECT_FALSE(ui().PlayReady || ui().RecLoaded || ui().mnuRecPlay.checked);
  EXPECT_EQ(m().RunStop, RunState::Running);
  EXPECT_EQ(ui().cmdHalt.caption, "&Pause");
}

}  // namespace
}  // namespace magmo::test
