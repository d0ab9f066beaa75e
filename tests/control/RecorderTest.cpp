#include "control/Recorder.h"

#include "control/NewFile.h"
#include "control/RecordFixture.h"

namespace magmo::test {
namespace {

using RecorderTest = RecordTest;

TEST_F(RecorderTest, EruptionsAreStoredAsThePanelShowedThem) {
  startRecording();
  buildCone(640, 200, 150);
  ui().Slider[2].value = 9;
  choose(Style::Stromb);
  ui().txtStr.text = "0.55";
  ui().txtLoc.text = "11.40";
  ui().txtWind.text = "-7";
  ui().txtPart.text = "31";
  changeOk(sim);
  stopDuringBurst(3);
  cmdEruptClick(sim);
  erupt(Style::Lava, "0.40", 4);
  ASSERT_EQ(m().RecCount, 2);
  const PhaseRecord& r = m().RecTable[1];
  EXPECT_EQ(r.Style, Style::Stromb);
  EXPECT_EQ(r.TectonicKind, TectonicKind::None);
  EXPECT_FLOAT_EQ(r.Location, 11.4f);
  EXPECT_FLOAT_EQ(r.Strength, 0.55f);
  EXPECT_FLOAT_EQ(r.Wind, -7);
  EXPECT_FLOAT_EQ(r.Particles, 31);
  EXPECT_EQ(r.Bursts, 3);
  EXPECT_EQ(r.Slider[2], 9);
  EXPECT_EQ(r.Slider[3], 20);
  EXPECT_EQ(m().RecTable[2].Style, Style::Lava);
  EXPECT_EQ(m().RecTable[2].Bursts, 4);
  // The flows as they ran: the last was cut short by the Stop.
  for (int b = 1; b <= 3; ++b) EXPECT_GE(m().RecBurst(2, b), 20) << "burst " << b;
  EXPECT_GE(m().RecBurst(2, 4), 1);
  EXPECT_EQ(m().RecBurst(2, 5), 0);
  EXPECT_TRUE(ui().RecLoaded);
}

TEST_F(RecorderTest, FaultAndErosionAreStoredAsTectonicPhases) {
  startRecording();
  buildCone(640, 200, 150);
  m().RecBurst(1, 1) = 99;  // left over from an earlier history
  faultAt("10.00", "4", "0", "Left side down");
  faultAt("14.00", "3", "2", "Left side down");
  erode(3);
  ASSERT_EQ(m().RecCount, 3);
  const PhaseRecord& vertical = m().RecTable[1];
  EXPECT_EQ(vertical.Style, Style::Tectonic);
  EXPECT_EQ(vertical.TectonicKind, TectonicKind::Fault);
  EXPECT_FLOAT_EQ(vertical.Location, 10);
  EXPECT_EQ(vertical.Magnitude, 4);
  EXPECT_EQ(vertical.DownSide, DownSide::Left);
  EXPECT_EQ(m().RecBurst(1, 1), 0);
  EXPECT_EQ(m().RecTable[2].Dip, 2);
  EXPECT_EQ(m().RecTable[2].DownSide, DownSide::None);  // a dipping fault drops the side it dips toward
  EXPECT_EQ(m().RecTable[3].TectonicKind, TectonicKind::Erosion);
  EXPECT_GE(m().RecTable[3].ErodeCycles, 3);
}

TEST_F(RecorderTest, PhaseAfterTheFiveHundredthSwitchesRecordingOff) {
  startRecording();
  m().RecCount = kRecPhases;
  m().RecTable[kRecPhases].Bursts = 17;
  const PhaseRecord last = m().RecTable[kRecPhases];
  erupt(Style::Stromb, "0.40", 1);
  erupt(Style::Stromb, "0.40", 1);  // recording is off by then: no second message
  EXPECT_EQ(m().RecCount, kRecPhases);
  EXPECT_EQ(m().RecTable[kRecPhases], last);
  EXPECT_FALSE(ui().mnuRecRec.checked);
  EXPECT_TRUE(ui().mnuParStatic.enabled);
  EXPECT_EQ(ui().statusBar1[6], "Record Off");
  EXPECT_EQ(host.messages, std::vector<std::string>{"Record off (cannot record after phase 500)"});
}

TEST_F(RecorderTest, AutomaticRunRecordsEachEruptionOnce) {
  startRecording();
  selectAuto(sim);
  // Pause then stop as the fourth cycle begins: three eruptions ran.
  host.onYield = [this] {
    if (ui().AutoCyclesBegun >= 4 && m().RunStop != RunState::Stopping) cmdHaltClick(sim);
    if (m().BurstCount > 3 && m().RunStop == RunState::Running) m().BurstLimit = m().BurstCount;  // keeps phases short
  };
  cmdEruptClick(sim);
  ASSERT_EQ(m().LayerCount, 3);
  EXPECT_EQ(m().RecCount, 3);
  for (int i = 1; i <= 3; ++i) EXPECT_NE(m().RecTable[i].Style, Style::Tectonic) << i;
}

TEST_F(RecorderTest, ResetDisarmsAndNewFileForgetsTheHistory) {
  startRecording();
  erupt(Style::Lava, "0.40", 2);
  ui().PlayReady = true;
  clearVar(sim);
  EXPECT_FALSE(ui().RecLoaded);
  EXPECT_FALSE(ui().PlayReady);
  EXPECT_EQ(m().RecCount, 1);  // the player resets too and still needs the table
  fileNew(sim);
  EXPECT_EQ(m().RecCount, 0);
  EXPECT_EQ(m().RecTable[1], PhaseRecord{});
  EXPECT_EQ(m().RecBurst(1, 1), 0);
}

}  // namespace
}  // namespace magmo::test
