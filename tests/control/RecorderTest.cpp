#include "control/Recorder.h"

#include "control/NewFile.h"
#include "control/RecordFixture.h"
#include "formats/RecordFile.h"

namespace magmo::test {
namespace {

using RecorderTest = RecordTest;

// Eruptions as the panel showed them, flows as they ran, faults and erosions as tectonic phases.
TEST_F(RecorderTest, EachPhaseIsStoredAsItRan) {
  startRecording();
  buildCone(640, 200, 150);
  m().RecBurst(3, 1) = 99;  // left over from an earlier history
  ui().Slider[2].value = 9;
  erupt(Style::Stromb, "0.55", 3, [&] { ui().txtWind.text = "-7", ui().txtPart.text = "31"; }, "11.40");
  erupt(Style::Lava, "0.40", 4);
  faultAt("10.00", "4", "0", "Left side down");
  faultAt("14.00", "3", "2", "Left side down");
  erode(3);
  ASSERT_EQ(m().RecCount, 5);
  const PhaseRecord& r = m().RecTable[1];
  EXPECT_EQ(std::tuple(r.Style, r.TectonicKind, r.Wind, r.Particles, r.Bursts, r.Slider[2], r.Slider[3]),
            std::tuple(Style::Stromb, TectonicKind::None, -7.0f, 31.0f, 3, 9, 20));
  EXPECT_TRUE(std::abs(r.Location - 11.4f) < 1e-5 && std::abs(r.Strength - 0.55f) < 1e-6) << r.Location << " " << r.Strength;
  EXPECT_EQ(std::tuple(m().RecTable[2].Style, m().RecTable[2].Bursts, m().RecBurst(2, 5), ui().RecLoaded),
            std::tuple(Style::Lava, 4, 0.0f, true));
  // The last flow was cut short by the Stop.
  EXPECT_TRUE(std::min({m().RecBurst(2, 1), m().RecBurst(2, 2), m().RecBurst(2, 3)}) >= 20 && m().RecBurst(2, 4) >= 1 &&
              m().RecBurst(2, 4) < 20) << m().RecBurst(2, 4);
  const PhaseRecord& vertical = m().RecTable[3];
  EXPECT_EQ(std::tuple(vertical.Style, vertical.TectonicKind, vertical.Location, vertical.Magnitude, vertical.DownSide,
                       m().RecBurst(3, 1)),
            std::tuple(Style::Tectonic, TectonicKind::Fault, 10.0f, 4, DownSide::Left, 0.0f));
  // A dipping fault drops the side it dips toward; an erosion keeps the cycles that ran.
  EXPECT_EQ(std::tuple(m().RecTable[4].Dip, m().RecTable[4].DownSide, m().RecTable[5].TectonicKind, m().RecTable[5].ErodeCycles,
                       m().ErodeCycles >= 3),
            std::tuple(2, DownSide::None, TectonicKind::Erosion, m().ErodeCycles, true));
}

// An automatic run records every finished phase: eruptions, each fault offset and each erosion.
TEST_F(RecorderTest, AutomaticRunRecordsItsEruptionsFaultsAndErosions) {
  host.canvas.recording = false;
  ui().mnuOptSound.checked = true;
  bool sawFault = false, sawErosion = false;
  for (uint64_t seed = 1; seed <= 60 && !(sawFault && sawErosion); ++seed) {
    clearVar(sim), clearRec(sim), sim.rnd.fixSeed(seed);
    for (int x = 1; x <= kColumns; ++x)
      for (int k = 1; k <= 25; ++k) m().Strat(k, x) = m().Topo[x] = float(k);
    m().LayerCount = 25;
    startRecording();
    if (!sim.autoMode()) selectAuto(sim);
    host.sounds.clear();
    host.onYield = [this] {
      if (ui().AutoCyclesBegun >= 3 && m().RunStop != RunState::Stopping) cmdHaltClick(sim);
      if (m().BurstCount > 2 && m().RunStop == RunState::Running) m().BurstLimit = m().BurstCount;  // short phases
    };
    cmdEruptClick(sim);
    const auto loops = [&](const char* sound) {
      return std::count(host.sounds.begin(), host.sounds.end(), sim.paths.sound(sound) + " (loop)");
    };
    int faults = 0, erosions = 0, eruptions = 0;
    for (int i = 1; i <= m().RecCount; ++i) {
      const PhaseRecord& r = m().RecTable[i];
      faults += r.TectonicKind == TectonicKind::Fault;
      erosions += r.TectonicKind == TectonicKind::Erosion;
      eruptions += r.Style != Style::Tectonic;
    }
    EXPECT_EQ(std::tuple(faults, erosions, eruptions), std::tuple(loops("Fault.wav"), loops("Erode.wav"), 2)) << seed;
    sawFault = sawFault || faults > 0;
    sawErosion = sawErosion || erosions > 0;
  }
  EXPECT_TRUE(sawFault && sawErosion);
}

// A record holds 100 flows a phase and 500 phases.
TEST_F(RecorderTest, RecordingEndsALavaPhaseAtTheHundredthFlowAndStopsAfterTheFiveHundredthPhase) {
  startRecording();
  erupt(Style::Lava, "0.40", 150);
  EXPECT_EQ(std::tuple(m().RecCount, m().BurstCount, m().RecTable[1].Bursts, m().RecBurst(1, kRecBursts) >= 20),
            std::tuple(1, kRecBursts, kRecBursts, true));
  EXPECT_NO_THROW(recordFileText({"", m().Scale, m().RecCount}, m().RecTable, m().RecBurst));
  m().RecCount = kRecPhases, m().RecTable[kRecPhases].Bursts = 17;
  const PhaseRecord last = m().RecTable[kRecPhases];
  erupt(Style::Stromb, "0.40", 1);
  erupt(Style::Stromb, "0.40", 1);  // recording is off by then: no second message
  EXPECT_TRUE(m().RecCount == kRecPhases && m().RecTable[kRecPhases] == last);
  EXPECT_TRUE(!ui().mnuRecRec.checked && ui().mnuParStatic.enabled && ui().statusBar1[6] == "Record Off");
  EXPECT_EQ(host.messages, (std::vector<std::string>{"The lava phase ends with flow 100: a record keeps no more flows of one phase.",
                                                      "Record off (cannot record after phase 500)"}));
}

TEST_F(RecorderTest, RecordAndPlaybackItemsExcludeEachOther) {
  ui().modeText() = "Playback Complete";
  mnuRecRecClick(sim);
  EXPECT_TRUE(ui().mnuRecRec.checked && ui().toolbar["record"].pressed && !ui().mnuParStatic.enabled);
  EXPECT_EQ(ui().statusBar1[6] + "/" + ui().modeText(), "Record On/Manual Erupt");
  m().RecCount = m().PlayIndex = 4;
  mnuRecPlayClick(sim);  // at the end of the table: the next playback starts again
  EXPECT_TRUE(ui().mnuRecPlay.checked && !ui().mnuRecRec.checked && m().PlayIndex == 0);
  mnuRecPlayLoopClick(sim);
  EXPECT_EQ(ui().modeText(), "Playback (Loop)");
  mnuRecPlayClick(sim);
  EXPECT_EQ(ui().cmdErupt.caption + "/" + ui().modeText(), "&Erupt/Manual Erupt");
  mnuRecPlayLoopClick(sim);  // outside playback the mode text stays
  EXPECT_EQ(ui().modeText(), "Manual Erupt");
  // Playback is offered only with a record loaded.
  for (bool loaded : {false, true}) {
    ui().RecLoaded = loaded;
    mnuRecOpening(sim);
    EXPECT_TRUE(ui().mnuRecPlay.enabled == loaded && ui().mnuRecPlayLoop.enabled == loaded) << loaded;
  }
}

TEST_F(RecorderTest, TheEditorNamesARecordFileInTheDataFolderOrBesideTheStratFile) {
  sim.paths.dataPath = "/home/user/Plovk/Magmo3/";
  mnuRecEditClick(sim);
  EXPECT_EQ(ui().RecFileName, "/home/user/Plovk/Magmo3/Magmo.rec");
  ui().RecFileName.clear(), ui().StrFileName = "/data/Etna.str";
  mnuRecEditClick(sim);
  EXPECT_EQ(ui().RecFileName, "/data/Etna.rec");
}

TEST_F(RecorderTest, ResetDisarmsAndNewFileForgetsTheHistoryAndTheFiles) {
  startRecording();
  erupt(Style::Lava, "0.40", 2);
  ui().PlayReady = true;
  clearVar(sim);
  // The player resets too and still needs the table.
  EXPECT_EQ(std::tuple(ui().RecLoaded, ui().PlayReady, m().RecCount), std::tuple(false, false, 1));
  buildCone(640, 30, 100);
  ui().StrFileName = "/somewhere/cone.str", ui().RecFileName = "/somewhere/cone.rec";
  ui().recordFlag = ui().mnuRecPlay.enabled = true;
  std::string statusWhileResetting;
  host.onYield = [&] {
    if (statusWhileResetting.empty()) statusWhileResetting = ui().statusBar2[1];
  };
  fileNew(sim);
  EXPECT_TRUE(statusWhileResetting == "Resetting Magmo Record" && m().RecCount == 0 && m().RecTable[1] == PhaseRecord{} &&
              m().RecBurst(1, 1) == 0 && m().LayerCount == 0) << statusWhileResetting;
  EXPECT_EQ(std::tuple(ui().StrFileName, ui().RecFileName, ui().recordFlag, ui().statusBar1[3]),
            std::tuple("", "", false, "No File Loaded"));
  EXPECT_TRUE(!ui().mnuRecPlay.enabled && !ui().toolbar["play"].enabled && ui().mnuFile.enabled);
}

}  // namespace
}  // namespace magmo::test
