#include "control/Params.h"
#include "control/ProfileCommands.h"
#include "support/SimFixture.h"

namespace magmo::test {
namespace {

class RunControlTest : public SimTest {
 protected:
  void acceptStrombolian() {
    selectStyle(sim, Style::Stromb);
    changeOk(sim);
  }
  // The run buttons, the progress and the mode text as the user sees them.
  auto buttons() {
    Controls& u = sim.ui;
    return std::tuple(u.cmdErupt.enabled, u.cmdHalt.caption, u.cmdHalt.enabled, u.cmdHalt.isDefault, sim.m.RunStop,
                      u.statusBar2[2], u.modeText());
  }
};

// Pause mid-burst, resume where it stopped, then Pause and Stop: the run ends after that burst.
// With screen capture on, each pause and the phase's end leave a picture.
TEST_F(RunControlTest, ButtonsFollowTheRunStatesAndAResumeContinuesTheBurst) {
  acceptStrombolian();
  sim.paths.dataPath = "/data/";
  mnuViewCapClick(sim);
  EXPECT_EQ(ui().statusBar2[1], "Screen capture on: pictures go to /data/Capture/");
  std::vector<decltype(buttons())> seen;
  std::pair<int, float> paused{-1, 0}, resumed{-1, 0};
  std::string progressAfterResume;
  bool menusDisabledWhileRunning = false;
  int stopBurst = 0;
  host.onYield = [&] {
    if (m().BurstCount < 2) return;
    if (seen.empty() && m().BurstTime > 0) {
      menusDisabledWhileRunning = !ui().mnuFile.enabled && !ui().mnuOpt.enabled;
      seen.push_back(buttons());  // running
      cmdHaltClick(sim);
      seen.push_back(buttons());  // paused
      paused = {m().BurstCount, m().BurstTime};
    } else if (m().RunStop == RunState::Paused && resumed.first < 0) {
      cmdEruptClick(sim);
      resumed = {m().BurstCount, m().BurstTime};
      progressAfterResume = ui().statusBar2[2];
    } else if (m().BurstCount >= 3 && m().RunStop == RunState::Running) {
      cmdHaltClick(sim);
      cmdHaltClick(sim);
      seen.push_back(buttons());  // stopping
      stopBurst = m().BurstCount;
    }
  };
  cmdEruptClick(sim);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(std::tuple(std::get<0>(seen[0]), std::get<1>(seen[0]), std::get<2>(seen[0]), std::get<3>(seen[0])),
            std::tuple(false, "&Pause", true, true));
  EXPECT_EQ(seen[1], std::tuple(true, "&Stop", true, true, RunState::Paused, "(Paused) Phase: 1   Burst: 2   ",
                                "Manual Erupt (Paused)"));
  EXPECT_EQ(std::tuple(menusDisabledWhileRunning, resumed, progressAfterResume),
            std::tuple(true, paused, "Phase: 1   Burst: 2   "));
  EXPECT_EQ(seen[2], std::tuple(false, "&Stop", false, true, RunState::Stopping, "(Finishing) Phase: 1   Burst: 3   ",
                                "Manual Erupt (Stopped)"));
  EXPECT_EQ(std::pair(m().BurstCount, host.captures), std::pair(stopBurst, std::vector<std::string>(3, "/data/Capture/")));
  EXPECT_EQ(std::tuple(std::get<0>(buttons()), std::get<1>(buttons()), std::get<2>(buttons()), ui().modeText()),
            std::tuple(true, "&Pause", false, "Manual Erupt"));
  EXPECT_TRUE(ui().cmdErupt.isDefault && ui().mnuParUndo.enabled && ui().mnuFileSave.enabled && ui().mnuFile.enabled);
}

TEST_F(RunControlTest, FullTableSwitchesToStaticBeforeTheStyleStarts) {
  buildCone(640, 20, 100);
  m().LayerCount = 500;
  for (int x = 0; x <= 1280; ++x) m().Strat(500, x) = m().Topo[x];
  acceptStrombolian();
  stopDuringBurst(1);
  cmdEruptClick(sim);
  EXPECT_EQ(std::tuple(ui().mnuParStatic.checked, m().LayerCount, ui().modeText()),
            std::tuple(true, 500, "Manual Erupt (Static)"));
}

// 0.45 (StrengthC 0.58) runs the flows at once; 0.40 (0.63) digs a diatreme first, which on
// flat ground refills at once and hands the phase over to the flows in a layer of their own.
TEST_F(RunControlTest, FlowSurgeWithTheDiatremeBoxRunsByStrength) {
  for (auto [strength, layers, firstColour] : {std::tuple{"0.45", 1, 7}, {"0.40", 2, 5}}) {
    SCOPED_TRACE(strength);
    clearVar(sim);
    selectStyle(sim, Style::Pfs);
    ui().txtStr.text = strength, ui().chkCaldDiat.checked = true;
    changeOk(sim);
    stopDuringBurst(1);
    cmdEruptClick(sim);
    EXPECT_EQ(std::tuple(m().LayerCount, m().LayerColor[1], m().LayerColor[layers], m().EruptType),
              std::tuple(layers, firstColour, 7, Style::Pfs));
  }
}

TEST_F(RunControlTest, StaticSwitchAndTheCommandsALayerEnables) {
  ui().mnuOptMapEnable.checked = true;
  mnuParStaticClick(sim);
  EXPECT_TRUE(ui().mnuParStatic.checked && !ui().mnuOptMapEnable.checked);  // static phases make no map
  EXPECT_EQ(std::pair(ui().statusBar1[7], ui().modeText()), std::pair(std::string("Map Off"), std::string("Manual Erupt (Static)")));
  EXPECT_FALSE(ui().mnuParLava.enabled || ui().mnuParDome.enabled || ui().mnuRecRec.enabled || ui().cmdErupt.enabled);
  mnuParStaticClick(sim);  // nothing to cut or fault yet
  EXPECT_TRUE(!ui().mnuParStatic.checked && ui().mnuParLava.enabled && ui().mnuRecRec.enabled && !ui().mnuParTec.enabled &&
              !ui().mnuParCol.enabled && ui().modeText() == "Manual Erupt");
  buildCone(640, 20, 100);
  mnuParStaticClick(sim);
  mnuParStaticClick(sim);
  EXPECT_TRUE(ui().mnuParTec.enabled && ui().mnuParCol.enabled && ui().mnuViewStrat.enabled);
  // The same after a run: faulting, collapse and the column view need a layer.
  for (int layers : {0, 1}) {
    m().LayerCount = layers;
    ui().PrinterAvailable = layers > 0;
    menuAct(sim, false);
    EXPECT_FALSE(ui().mnuFile.enabled || ui().toolbar["tectonic"].enabled);
    menuAct(sim, true);
    EXPECT_TRUE(ui().mnuFile.enabled);
    EXPECT_EQ(ui().mnuParTec.enabled && ui().mnuParCol.enabled && ui().mnuViewStrat.enabled &&
                  ui().toolbar["tectonic"].enabled && ui().toolbar["strat"].enabled && ui().toolbar["print"].enabled,
              layers > 0);
  }
}

}  // namespace
}  // namespace magmo::test
