// The ready-made histories play to their end, and a record whose stratigraphic file is not at
// the stored path finds it by name in the data folder, then the factory folder.
#include <filesystem>

#include "control/Playback.h"
#include "control/Scenarios.h"
#include "formats/RecordFile.h"
#include "support/FileTestSupport.h"
#include "support/SimFixture.h"

namespace magmo::test {
namespace {

class ScenariosTest : public SimTest {
 protected:
  ScenariosTest() {
    sim.paths.resources = MAGMO_TEST_DATA_DIR "/";
    sim.paths.dataPath = data.folder();
    host.canvas.recording = false;  // whole histories draw millions of dots
  }
  TempDir data, factory;
};

TEST_F(ScenariosTest, EveryHistoryOpensArmedAndPlaysToItsEnd) {
  ASSERT_GE(scenarios().size(), 6u);
  for (const Scenario& s : scenarios()) {
    SCOPED_TRACE(s.key);
    openScenario(sim, s);
    ASSERT_TRUE(ui().mnuRecPlay.checked);
    int least = m().LayerCount, most = least;
    ASSERT_GT(least, 0);  // the starting file, by its bare name from the factory folder
    // A fault lays no layer; a diatreme fills its pit as a layer of its own, and one more once it
    // is full.
    for (int n = 1; n <= m().RecCount; ++n) {
      const PhaseRecord& p = m().RecTable[n];
      const int laid = p.Style != Style::Tectonic || p.TectonicKind == TectonicKind::Erosion;
      least += laid, most += laid + (p.CalderaFlag && (p.Style == Style::Stromb || p.Style == Style::Pfs));
    }
    cmdEruptClick(sim);
    EXPECT_EQ(ui().modeText(), "Playback Complete");
    EXPECT_TRUE(m().LayerCount >= least && m().LayerCount <= most) << m().LayerCount;
    EXPECT_TRUE(host.messages.empty()) << host.messages.front();
    int off = 0;  // every layer laid was filled: the top one is the ground
    for (int x = 1; x <= kColumns; ++x) off += m().Strat(m().LayerCount, x) != m().Topo[x];
    EXPECT_EQ(off, 0);
  }
}

// X.str is a one-layer file in the data folder, a five-layer one in the factory folder.
TEST_F(ScenariosTest, AMissingStartingFileIsFoundByNameInTheDataThenTheFactoryFolder) {
  sim.paths.resources = factory.folder();
  std::filesystem::create_directories(factory.folder() + "Files");
  const std::string ours = data.path("X.str"), shipped = factory.folder() + "Files/X.str";
  spit(ours, slurp(MAGMO_TEST_DATA_DIR "/Files/Magmo3.str"));
  spit(shipped, slurp(MAGMO_TEST_DATA_DIR "/Files/MagmoDemo.str"));
  PhaseTable table{};
  table[1].Style = Style::Stromb, table[1].Location = 12.8f, table[1].Strength = 0.5f, table[1].Bursts = 2;
  const auto open = [&](const std::string& named) {
    spit(data.path("h.rec"), recordFileText({named, 20, 1}, table, BurstTable{}));
    openRecord(sim, data.path("h.rec"));
    return std::pair(ui().StrFileName, m().LayerCount);
  };
  for (const std::string named : {"/nonexistent/dir/X.str", "X.str", "C:\\old\\X.str"})
    EXPECT_EQ(open(named), std::pair(ours, 1)) << named;
  EXPECT_EQ(ui().statusBar1[3], "X");  // the section's panel names the file found
  EXPECT_EQ(open(shipped), std::pair(shipped, 5));  // a file that is there is taken as named
  std::filesystem::remove(ours);
  EXPECT_EQ(open("/nonexistent/dir/X.str"), std::pair(shipped, 5));
  cmdEruptClick(sim);
  EXPECT_EQ(m().LayerCount, 6);
  std::filesystem::remove(shipped);  // neither: bare ground, as before
  EXPECT_EQ(open("/nonexistent/dir/X.str"), std::pair(std::string("/nonexistent/dir/X.str"), 0));
}

}  // namespace
}  // namespace magmo::test
