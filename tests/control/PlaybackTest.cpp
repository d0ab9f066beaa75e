#include "control/Playback.h"

#include <limits>

#include "control/Recorder.h"
#include "control/RecordFixture.h"
#include "control/Undo.h"
#include "formats/RecordFile.h"
#include "formats/StratFile.h"
#include "model/Numeric.h"
#include "model/Vent.h"

namespace magmo::test {
namespace {

class PlaybackTest : public RecordTest {
 protected:
  PlaybackTest() { sim.paths.dataPath = dir.folder(); }
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
  struct Layers {
    std::vector<int> colours;
    std::vector<double> volumes;
    bool operator==(const Layers&) const = default;
  };
  Layers layers() const {
    Layers l;
    for (int k = 1; k <= sim.m.LayerCount; ++k) {
      l.colours.push_back(sim.m.LayerColor[k]);
      l.volumes.push_back(layerVolume(sim.m, k));
    }
    return l;
  }
  PhaseRecord& phase(int n, Style style, float km, int bursts = 1) {
    m().RecCount = std::max(m().RecCount, n);
    PhaseRecord& r = m().RecTable[n];
    r = {.Location = km, .Style = style, .Strength = 0.3f, .Particles = 20, .Bursts = bursts, .Magnitude = 2};
    if (style == Style::Tectonic) r.TectonicKind = TectonicKind::Fault;
    return r;
  }
};

// Each kind of phase, recorded as the user runs it and replayed from the same section and seed,
// gives the recorded layers, colours and volumes, with the recorded values in the panel: the
// panel's layout must not limit them, drop a box or change a location.
TEST_F(PlaybackTest, EachKindOfPhaseReplaysAsItWasRecorded) {
  const auto caldDiat = [&] { ui().chkCaldDiat.checked = true; };
  // Name, the phase as recorded, and whether the volumes match: erosion replays a fixed number of
  // cycles, which ends on a finer stencil.
  const std::tuple<const char*, std::function<void()>, bool> cases[] = {
      {"strombolian 1.9", [&] { erupt(Style::Stromb, "1.90", 3, {}, "12.34"); }, true},
      {"diatreme", [&] { erupt(Style::Stromb, "0.20", 20, caldDiat); }, true},
      {"flow/surge diatreme and its surges", [&] { erupt(Style::Pfs, "0.20", 6, caldDiat, "2.00"); }, true},
      {"directed blast", [&] { erupt(Style::Pfs, "0.70", 4, [&] { ui().chkDirected.checked = true; }); }, true},
      {"hawaiian", [&] { erupt(Style::Lava, "0.40", 3); }, true},
      {"peleean", [&] { erupt(Style::Dome, "0.40", 3); }, true},
      {"mazama caldera", [&] { erupt(Style::Plinian, "0.90", 25, [&] { caldDiat(), ui().CaldStyle.text = "Mazama Type"; }); }, true},
      {"collapse 0.5", [&] { erupt(Style::Collapse, "0.50", 1, [&] { ui().txtCtop.text = "12.80", ui().txtCbase.text = "16.00"; }); }, true},
      {"explosions", [&] { erupt(Style::Fumarole, "0.90", 30, [&] { ui().chkFumex.checked = true; }); }, true},
      {"fault", [&] { faultAt("13.00", "5", "0", "Left side down"); }, true},
      {"erosion", [&] { erode(3); }, false},
  };
  buildCone(640, 150, 200);
  const Section start = m();
  const PerColumn<float> startTopo = m().Topo;
  const auto restart = [&](uint64_t seed) {
    static_cast<Section&>(m()) = start;
    m().Topo = startTopo;
    sim.rnd.fixSeed(seed);
  };
  for (const auto& [name, record, sameVolumes] : cases) {
    SCOPED_TRACE(name);
    restart(9);
    clearRec(sim);
    if (ui().mnuRecPlay.checked) mnuRecPlayClick(sim);
    startRecording();
    record();
    ASSERT_EQ(m().RecCount, 1);
    const PhaseRecord recorded = m().RecTable[1];
    const Layers made = layers();
    restart(9);
    ui().PlayReady = ui().mnuOptSound.checked = true;
    host.sounds.clear(), host.messages.clear();
    settings.save(kSettingsSection, "AutoErupt", "1");  // the user's last choice must survive a replay
    float strength = 0;
    std::string location;
    host.onYield = [&] {
      if (m().BurstCount == 1) strength = m().Strength, location = ui().txtLoc.text;
    };
    play();
    host.onYield = nullptr;
    EXPECT_TRUE(host.messages.empty()) << host.messages.front();
    EXPECT_EQ(std::pair(m().PlayIndex, layers().colours), std::pair(1, made.colours));
    if (sameVolumes) { EXPECT_EQ(layers().volumes, made.volumes); }
    if (recorded.Style != Style::Tectonic && recorded.Style != Style::Collapse) {
      EXPECT_NEAR(strength, recorded.Strength, 1e-5);
      EXPECT_EQ(location, format(recorded.Location, "0.00"));
    }
    EXPECT_EQ(std::pair(settings.read(kSettingsSection, "AutoErupt", ""),
                        std::count(host.sounds.begin(), host.sounds.end(), sim.paths.sound("RestoreUp.wav"))),
              std::pair(std::string("1"), 0L));
  }
}

TEST_F(PlaybackTest, ArmedPlaybackSkipsOneResetOnlyAndAnEmptyTableOnlyRestoresTheControls) {
  buildCone(640, 100, 100);
  play();
  EXPECT_EQ(std::tuple(m().LayerCount, ui().modeText(), ui().cmdErupt.caption),  // nothing to play: no reset
            std::tuple(1, "Playback Complete", "Play&back"));
  EXPECT_TRUE(ui().cmdErupt.enabled && ui().cmdErupt.isDefault && !ui().cmdHalt.enabled && !ui().toolbar["halt"].enabled);

  phase(1, Style::Stromb, 24);
  m().Strat(0, 3) = m().Topo[3] = 42;  // far from the vent: only a reset clears it
  ui().PlayReady = true;
  play();
  EXPECT_TRUE(m().Strat(0, 3) == 42 && !ui().PlayReady);
  play();
  EXPECT_TRUE(m().Strat(0, 3) == 0 && m().LayerCount == 1 && ui().RecLoaded && ui().mnuParUndo.enabled);
  mnuParUndoClick(sim);  // takes back the last phase played
  EXPECT_EQ(m().LayerCount, 0);
}

TEST_F(PlaybackTest, LoopRestartsFromTheFileUntilStopped) {
  buildCone(640, 100, 100);
  ui().StrFileName = path("cone.str");
  writeStratFile(m(), ui().StrFileName, false);
  phase(1, Style::Stromb, 20);
  phase(2, Style::Stromb, 5);
  m().LayerCount = 3;  // what the user did since must not survive
  mnuRecPlayClick(sim);
  mnuRecPlayLoopClick(sim);
  int starts = 0, lastIndex = -1, layersAtStart = -1;
  bool haltUsable = true;
  host.onYield = [&] {
    if (m().PlayIndex == 0 && lastIndex != 0) ++starts, layersAtStart = m().LayerCount;
    const bool inPhase = ui().statusBar2[2].rfind("Playback Phase", 0) == 0;
    if (inPhase && m().RunStop == RunState::Running)
      haltUsable = haltUsable && ui().cmdHalt.enabled && !ui().cmdErupt.enabled;
    lastIndex = m().PlayIndex;
    if ((starts >= 3 && m().RunStop != RunState::Stopping) || starts > 10) cmdHaltClick(sim);
  };
  cmdEruptClick(sim);
  // Each pass began from the file's one layer.
  EXPECT_EQ(std::tuple(starts, layersAtStart, haltUsable, host.sleptMs >= 3000, ui().modeText()),
            std::tuple(3, 1, true, true, "Playback Stopped"));
  EXPECT_TRUE(ui().mnuRecPlayLoop.checked && ui().cmdErupt.enabled && !ui().cmdHalt.enabled);
}

TEST_F(PlaybackTest, RecordedValuesAreLimitedAsOkLimitsThemAndDamagedPhasesStopThePlayback) {
  phase(1, Style::Stromb, 1e6f).Particles = 0;
  phase(2, Style::Stromb, -50).Particles = 1000;
  phase(3, Style::Stromb, 12, 0);
  phase(4, Style::Stromb, 12);
  std::map<int, int> vent, particles;
  host.onYield = [&] { vent[m().PlayIndex] = m().VentX, particles[m().PlayIndex] = m().PartCount; };
  play();
  EXPECT_TRUE(host.messages.empty()) << host.messages.front();
  EXPECT_EQ(std::tuple(m().LayerCount, vent[1], particles[1], vent[2], particles[2]),
            std::tuple(4, kVentMax, 1, kVentMin, kMaxParticles));
  // A phase of no bursts leaves an empty layer, which must not cut the layers below it away.
  EXPECT_EQ(layerVolume(m(), 3), 0);
  EXPECT_GT(layerVolume(m(), 2), 0);
  host.onYield = nullptr;
  const std::function<void(PhaseRecord&)> damages[] = {
      [](PhaseRecord& p) { p.Bursts = -3; },
      [](PhaseRecord& p) { p.Slider[6] = 0; },
      [](PhaseRecord& p) { p.Strength = std::numeric_limits<float>::quiet_NaN(); },
      [](PhaseRecord& p) { p.Style = Style::Lava, p.Bursts = kRecBursts + 1; },
      [](PhaseRecord& p) { p.Style = Style::Tectonic, p.TectonicKind = TectonicKind::None; },
  };
  for (const auto& damage : damages) {
    host.messages.clear();
    damage(phase(2, Style::Stromb, 12));
    play();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].rfind("Playback error: \nRecord phase 2 cannot be played: ", 0), 0u) << host.messages[0];
    EXPECT_EQ(std::tuple(m().LayerCount, ui().modeText(), ui().cmdHalt.enabled), std::tuple(1, "Playback Stopped", false));
  }
}

