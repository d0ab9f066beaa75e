#include "control/Params.h"
#include "support/SimFixture.h"

namespace magmo::test {
namespace {

class RunControlTest : public SimTest {
 protected:
  void acceptStrombolian() {
    selectStyle(sim, Style::Stromb);
    changeOk(sim);
  }
  struct Buttons {
    bool eruptEnabled;
    std::string haltCaption;
    bool haltEnabled, haltDefault;
    RunState runStop;
  };
  Buttons buttons() const {
    return {sim.ui.cmdErupt.enabled, sim.ui.cmdHalt.caption, sim.ui.cmdHalt.enabled, sim.ui.cmdHalt.isDefault,
            sim.m.RunStop};
  }
};

TEST_F(RunControlTest, ButtonsFollowTheRunStatesAndStopEndsAfterTheBurst) {
  acceptStrombolian();
  std::vector<Buttons> seen;
  std::vector<std::string> progress, modes;
  int stopBurst = 0;
  host.onYield = [&] {
    if (m().BurstCount < 2) return;
    if (seen.empty()) {
      seen.push_back(buttons());  // running
      cmdHaltClick(sim);
      seen.push_back(buttons());  // paused
      progress.push_back(ui().statusBar2[2]);
      modes.push_back(ui().modeText());
    } else if (m().RunStop == RunState::Paused) {
      cmdHaltClick(sim);
      seen.push_back(buttons());  // stopping
      progress.push_back(ui().statusBar2[2]);
      modes.push_back(ui().modeText());
      stopBurst = m().BurstCount;
    }
  };
  cmdEruptClick(sim);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_FALSE(seen[0].eruptEnabled);
  EXPECT_EQ(seen[0].haltCaption, "&Pause");
  EXPECT_TRUE(seen[0].haltEnabled && seen[0].haltDefault);
  EXPECT_TRUE(seen[1].eruptEnabled);
  EXPECT_EQ(seen[1].haltCaption, "&Stop");
  EXPECT_EQ(seen[1].runStop, RunState::Paused);
  EXPECT_FALSE(seen[2].eruptEnabled || seen[2].haltEnabled);
  EXPECT_EQ(seen[2].runStop, RunState::Stopping);
  EXPECT_EQ(progress[0], "(Paused) Phase: 1   Burst: 2   ");
  EXPECT_EQ(progress[1], "(Finishing) Phase: 1   Burst: 2   ");
  EXPECT_EQ(modes[0], "Manual Erupt (Paused)");
  EXPECT_EQ(modes[1], "Manual Erupt (Stopped)");
  EXPECT_EQ(m().BurstCount, stopBurst);
  const Buttons idle = buttons();
  EXPECT_TRUE(idle.eruptEnabled && ui().cmdErupt.isDefault);
  EXPECT_EQ(idle.haltCaption, "&Pause");
  EXPECT_FALSE(idle.haltEnabled);
  EXPECT_EQ(ui().modeText(), "Manual Erupt");
  EXPECT_TRUE(ui().mnuParUndo.enabled && ui().mnuFileSave.enabled && ui().mnuFile.enabled);
}

TEST_F(RunControlTest, EruptResumesAPausedBurstWhereItStopped) {
  acceptStrombolian();
  int pausedAt = -1, resumedAt = -1;
  float timeAtPause = 0, timeAtResume = 0;
  std::string progressAfterResume;
  bool menusDisabledWhileRunning = false;
  host.onYield = [&] {
    if (m().BurstCount == 1 && pausedAt < 0 && m().BurstTime > 0) {
      menusDisabledWhileRunning = !ui().mnuFile.enabled && !ui().mnuOpt.enabled;
      cmdHaltClick(sim);
      pausedAt = m().BurstCount;
      timeAtPause = m().BurstTime;
    } else if (m().RunStop == RunState::Paused && resumedAt < 0) {
      cmdEruptClick(sim);
      resumedAt = m().BurstCount;
      timeAtResume = m().BurstTime;
      progressAfterResume = ui().statusBar2[2];
    } else if (m().BurstCount >= 3 && m().RunStop == RunState::Running) {
      cmdHaltClick(sim);
    } else if (m().BurstCount >= 3 && m().RunStop == RunState::Paused) {
      cmdHaltClick(sim);
    }
  };
  cmdEruptClick(sim);
  EXPECT_TRUE(menusDisabledWhileRunning);
  EXPECT_EQ(resumedAt, pausedAt);
  EXPECT_EQ(timeAtResume, timeAtPause);
  EXPECT_EQ(progressAfterResume, "Phase: 1   Burst: 1   ");
  EXPECT_EQ(m().BurstCount, 3);
}

TEST_F(RunControlTest, FullTableSwitchesToStaticBeforeTheStyleStarts) {
  buildCone(640, 20, 100);
  m().LayerCount = 500;
  for (int x = 0; x <= 1280; ++x) m().Strat(500, x) = m().Topo[x];
  acceptStrombolian();
  stopDuringBurst(1);
  cmdEruptClick(sim);
  EXPECT_TRUE(ui().mnuParStatic.checked);
  EXPECT_EQ(m().LayerCount, 500);
  EXPECT_EQ(ui().modeText(), "Manual Erupt (Static)");
}

TEST_F(RunControlTest, FlowSurgeWithTheDiatremeBoxRunsByStrength) {
  struct Outcome {
    int layers, firstColour;
    Style eruptType;
  };
  std::vector<Outcome> outcomes;
  for (const char* strength : {"0.45", "0.40"}) {
    clearVar(sim);
    selectStyle(sim, Style::Pfs);
    ui().txtStr.text = strength;
    ui().chkCaldDiat.checked = true;
    changeOk(sim);
    stopDuringBurst(1);
    cmdEruptClick(sim);
    outcomes.push_back({m().LayerCount, m().LayerColor[1], m().EruptType});
  }
  // 0.45 (StrengthC 0.58) runs the flows at once; 0.40 (0.63) digs a diatreme first, which on
  // flat ground refills at once and hands the phase over to the flows in a layer of their own.
  EXPECT_EQ(outcomes[0].layers, 1);
  EXPECT_EQ(outcomes[0].firstColour, 7);
  EXPECT_EQ(outcomes[0].eruptType, Style::Pfs);
  EXPECT_EQ(outcomes[1].layers, 2);
  EXPECT_EQ(outcomes[1].firstColour, 5);
  EXPECT_EQ(outcomes[1].eruptType, Style::Pfs);
  EXPECT_EQ(m().LayerColor[2], 7);
}

TEST_F(RunControlTest, StaticSwitchAndTheCommandsALayerEnables) {
  ui().mnuOptMapEnable.checked = true;
  mnuParStaticClick(sim);
  EXPECT_TRUE(ui().mnuParStatic.checked);
  EXPECT_FALSE(ui().mnuOptMapEnable.checked);  // static phases make no map
  EXPECT_EQ(ui().statusBar1[7], "Map Off");
  EXPECT_FALSE(ui().mnuParLava.enabled || ui().mnuParDome.enabled || ui().mnuRecRec.enabled);
  EXPECT_FALSE(ui().cmdErupt.enabled);
  EXPECT_EQ(ui().modeText(), "Manual Erupt (Static)");
  mnuParStaticClick(sim);
  EXPECT_FALSE(ui().mnuParStatic.checked);
  EXPECT_TRUE(ui().mnuParLava.enabled && ui().mnuRecRec.enabled);
  // Nothing to cut or fault yet.
  EXPECT_FALSE(ui().mnuParTec.enabled || ui().mnuParCol.enabled);
  EXPECT_EQ(ui().modeText(), "Manual Erupt");
  buildCone(640, 20, 100);
  mnuParStaticClick(sim);
  mnuParStaticClick(sim);
  EXPECT_TRUE(ui().mnuParTec.enabled && ui().mnuParCol.enabled && ui().mnuViewStrat.enabled);
  // The commands around a run: faulting, collapse and the column view need a layer.
  for (int layers : {0, 1}) {
    m().LayerCount = layers;
    menuAct(sim, false);
    EXPECT_FALSE(ui().mnuFile.enabled || ui().toolbar["tectonic"].enabled);
    menuAct(sim, true);
    EXPECT_TRUE(ui().mnuFile.enabled);
    EXPECT_EQ(ui().mnuParTec.enabled && ui().mnuParCol.enabled && ui().mnuViewStrat.enabled, layers > 0);
    EXPECT_EQ(ui().toolbar["tectonic"].enabled && ui().toolbar["strat"].enabled, layers > 0);
  }
}

}  // namespace
}  // namespace magmo::test
