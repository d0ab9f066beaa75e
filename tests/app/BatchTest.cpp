#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/batch/BatchOptions.h"
#include "app/batch/BatchRunner.h"

namespace magmo::batch {
namespace {

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class BatchTest : public ::testing::Test {
 protected:
  BatchTest() {
    paths.resources = dir.path().toStdString() + "/resources/";
    paths.dataPath = paths.resources + "Files/";
    paths.work = dir.path().toStdString() + "/work/";
    std::filesystem::create_directories(paths.work);
  }
  std::string file(const std::string& name) const { return dir.path().toStdString() + "/" + name; }
  // Runs a command line; returns the report, or "error: ..." for a refused run.
  std::string run(const std::vector<std::string>& args) {
    std::ostringstream report;
    try {
      runner = std::make_unique<BatchRunner>(paths, report);
      runner->run(parseOptions(args));
    } catch (const BatchError& e) {
      return std::string("error: ") + e.what();
    }
    return report.str();
  }

  QTemporaryDir dir;
  Paths paths;
  std::unique_ptr<BatchRunner> runner;
};

TEST_F(BatchTest, CommandLinesAreCheckedBeforeAnythingRuns) {
  EXPECT_EQ(run({"--bogus"}), "error: unknown option '--bogus'");
  EXPECT_EQ(run({"--wind", "3"}), "error: --wind must follow --erupt STYLE");
  EXPECT_EQ(run({"--erupt", "strombolian", "--save", "x.str", "--wind", "3"}),
            "error: --wind must follow --erupt STYLE");
  EXPECT_EQ(run({"--zoom", "6"}), "error: --zoom: '6' is not a whole number from 1 to 5");
  EXPECT_EQ(run({"--erupt", "lava"}),
            "error: --erupt: unknown style 'lava' (known: hawaiian, peleean, strombolian, plinian, vulcanian, "
            "fumarole, collapse, fault, erosion)");
  EXPECT_EQ(run({"--erupt", "collapse", "--location", "3"}), "error: --location is not a field of collapse");
  EXPECT_EQ(run({"--erupt", "fault", "--strength", "3"}), "error: --erupt fault: an eruption option");
  EXPECT_EQ(run({"--erupt", "fault", "--dip", "-3", "--down", "right"}),
            "error: --down: a dipping fault's side follows its dip");
  EXPECT_EQ(run({"--erupt", "strombolian", "--caldera", "valles"}).rfind("error: --caldera: the box is not", 0), 0u);
  EXPECT_EQ(run({"--erupt", "strombolian", "--strength"}), "error: --strength needs a value");
  EXPECT_EQ(run({"--erupt", "strombolian", "--wind", "fast"}), "error: --wind: 'fast' is not a number");
  EXPECT_EQ(run({"--gravity", "0"}), "error: --gravity: '0' must be greater than 0");
  EXPECT_EQ(run({"--scale", "tiny"}), "error: --scale: 'tiny' is not one of small, normal, large");
  const Options o = parseOptions({"--erupt", "strombolian", "--wind", "-20", "--bursts", "4", "--slider", "5=3",
                                  "--report", "--maps"});
  ASSERT_EQ(o.actions.size(), 2u);
  EXPECT_EQ(o.actions[0].phase.wind, "-20");
  EXPECT_EQ(o.actions[0].phase.bursts, 4);
  EXPECT_EQ(o.actions[0].phase.sliders, (std::vector<std::pair<int, int>>{{5, 3}}));
  EXPECT_EQ(o.actions[1].kind, Action::Report);
  EXPECT_TRUE(o.maps);
}

TEST_F(BatchTest, APhaseRunsAsTheUserWouldAndEndsAfterTheGivenBurst) {
  const std::string report = run({"--seed", "5", "--erupt", "strombolian", "--location", "0", "--strength", "7",
                                  "--particles", "80", "--wind", "-99", "--slider", "2=40", "--bursts", "3",
                                  "--report"});
  const Sim& sim = runner->sim();
  EXPECT_EQ(sim.m.BurstCount, 3);
  EXPECT_EQ(sim.m.LayerCount, 1);
  // Clamped exactly as the panel clamps typed values.
  EXPECT_EQ(sim.m.VentX, 50);
  EXPECT_FLOAT_EQ(sim.m.Strength, 2.0f);
  EXPECT_EQ(sim.m.PartCount, 50);
  EXPECT_EQ(sim.m.Wind, -50);
  EXPECT_EQ(sim.ui.Slider[2].value, 11);
  EXPECT_EQ(sim.ui.statusBar2[2], "Dormant   ");
  EXPECT_NE(report.find("    1  2 green"), std::string::npos);
  EXPECT_NE(report.find("Total: 1 layers"), std::string::npos);
}

TEST_F(BatchTest, SameSeedSameFilesByteForByte) {
  const auto once = [&](const std::string& tag) {
    EXPECT_EQ(run({"--seed", "9", "--erupt", "strombolian", "--bursts", "6", "--save", file(tag + ".str"), "--png",
                   file(tag + ".png")}),
              "");
  };
  once("a");
  once("b");
  EXPECT_FALSE(slurp(file("a.str")).empty());
  EXPECT_EQ(slurp(file("a.str")), slurp(file("b.str")));
  EXPECT_EQ(slurp(file("a.png")), slurp(file("b.png")));
  run({"--seed", "10", "--erupt", "strombolian", "--bursts", "6", "--save", file("c.str")});
  EXPECT_NE(slurp(file("a.str")), slurp(file("c.str")));
}

TEST_F(BatchTest, AFailingRunWritesNoOutput) {
  const std::string result = run({"--erupt", "strombolian", "--bursts", "2", "--save", file("out.str"), "--png",
                                  file("out.png"), "--load", file("missing.str")});
  EXPECT_EQ(result, "error: cannot read '" + file("missing.str") + "'");
  runner.reset();
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
  std::ofstream(file("bad.str")) << "3001,640,20\r\nnonsense\r\n";
  EXPECT_EQ(run({"--load", file("bad.str"), "--save", file("out.str")}),
            "error: '" + file("bad.str") + "' is not a readable stratigraphic file");
  runner.reset();
  EXPECT_FALSE(std::filesystem::exists(file("out.str")));
}

TEST_F(BatchTest, LoadThenScaleRescalesTheStrata) {
  run({"--seed", "4", "--erupt", "strombolian", "--bursts", "8", "--save", file("cone.str")});
  const float at641 = runner->sim().m.Strat(1, 641);
  ASSERT_GT(at641, 0);
  EXPECT_EQ(run({"--load", file("cone.str"), "--scale", "large"}), "");
  const Model& m = runner->sim().m;
  EXPECT_EQ(m.Scale, 100);
  EXPECT_EQ(m.LayerVentX[1], 640);
  // Target column 512 + j takes source column 1 + 5j at one fifth of the height.
  EXPECT_FLOAT_EQ(m.Strat(1, 640), at641 / 5);
  EXPECT_EQ(run({"--load", file("cone.str"), "--zoom", "1", "--scale", "small"}), "");
  EXPECT_EQ(runner->sim().m.LayerVentX[1], 0);  // the left fifth holds no vent
}

TEST_F(BatchTest, NewOptionsAreCheckedBeforeAnythingRuns) {
  EXPECT_EQ(run({"--loops", "2"}), "error: --loops must follow --play FILE.rec");
  EXPECT_EQ(run({"--play", "x.rec", "--loops", "0"}), "error: --loops: '0' is not a whole number from 1 to 1000");
  EXPECT_EQ(run({"--dem-raster", "3,4"}), "error: --dem-raster: '3,4' is not ROWS,COLS,SPACING");
  EXPECT_EQ(run({"--dem-raster", "3,4,0"}), "error: --dem-raster: the spacing must be greater than 0");
  EXPECT_EQ(run({"--dem-vector", "--dem-raster", "3,4,5"}), "error: --dem-raster: the DEM layout is given twice");
  EXPECT_EQ(run({"--dem-part", "left"}), "error: --dem-part: 'left' is not one of top, bottom, middle");
  const Options o = parseOptions({"--dem-raster", "30,40,25.5", "--dem-part", "top", "--play", "h.rec", "--loops", "3"});
  EXPECT_EQ(o.dem.kind, DemLayout::Raster);
  EXPECT_EQ(o.dem.rows + "/" + o.dem.columns + "/" + o.dem.spacing, "30/40/25.5");
  EXPECT_EQ(o.dem.part, "top");
  ASSERT_EQ(o.actions.size(), 1u);
  EXPECT_EQ(o.actions[0].number, 3);
}

// The strongest check of recording: replaying the history from its starting file rebuilds the
// same strata, and undoing the replay's last phase gives what the run had before it.
TEST_F(BatchTest, ARecordedHistoryReplaysToTheSameStrata) {
  run({"--seed", "3", "--erupt", "strombolian", "--bursts", "5", "--save", file("base.str")});
  EXPECT_EQ(run({"--seed", "8", "--load", file("base.str"), "--record", file("h.rec"), "--erupt", "strombolian",
                 "--bursts", "4", "--save", file("before.str"), "--erupt", "fault", "--magnitude", "60", "--erupt",
                 "plinian", "--bursts", "3", "--save", file("recorded.str")}),
            "");
  ASSERT_EQ(runner->sim().m.RecCount, 3);
  const std::string rec = slurp(file("h.rec"));
  EXPECT_EQ(rec.rfind("\"Stratigraphic file:\",\"" + file("base.str") + "\"\r\n\"Recorded phases\",3,20\r\n", 0), 0u)
      << rec.substr(0, 200);

  const auto strata = [this] {
    const Model& m = runner->sim().m;
    std::vector<float> tops;
    for (int k = 0; k <= m.LayerCount; ++k)
      for (int x = 1; x <= 1280; ++x) tops.push_back(m.Strat(k, x));
    return tops;
  };
  const std::vector<float> recorded = strata();
  // Playback also sets each layer's plan-view row, which a manual phase leaves to the map.
  EXPECT_EQ(run({"--seed", "8", "--play", file("h.rec")}), "");
  EXPECT_EQ(strata(), recorded);
  EXPECT_EQ(runner->sim().ui.statusBar1[8], "Playback Complete");

  // A second loop starts again from the base; undo takes back the last phase played.
  EXPECT_EQ(run({"--seed", "8", "--play", file("h.rec"), "--loops", "2"}), "");
  const std::vector<float> looped = strata();
  EXPECT_EQ(looped.size(), recorded.size());
  const int played = runner->sim().m.LayerCount;
  EXPECT_EQ(run({"--seed", "8", "--play", file("h.rec"), "--loops", "2", "--undo"}), "");
  EXPECT_EQ(runner->sim().m.LayerCount, played - 1);
  EXPECT_EQ(run({"--seed", "8", "--play", file("h.rec"), "--loops", "2", "--erupt", "strombolian", "--bursts", "2",
                 "--undo"}),
            "");
  EXPECT_EQ(strata(), looped);
  EXPECT_EQ(run({"--erupt", "strombolian", "--bursts", "2", "--undo", "--undo"}), "error: --undo: nothing to undo");
  EXPECT_EQ(run({"--erupt", "strombolian", "--bursts", "2", "--scale", "large", "--undo"}),
            "error: --undo: nothing to undo");
}

TEST_F(BatchTest, BrokenRecordsAndForeignDemsAreRefusedWithTheirReason) {
  std::ofstream(file("short.rec"), std::ios::binary) << "\"Stratigraphic file:\",\"\"\r\n\"Recorded phases\",2,20\r\n";
  const std::string refused = run({"--play", file("short.rec"), "--save", file("out.str")});
  EXPECT_EQ(refused.rfind("error: '" + file("short.rec") + "' is not a readable record file: ", 0), 0u) << refused;
  std::ofstream(file("missing.rec"), std::ios::binary)
      << "\"Stratigraphic file:\",\"" + file("gone.str") + "\"\r\n\"Recorded phases\",0,20\r\n";
  EXPECT_EQ(run({"--play", file("missing.rec")}),
            "error: '" + file("missing.rec") + "' starts from '" + file("gone.str") + "', which cannot be read");

  std::ofstream grid(file("grid.dem"), std::ios::binary);
  for (int y = 0; y <= 640; y += 4)
    for (int x = 0; x <= 1280; x += 4) grid << x * 20 << "," << y * 20 << "," << 100 + x / 8 << "\r\n";
  grid.close();
  EXPECT_EQ(run({"--load", file("grid.dem")}),
            "error: '" + file("grid.dem") + "' is a foreign DEM: give --dem-vector or --dem-raster ROWS,COLS,SPACING");
  EXPECT_EQ(run({"--dem-vector", "--load", file("grid.dem"), "--save-dem", file("own.dem")}), "");
  EXPECT_EQ(runner->sim().m.LayerCount, 1);
  EXPECT_EQ(run({"--load", file("own.dem"), "--save-dem", file("again.dem")}), "");
  EXPECT_EQ(slurp(file("again.dem")), slurp(file("own.dem")));
  EXPECT_NE(slurp(file("own.dem")).find("$Magmo: ,20,"), std::string::npos);
}

}  // namespace
}  // namespace magmo::batch