TEST_F(PlaybackTest, CancelChangesNothingAndAnUnreadableRecordLeavesTheUserRecording) {
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

// Cancel pressed while the record's stratigraphic file loads starts a new model, nothing armed on
// a partial section; a record opened whole loads that file and is armed.
TEST_F(PlaybackTest, OpenedRecordIsArmedAndPlaysWithoutASecondReset) {
  const std::string rec = saveHistory("Cone.rec", 4);
  const PhaseTable recorded = m().RecTable;
  clearVar(sim);
  host.fileAnswers = {rec, rec};
  host.onYield = [&] {
    if (ui().cmdHalt.caption == "&Cancel" && m().RunStop == RunState::Running) cmdHaltClick(sim);
  };
  fileOpenRec(sim);
  host.onYield = nullptr;
  EXPECT_EQ(std::tuple(m().LayerCount, m().RecCount, ui().RecFileName, ui().StrFileName, m().RunStop, ui().cmdHalt.caption),
            std::tuple(0, 0, "", "", RunState::Running, "&Pause"));
  EXPECT_FALSE(ui().PlayReady || ui().RecLoaded || ui().mnuRecPlay.checked);
  host.messages.clear();
  fileOpenRec(sim);
  EXPECT_TRUE(host.messages.empty()) << host.messages.front();
  EXPECT_EQ(std::tuple(m().RecCount, m().RecTable[1], m().LayerCount, ui().modeText()), std::tuple(2, recorded[1], 4, "Playback"));
  // Armed; a Save As over that file would alter the record.
  EXPECT_TRUE(ui().PlayReady && ui().RecLoaded && ui().mnuRecPlay.checked && ui().recordFlag);
  m().Strat(0, 3) = 7;  // would not survive a reset
  cmdEruptClick(sim);
  EXPECT_EQ(std::tuple(m().Strat(0, 3), m().LayerCount, ui().modeText()), std::tuple(7.0f, 6, "Playback Complete"));
}

}  // namespace
}  // namespace magmo::test
