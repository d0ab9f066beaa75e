#include "control/Playback.h"

#include <filesystem>
#include <limits>
#include <map>

#include "formats/StratFile.h"
#include "control/RecordFixture.h"

namespace magmo::test {
namespace {

class PlaybackTest : public RecordTest {
 protected:
  // Layer count, colours, surface and every stratum top.
  std::vector<float> section() {
    std::vector<float> s{float(m().LayerCount)};
    for (int k = 0; k <= m().LayerCount; ++k) s.push_back(float(m().LayerColor[k]));
    for (int x = 1; x <= kColumns; ++x) {
      s.push_back(m().Topo[x]);
      for (int k = 0; k <= m().LayerCount; ++k) s.push_back(m().Strat(k, x));
    }
    return s;
  }
  void play() {
    if (!ui().mnuRecPlay.checked) mnuRecPlayClick(sim);
    cmdEruptClick(sim);
  }
  PhaseRecord& phase(int n, int style, float km, int bursts = 1) {
    m().RecCount = std::max(m().RecCount, n);
    PhaseRecord& r = m().RecTable[n];
    r = {.Location = km, .Style = Style(style), .Strength = 0.3f, .Particles = 20, .Bursts = bursts};
    r.TectonicKind = style == 0 ? TectonicKind::Fault : TectonicKind::None;
    r.Magnitude = 2;
    r.Slider = {0, 6, 6, 20, 6, 0, 6};
    return r;
  }
  std::string strFileWithCone() {
    buildCone(640, 100, 100);
    const auto path = std::filesystem::temp_directory_path() / ("magmo-play-" + std::to_string(::getpid()) + ".str");
    writeStratFile(m(), path.string(), false);
    ui().StrFileName = path.string();
    return path.string();
  }
};

TEST_F(PlaybackTest, ReplayedHistoryRebuildsTheSameStrata) {
  sim.rnd.fixSeed(2024);
  startRecording();
  erupt(Style::Stromb, "0.60", 4, "12.00");
  erupt(Style::Plinian, "0.70", 2, "13.50");
  faultAt("12.40", "3", "0", "Left side down");
  erupt(Style::Stromb, "0.35", 3, "11.00");
  ASSERT_EQ(m().RecCount, 4);
  const std::vector<float> original = section();
  ASSERT_EQ(original[0], 3);  // the fault moves strata but opens no layer

  sim.rnd.fixSeed(2024);
  play();
  EXPECT_EQ(m().PlayIndex, 4);
  EXPECT_EQ(ui().modeText(), "Playback Complete");
  EXPECT_TRUE(host.messages.empty()) << host.messages.front();
  EXPECT_TRUE(section() == original);
}

TEST_F(PlaybackTest, LavaAndErosionReplayTheirRecordedLengths) {
  buildCone(640, 200, 150);
  startRecording();
  erupt(Style::Lava, "0.40", 3);
  erode(4);
  const float lastFlow = m().RecBurst(1, 3);
  m().RecTable[2].ErodeCycles += 2;
  const int cycles = m().RecTable[2].ErodeCycles;
  ui().PlayReady = true;  // over the same cone
  play();
  EXPECT_EQ(m().RecBurst(1, 3), lastFlow);  // read, not overwritten
  EXPECT_EQ(m().ErodeCycles, cycles);
  m().RecCount = 1;
  play();
  EXPECT_EQ(m().BurstCount, 3);
  EXPECT_EQ(m().LavaBurst, lastFlow);
}

TEST_F(PlaybackTest, ArmedPlaybackSkipsOneResetOnly) {
  phase(1, 2, 24);
  m().Strat(0, 3) = m().Topo[3] = 42;  // far from the vent: only a reset clears it
  ui().PlayReady = true;
  play();
  EXPECT_EQ(m().Strat(0, 3), 42);
  EXPECT_FALSE(ui().PlayReady);
  play();
  EXPECT_EQ(m().Strat(0, 3), 0);
  EXPECT_EQ(m().LayerCount, 1);
  EXPECT_TRUE(ui().RecLoaded);
}

TEST_F(PlaybackTest, LoopRestartsFromTheFileUntilStopped) {
  const std::string path = strFileWithCone();
  phase(1, 2, 20);
  phase(2, 2, 5);
  m().LayerCount = 3;  // what the user did since must not survive
  mnuRecPlayClick(sim);
  mnuRecPlayLoopClick(sim);
  int starts = 0, lastIndex = -1, layersAtStart = -1;
  bool haltUsable = true;
  host.onYield = [&] {
    if (m().PlayIndex == 0 && lastIndex != 0) {
      ++starts;
      layersAtStart = m().LayerCount;
    }
    const bool inPhase = ui().statusBar2[2].rfind("Playback Phase", 0) == 0;
    if (inPhase && m().RunStop == RunState::Running) haltUsable = haltUsable && ui().cmdHalt.enabled && !ui().cmdErupt.enabled;
    lastIndex = m().PlayIndex;
    if ((starts >= 3 && m().RunStop != RunState::Stopping) || starts > 10) cmdHaltClick(sim);
  };
  cmdEruptClick(sim);
  EXPECT_EQ(starts, 3);
  EXPECT_EQ(layersAtStart, 1);  // each pass began from the file's one layer
  EXPECT_TRUE(haltUsable);
  EXPECT_GE(host.sleptMs, 3000);
  EXPECT_EQ(ui().modeText(), "Playback Stopped");
  EXPECT_TRUE(ui().mnuRecPlayLoop.checked);
  EXPECT_TRUE(ui().cmdErupt.enabled);
  EXPECT_FALSE(ui().cmdHalt.enabled);
  std::filesystem::remove(path);
}

TEST_F(PlaybackTest, CalderaTypesAndFaultSideAreRestored) {
  buildCone(640, 200, 150);
  ui().PlayReady = true;
  for (int n : {1, 2}) {
    PhaseRecord& p = phase(n, 5, 12.8f);
    p.Strength = 0.8f;
    p.CalderaFlag = 1;
    p.CalderaStyle = CalderaStyle(n);
  }
  phase(3, 0, 10).DownSide = DownSide::Left;
  std::map<int, std::string> calderaType, title, down;
  host.onYield = [&] {
    const int i = m().PlayIndex;
    if (ui().CaldStyle.visible) calderaType[i] = ui().CaldStyle.text;
    title[i] = ui().EruptTitle;
    down[i] = ui().Down.text;
  };
  play();
  EXPECT_EQ(calderaType[1], "Mazama Type");
  EXPECT_EQ(calderaType[2], "Valles Type");
  EXPECT_EQ(title[1], "Caldera Plinian Eruption (Mazama Type)");
  EXPECT_EQ(title[3], "Faulting Interval");
  EXPECT_EQ(down[3], "Left side down");
}

TEST_F(PlaybackTest, EmptyTableOnlyRestoresTheIdleControls) {
  buildCone(640, 100, 100);
  play();
  EXPECT_EQ(m().LayerCount, 1);  // no reset
  EXPECT_EQ(ui().modeText(), "Playback Complete");
  EXPECT_EQ(ui().cmdErupt.caption, "Play&back");
  EXPECT_TRUE(ui().cmdErupt.enabled && ui().cmdErupt.isDefault);
  EXPECT_FALSE(ui().cmdHalt.enabled || ui().toolbar["halt"].enabled);
}

TEST_F(PlaybackTest, OddValuesAreLimitedAndDamagedPhasesStopThePlayback) {
  phase(1, 2, 1e6f).Particles = 0;
  phase(2, 2, -50).Particles = 1000;
  phase(3, 2, 12, 0);
  std::map<int, int> vent, particles;
  host.onYield = [&] {
    vent[m().PlayIndex] = m().VentX;
    particles[m().PlayIndex] = m().PartCount;
  };
  play();
  EXPECT_TRUE(host.messages.empty()) << host.messages.front();
  EXPECT_EQ(m().LayerCount, 3);
  EXPECT_EQ(vent[1], kVentMax);
  EXPECT_EQ(particles[1], 1);
  EXPECT_EQ(vent[2], kVentMin);
  EXPECT_EQ(particles[2], kMaxParticles);

  host.onYield = nullptr;
  const auto damage = [](PhaseRecord& p, int kind) {
    switch (kind) {
      case 0: p.Bursts = -3; break;
      case 1: p.Slider[6] = 0; break;
      case 2: p.Strength = std::numeric_limits<float>::quiet_NaN(); break;
      default: p.Style = Style::Tectonic; p.TectonicKind = TectonicKind::Erosion; p.ErodeCycles = -1; break;
    }
  };
  for (int kind = 0; kind <= 3; ++kind) {
    SCOPED_TRACE(kind);
    host.messages.clear();
    damage(phase(2, 2, 12), kind);
    play();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("Playback error"), std::string::npos) << host.messages[0];
    EXPECT_NE(host.messages[0].find("phase 2"), std::string::npos) << host.messages[0];
    EXPECT_EQ(m().LayerCount, 1);
    EXPECT_EQ(ui().modeText(), "Playback Stopped");
    EXPECT_FALSE(ui().cmdHalt.enabled);
  }
}

}  // namespace
}  // namespace magmo::test
