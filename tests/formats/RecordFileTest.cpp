#include "formats/RecordFile.h"

#include "control/RecordCommands.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/SimFixture.h"

namespace magmo::test {
namespace {

namespace fs = std::filesystem;

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class RecordFileTest : public SimTest {
 protected:
  RecordFileTest() {
    dir_ = fs::temp_directory_path() / ("magmo-recfile-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    sim.paths.dataPath = dir_.string() + "/";
  }
  ~RecordFileTest() override { fs::remove_all(dir_); }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }

  // Writes text to a file and reads it as File > Open would.
  bool readFile(const std::string& text) {
    std::ofstream(path("in.rec"), std::ios::binary) << text;
    ui().RecFileName = path("in.rec");
    return fileReadRec(sim);
  }

  static PhaseRecord hawaiian() {
    PhaseRecord r;
    r.Location = 12.5f;
    r.Style = Style::Lava;
    r.Strength = 0.25f;
    r.Wind = -7;
    r.Particles = 40;
    r.Bursts = 2;
    r.Slider = {0, 6, 7, 20, 4, 5, 6};
    r.MapA = 1.5f;
    return r;
  }
  static PhaseRecord fault() {
    PhaseRecord r;
    r.Location = 20;
    r.TectonicKind = TectonicKind::Fault;
    r.Magnitude = 60;
    r.DownSide = DownSide::Left;
    r.Slider = {0, 1, 2, 3, 4, 5, 6};
    return r;
  }

 private:
  fs::path dir_;
};

TEST_F(RecordFileTest, LayoutIsTheHeaderThenSixLinesPerPhaseAndOneLinePerLavaBurst) {
  PhaseTable table;
  BurstTable bursts;
  table[1] = hawaiian();
  bursts(1, 1) = 3.5f;
  bursts(1, 2) = 0.75f;
  table[2] = fault();
  table[2].Bursts = 2;  // only lava phases list their bursts
  EXPECT_EQ(recordFileText({"C:/x/a.str", 20, 2}, table, bursts),
            "\"Stratigraphic file:\",\"C:/x/a.str\"\r\n"
            "\"Recorded phases\",2,20\r\n"
            "\r\n"
            "\"Record Phase: \",1\r\n"
            "12.5,3,0.25,-7\r\n"
            "40,0,0,0\r\n"
            "0,0,2,0\r\n"
            "0,0,0,0,0\r\n"
            "6,7,20,4,5,6\r\n"
            "1.5,0,0,0\r\n"
            "3.5\r\n"
            "0.75\r\n"
            "\r\n"
            "\"Record Phase: \",2\r\n"
            "20,0,0,0\r\n"
            "0,0,0,0\r\n"
            "0,0,2,0\r\n"
            "1,60,0,1,0\r\n"
            "1,2,3,4,5,6\r\n"
            "0,0,0,0\r\n");
  EXPECT_EQ(recordFileText({"", 4, 0}, table, bursts), "\"Stratigraphic file:\",\"\"\r\n\"Recorded phases\",0,4\r\n");
  table[1].Wind = std::numeric_limits<float>::infinity();
  EXPECT_THROW(recordFileText({"", 4, 1}, table, bursts), SimError);
}

TEST_F(RecordFileTest, EveryFieldReadsBackAndTheScaleIsAdopted) {
  PhaseTable table;
  BurstTable bursts;
  table[1] = hawaiian();
  table[1].Bursts = 100;
  for (int b = 1; b <= 100; ++b) bursts(1, b) = 0.1f * b;
  table[2] = fault();
  PhaseRecord& r = table[3];
  r = {1.1f, Style::Pfs, 2.2f, 3.3f, 4.4f, 1, 1, CalderaStyle::Valles, 5.5f, 6.6f, 300, TectonicKind::Erosion, 7, 8,
       DownSide::Right, 9, 1, {0, 11, 12, 13, 14, 15, 16}, 0.1f, 0.2f, 0.3f, 0.4f};
  r.Style = Style::Collapse;
  ASSERT_TRUE(readFile(recordFileText({path("base.str"), 40, 3}, table, bursts)));
  EXPECT_EQ(m().RecCount, 3);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(m().RecTable[i], table[i]) << "phase " << i;
  EXPECT_EQ(m().RecBurst, bursts);
  EXPECT_EQ(ui().StrFileName, path("base.str"));
  EXPECT_EQ(m().Scale, 100);  // 40 is the large scale of older files
  EXPECT_TRUE(ui().mnuOptScaleLarge.checked);
  EXPECT_FALSE(ui().pBarVisible);
  EXPECT_EQ(m().RecReadFailed, 0);
  EXPECT_TRUE(host.messages.empty());

  // Leading zeros, spaces and missing blank lines are the reader's to accept.
  ASSERT_TRUE(readFile("\"Stratigraphic file:\",\"\"\r\n\"Recorded phases\",1,4\r\n\"Record Phase: \",1\r\n"
                       ".5,2,.25,0\r\n50,0,0,0\r\n0,0,12,0\r\n0,0,0,0,0\r\n6,6,6,6,6,6\r\n0,0,0,0\r\n"));
  EXPECT_FLOAT_EQ(m().RecTable[1].Location, 0.5f);
  EXPECT_EQ(m().RecTable[1].Bursts, 12);
  EXPECT_EQ(m().Scale, 4);
}

TEST_F(RecordFileTest, DamagedFilesKeepTheCompletePhasesAndSayWhy) {
  PhaseTable table;
  BurstTable bursts;
  table[1] = fault();
  table[2] = hawaiian();
  const std::string good = recordFileText({"", 20, 2}, table, bursts);
  const std::string header = "\"Stratigraphic file:\",\"\"\r\n\"Recorded phases\",";
  const std::string lavaPhase = "\r\n\"Record Phase: \",1\r\n1,3,1,0\r\n10,0,0,0\r\n0,0,101,0\r\n";
  const std::pair<std::string, std::string> cases[] = {
      {good.substr(0, good.size() - 10), "1"},  // cut inside the second phase
      {header + "501,20\r\n", "0"},
      {header + "1,20\r\n" + lavaPhase, "0"},
      {header + "1,20\r\n\r\n\"Record Phase: \",1\r\n1,x2,1,0\r\n", "0"},
      {header + "1,20\r\n\r\n\"Record Phase: \",1\r\n1,9,1,0\r\n", "0"},
      {header + "0,33\r\n", "0"},
      {"\xff\xfe garbage", "0"},
  };
  for (const auto& [text, kept] : cases) {
    host.messages.clear();
    m().RecReadFailed = 0;
    EXPECT_FALSE(readFile(text)) << text;
    ASSERT_EQ(host.messages.size(), 1u) << text;
    EXPECT_EQ(host.messages[0].rfind("Error reading record file '" + path("in.rec") + "':\n", 0), 0u)
        << host.messages[0];
    EXPECT_GT(host.messages[0].size(), ("Error reading record file '" + path("in.rec") + "':\n").size());
    EXPECT_EQ(std::to_string(m().RecCount), kept) << text;
    EXPECT_EQ(m().RecReadFailed, 1);
    EXPECT_FALSE(ui().pBarVisible);
    if (kept == "1") {
      EXPECT_EQ(m().RecTable[1], table[1]);
    }
  }

  host.messages.clear();
  ui().RecFileName = path("none.rec");
  EXPECT_FALSE(fileReadRec(sim));
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(RecordFileTest, SaveProposesANameRefusesTheDemoAndNamesOnlyAWrittenFile) {
  m().RecCount = 1;
  m().RecTable[1] = fault();
  fileSaveRec(sim);  // cancelled
  ASSERT_EQ(host.dialogs.size(), 1u);
  EXPECT_EQ(host.dialogs[0].title, "Save Record File");
  EXPECT_EQ(host.dialogs[0].filter, "Record File (*.rec)|*.rec|");
  EXPECT_EQ(host.dialogs[0].defaultExt, "rec");
  EXPECT_EQ(host.dialogs[0].proposedName, path("Magmo.rec"));
  EXPECT_TRUE(ui().RecFileName.empty());

  ui().StrFileName = path("Etna.str");
  host.fileAnswers = {path("MagmoDemo.rec"), path("Etna.rec")};
  fileSaveRec(sim);
  ASSERT_EQ(host.dialogs.size(), 3u);
  EXPECT_EQ(host.dialogs[1].proposedName, path("Etna.rec"));
  EXPECT_EQ(host.messages, std::vector<std::string>{"Cannot replace MAGMO Demonstration file"});
  EXPECT_FALSE(fs::exists(path("MagmoDemo.rec")));
  EXPECT_EQ(ui().RecFileName, path("Etna.rec"));
  EXPECT_EQ(ui().statusBar1[6], "Etna");
  EXPECT_EQ(ui().statusBar2[1], "Record File:  Etna.rec Saved");
  EXPECT_EQ(slurp(path("Etna.rec")), recordFileText({path("Etna.str"), 20, 1}, m().RecTable, m().RecBurst));

  host.fileAnswers = {path("no-such-folder/x.rec")};
  fileSaveRec(sim);
  EXPECT_EQ(host.dialogs.back().proposedName, path("Etna.rec"));
  EXPECT_EQ(host.messages.back(), "Recorder file save error");
  EXPECT_EQ(ui().RecFileName, path("Etna.rec"));
  EXPECT_FALSE(ui().toolbar["save"].pressed);
}

}  // namespace
}  // namespace magmo::test
