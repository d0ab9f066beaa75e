// magmo-batch: command lines refused with their reason, phases run as the user runs them,
// output written only by a run that succeeds, GIS rasters and the statistics export.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "app/batch/BatchOptions.h"
#include "app/batch/BatchRunner.h"
#include "control/Scenarios.h"
#include "gis/GdalTerrain.h"
#include "model/Sim.h"
#include "model/Vent.h"
#include "views/Topo3D.h"
#include "support/FileTestSupport.h"
#include "support/TerrainTestHost.h"

namespace magmo::batch {
namespace {
using test::slurp;

class BatchTest : public ::testing::Test {
 protected:
  // The working pictures go to a folder of their own, apart from the outputs.
  BatchTest() {
    QDir(dir.path()).mkdir("work");
    paths.work = dir.path().toStdString() + "/work/";
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
  const Model& m() const { return runner->sim().m; }
  QImage image(const std::string& name) const { return QImage(QString::fromStdString(file(name))); }
  QStringList listing() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
  // A refused run says why (an error ending in ": " is a prefix) and leaves the folder as it was.
  void expectRefused(const std::vector<std::string>& args, const std::string& error) {
    const QStringList before = listing();
    const std::string result = run(args);
    EXPECT_EQ(error.ends_with(": ") ? result.substr(0, error.size() + 7) : result, "error: " + error);
    runner.reset();
    EXPECT_EQ(listing(), before) << error;
  }
  // Every stratum top of every column.
  std::vector<float> strata() const {
    std::vector<float> tops;
    for (int k = 0; k <= m().LayerCount; ++k)
      for (int x = 1; x <= 1280; ++x) tops.push_back(m().Strat(k, x));
    return tops;
  }

  QTemporaryDir dir;
  Paths paths;
  std::unique_ptr<BatchRunner> runner;
};

TEST_F(BatchTest, RefusedCommandLinesSayWhy) {
  const std::pair<std::vector<std::string>, std::string> refused[] = {
      {{"--bogus"}, "unknown option '--bogus'"}, {{"--wind", "3"}, "--wind must follow --erupt STYLE"},
      {{"--erupt", "strombolian", "--save", "x.str", "--wind", "3"}, "--wind must follow --erupt STYLE"},
      {{"--zoom", "6"}, "--zoom: '6' is not a whole number from 1 to 5"},
      {{"--erupt", "lava"},
       "--erupt: unknown style 'lava' (known: hawaiian, peleean, strombolian, plinian, vulcanian, fumarole, "
       "collapse, fault, erosion)"},
      {{"--erupt", "fault"}, "--erupt fault: not available now"},
      {{"--erupt", "vulcanian", "--bursts", "1", "--erupt", "collapse", "--location", "3"},
       "--location is not a field of collapse"},
      {{"--erupt", "vulcanian", "--bursts", "1", "--erupt", "fault", "--strength", "3"},
       "--erupt fault: an eruption option"},
      {{"--erupt", "vulcanian", "--magnitude", "3"}, "--erupt vulcanian: a tectonic option"},
      {{"--erupt", "vulcanian", "--down", "left"}, "--erupt vulcanian: a tectonic option"},
      {{"--erupt", "vulcanian", "--bursts", "1", "--erupt", "fault", "--dip", "-3", "--down", "right"},
       "--down: a dipping fault's side follows its dip"},
      {{"--erupt", "strombolian", "--caldera", "valles"},
       "--caldera: the box is not available with these parameters (strength 0.40)"},
      {{"--erupt", "strombolian", "--strength"}, "--strength needs a value"},
      {{"--gravity", "0"}, "--gravity: '0' must be greater than 0"},
      {{"--scale", "tiny"}, "--scale: 'tiny' is not one of small, normal, large"},
      {{"--loops", "2"}, "--loops must follow --play FILE.rec"},
      {{"--play", "x.rec", "--loops", "0"}, "--loops: '0' is not a whole number from 1 to 1000"},
      {{"--dem-raster", "3,4"}, "--dem-raster: '3,4' is not ROWS,COLS,SPACING"},
      {{"--dem-raster", "3,4,0"}, "--dem-raster: the spacing must be greater than 0"},
      {{"--dem-vector", "--dem-raster", "3,4,5"}, "--dem-raster: the DEM layout is given twice"},
      {{"--undo"}, "--undo: nothing to undo"},
      {{"--erupt", "hawaiian", "--strength", "zero"}, "--strength: 'zero' is not a number"},
      {{"--relief-png", "x.png", "--relief", "6"}, "--relief: '6' is not a whole number from 1 to 5"},
      {{"--relief-png", "x.png", "--contrast", "5.5"}, "--contrast: '5.5' is not from 0 to 5"},
      {{"--relief-png", "x.png", "--base", "-1"}, "--base: '-1' is not 0 or more"},
      {{"--map-precision", "fine"}, "--map-precision: 'fine' is not one of low, normal, high"},
      {{"--contrast", "3"}, "--contrast must follow --relief-png FILE.png"},
      {{"--column-png", "x.png"}, "--column-png needs --column-at KM after its file"},
      {{"--dem-line", "2.5"}, "--dem-line: Row '2.5' is not a whole number"},
      {{"--dem-line", "1", "--dem-line", "2"}, "--dem-line: the profile line is given twice"}};
  for (const auto& [args, error] : refused) EXPECT_EQ(run(args), "error: " + error);
  const Options o = parseOptions({"--dem-raster", "30,40,25.5", "--dem-part", "top"});
  EXPECT_TRUE(o.actions.empty());
  EXPECT_EQ(o.dem.rows + "/" + o.dem.columns + "/" + o.dem.spacing + "/" + o.dem.part, "30/40/25.5/top");
}

TEST_F(BatchTest, APhaseRunsAsTheUserWouldAndEndsAfterTheGivenBurst) {
  const std::string report = run({"--seed", "5", "--gravity", "3.5", "--erupt", "strombolian", "--location", "0",
                                  "--strength", "7", "--particles", "80", "--wind", "-99", "--slider", "2=40",
                                  "--bursts", "3", "--report"});
  EXPECT_EQ(std::tuple(m().BurstCount, m().LayerCount, m().Gravity), std::tuple(3, 1, 3.5f));
  // Clamped exactly as the panel clamps typed values: vent, strength, particles, wind, crater size.
  EXPECT_EQ(std::tuple(m().VentX, m().Strength, m().PartCount, m().Wind, runner->sim().ui.Slider[2].value),
            std::tuple(50, 2.0f, 50, -50.0f, 11));
  EXPECT_NE(report.find("    1  2 green"), std::string::npos) << report;
  EXPECT_NE(report.find("Total: 1 layers"), std::string::npos) << report;
}

// Each phase counts its own bursts: a shorter phase after a longer one still erupts.
TEST_F(BatchTest, EachPhaseRunsItsOwnNumberOfBursts) {
  const std::pair<const char*, int> runs[] = {{"strombolian", 30}, {"plinian", 10}, {"vulcanian", 5}, {"hawaiian", 3}};
  std::vector<std::string> args = {"--seed", "2", "--record", file("bursts.rec")};
  for (const auto& [style, n] : runs) args.insert(args.end(), {"--erupt", style, "--bursts", std::to_string(n)});
  ASSERT_EQ(run(args), "");
  ASSERT_EQ(m().LayerCount, 4);
  for (int k = 1; k <= 4; ++k) {
    EXPECT_EQ(m().RecTable[k].Bursts, runs[k - 1].second) << runs[k - 1].first;
    EXPECT_GT(layerVolume(m(), k), 0) << runs[k - 1].first;
  }
}

TEST_F(BatchTest, SameSeedSameFilesByteForByte) {
  const auto files = [this](const std::string& seed, const std::string& tag) {
    run({"--seed", seed, "--erupt", "strombolian", "--bursts", "6", "--save", file(tag + ".str"), "--png",
         file(tag + ".png")});
    return std::pair(slurp(file(tag + ".str")), slurp(file(tag + ".png")));
  };
  const auto first = files("9", "a");
  EXPECT_FALSE(first.first.empty() || first.second.empty());
  EXPECT_TRUE(files("9", "b") == first);
  EXPECT_FALSE(files("10", "c").first == first.first);
}

TEST_F(BatchTest, LoadThenScaleRescalesTheStrataAroundTheChosenZoom) {
  run({"--seed", "4", "--erupt", "strombolian", "--bursts", "8", "--save", file("cone.str")});
  EXPECT_EQ(run({"--load", file("cone.str"), "--scale", "large"}), "");
  EXPECT_EQ(std::pair(m().Scale, m().LayerVentX[1]), std::pair(100.0f, 640));
  EXPECT_EQ(run({"--load", file("cone.str"), "--zoom", "1", "--scale", "small"}), "");
  EXPECT_EQ(m().LayerVentX[1], 0);  // the left fifth holds no vent
}

// The strongest check of recording: replaying the history from its starting file rebuilds the
// same strata, and undoing the replay's last phase gives what the run had before it.
TEST_F(BatchTest, ARecordedHistoryReplaysToTheSameStrata) {
  run({"--seed", "3", "--erupt", "strombolian", "--bursts", "5", "--save", file("base.str")});
  EXPECT_EQ(run({"--seed", "8", "--load", file("base.str"), "--record", file("h.rec"), "--erupt", "strombolian",
                 "--bursts", "4", "--erupt", "fault", "--magnitude", "60", "--erupt", "plinian", "--bursts", "3"}),
            "");
  const std::vector<float> recorded = strata();
  const int layers = m().LayerCount;
  // Playback also sets each layer's plan-view row, which a manual phase leaves to the map.
  EXPECT_EQ(run({"--seed", "8", "--play", file("h.rec")}), "");
  EXPECT_EQ(strata(), recorded);
  EXPECT_EQ(runner->sim().ui.statusBar1[8], "Playback Complete");
  // A second loop starts again from the base; undo takes back the last phase played.
  EXPECT_EQ(run({"--seed", "8", "--play", file("h.rec"), "--loops", "2"}), "");
  const std::vector<float> looped = strata();
  EXPECT_EQ(m().LayerCount, layers);
  EXPECT_EQ(run({"--seed", "8", "--play", file("h.rec"), "--loops", "2", "--undo"}), "");
  EXPECT_EQ(m().LayerCount, layers - 1);
  EXPECT_EQ(run({"--seed", "8", "--play", file("h.rec"), "--loops", "2", "--erupt", "strombolian", "--bursts", "2",
                 "--undo"}),
            "");
  EXPECT_EQ(strata(), looped);
}

// A refused run names the file and its fault, and leaves no output behind; a foreign DEM is
// read once its layout is given.
TEST_F(BatchTest, InputsAreRefusedWithTheirReasonAndAForeignDemNeedsItsLayout) {
  std::ofstream(file("bad.str")) << "3001,640,20\r\nnonsense\r\n";
  QDir(dir.path()).mkdir("folder.str");
  std::ofstream(file("short.rec"), std::ios::binary) << "\"Stratigraphic file:\",\"\"\r\n\"Recorded phases\",2,20\r\n";
  ASSERT_EQ(run({"--record", file("good.rec"), "--erupt", "strombolian", "--bursts", "2"}), "");
  const std::string good = slurp(file("good.rec"));
  const auto variant = [&](const std::string& name, const std::string& from, const std::string& to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    std::ofstream(file(name), std::ios::binary) << text;
  };
  const std::string noFile = "\"Stratigraphic file:\",\"\"";
  variant("missing.rec", noFile, "\"Stratigraphic file:\",\"" + file("gone.str") + "\"");
  variant("folder.rec", noFile, "\"Stratigraphic file:\",\"" + file("folder.str") + "\"");
  variant("damaged.rec", noFile, "\"Stratigraphic file:\",\"" + file("bad.str") + "\"");
  variant("unplayable.rec", "\r\n6,6,20,6,0,6\r\n", "\r\n99,6,20,6,0,6\r\n");
  std::ofstream grid(file("grid.dem"), std::ios::binary);  // a rising plain: x, y, z in metres
  for (int y = 0; y <= 640; y += 4)
    for (int x = 0; x <= 1280; x += 4) grid << x * 20 << "," << y * 20 << "," << 100 + x / 8 << "\r\n";
  grid.close();
  const std::pair<std::string, std::string> refused[] = {
      {"missing.str", "cannot read '" + file("missing.str") + "'"},
      {"bad.str", "Error reading strat file '" + file("bad.str") + "' Line holds 1 field, not 5 (line 2)"},
      {"short.rec", "'" + file("short.rec") + "' is not a readable record file: "},
      {"missing.rec", "'" + file("missing.rec") + "' starts from '" + file("gone.str") + "', which cannot be read"},
      {"folder.rec", "Error reading strat file '" + file("folder.str") + "' It is not a file"},
      {"damaged.rec", "Error reading strat file '" + file("bad.str") + "' Line holds 1 field, not 5 (line 2)"},
      {"unplayable.rec", "Playback error: Record phase 1 cannot be played: Slider 1 must be from 1 to 11"},
      {"grid.dem", "'" + file("grid.dem") + "' is a foreign DEM: give --dem-vector or --dem-raster ROWS,COLS,SPACING"}};
  for (const auto& [input, reason] : refused)
    expectRefused({"--erupt", "strombolian", "--bursts", "2", "--save", file("out.str"), "--png", file("out.png"),
                   input.ends_with(".rec") ? "--play" : "--load", file(input)},
                  reason);
  EXPECT_EQ(run({"--dem-vector", "--load", file("grid.dem"), "--save-dem", file("own.dem")}), "");
  EXPECT_EQ(m().LayerCount, 1);
  EXPECT_EQ(run({"--load", file("own.dem"), "--save-dem", file("again.dem")}), "");
  EXPECT_EQ(slurp(file("again.dem")), slurp(file("own.dem")));
  EXPECT_NE(slurp(file("own.dem")).find("$Magmo: ,20,"), std::string::npos);
}

// Outputs are checked before anything runs, written in order so later options read them, and
// taken back whole when the run fails; a link is written through. The plan views need maps on at
// that point of the command line, and a column inside the profile once the scale is known.
TEST_F(BatchTest, ARunWritesAllItsOutputsInOrderOrNone) {
  ASSERT_EQ(run({"--save", file("old.str")}), "");
  const std::string old = slurp(file("old.str"));
  QDir(dir.path()).mkdir("folder");
  QFile::link(QString::fromStdString(file("old.str")), QString::fromStdString(file("link.str")));
  std::ofstream(file("locked.str")) << "keep";
  QFile::setPermissions(QString::fromStdString(file("locked.str")), QFile::ReadOwner);
  const std::vector<std::string> phase = {"--erupt", "strombolian", "--bursts", "2", "--save", file("old.str"),
                                          "--save", file("new.str")};
  const std::pair<std::vector<std::string>, std::string> failing[] = {
      {{"--save-dem", file("folder")}, "Cannot write '" + file("folder") + "': it is a folder"},
      {{"--png", file("locked.str")}, "Cannot write '" + file("locked.str") + "': the file is read-only"},
      {{"--save", file("nowhere/x.str")}, "Cannot write '" + file("nowhere/x.str") + "': the folder '" +
                                              file("nowhere") + "' does not exist"},
      {{"--new", "--load", file("locked.str")}, "Error reading strat file '" + file("locked.str") +
                                                    "' Bad number \"keep\" (line 1)"},
      {{"--map-png", file("m.png"), "--maps"}, "--map-png: maps are off (give --maps before it)"},
      {{"--relief-png", file("m.png")}, "--relief-png: maps are off (give --maps before it)"},
      {{"--export-3d", file("m.png")}, "--export-3d: maps are off (give --maps before it)"},
      {{"--map-3d"}, "--map-3d: maps are off (give --maps before it)"},
      {{"--maps", "--static", "--map-png", file("m.png")}, "--map-png: maps are off (give --maps before it)"},
      {{"--column-png", file("m.png"), "--column-at", "-0.1"},
       "--column-at: -0.1 km is outside the profile (0 to 25.60 km)"},
      {{"--scale", "small", "--column-png", file("m.png"), "--column-at", "5.2"},
       "--column-at: 5.2 km is outside the profile (0 to 5.12 km)"}};
  for (const auto& [tail, error] : failing) {
    std::vector<std::string> args = phase;
    args.insert(args.end(), tail.begin(), tail.end());
    expectRefused(args, error);
    EXPECT_EQ(slurp(file("old.str")), old) << error;
  }
  // A later --load reads what an earlier --save wrote, through the link.
  EXPECT_EQ(run({"--erupt", "strombolian", "--bursts", "2", "--save", file("link.str"), "--new", "--load",
                 file("old.str")}),
            "");
  EXPECT_EQ(m().LayerCount, 1);
  EXPECT_TRUE(QFileInfo(QString::fromStdString(file("link.str"))).isSymLink());
}

// What the window disables cannot run, and a box an --erupt does not name is unticked.
TEST_F(BatchTest, EachEruptDescribesItsWholePanelAndOnlyWhatTheWindowOffers) {
  for (const char* style : {"hawaiian", "peleean", "collapse", "fault", "erosion"})
    EXPECT_EQ(run({"--erupt", "vulcanian", "--bursts", "1", "--static", "--erupt", style}),
              std::string("error: --erupt ") + style + ": not available in static mode");
  EXPECT_EQ(run({"--static", "--record", file("r.rec")}), "error: --record: not available in static mode");
  ASSERT_EQ(run({"--seed", "3", "--erupt", "plinian", "--strength", "0.9", "--caldera", "mazama", "--bursts", "6",
                 "--erupt", "plinian", "--strength", "0.9", "--bursts", "2", "--erupt", "fumarole", "--explosions",
                 "--bursts", "2", "--erupt", "fumarole", "--bursts", "2"}),
            "");
  EXPECT_NE(m().LayerCaldera[1], 0);
  EXPECT_EQ(m().LayerCaldera[2], 0);
  EXPECT_FALSE(runner->sim().ui.chkCaldDiat.checked || runner->sim().ui.chkFumex.checked);
}

// The pictures are the windows' own, pixel for pixel; the Map window's fields and the plan-view
// options hold what the command line gave, in its order.
TEST_F(BatchTest, PlanViewPicturesAreWhatTheWindowsShow) {
  const std::string ventKm = std::to_string(640 * 20 / 1000.0);
  ASSERT_EQ(run({"--seed", "4", "--erupt", "strombolian", "--bursts", "20", "--save", file("plain.str"), "--maps",
                 "--save", file("mapped.str"), "--map-png", file("map.png"), "--relief-png", file("flat.png"),
                 "--base", "0", "--contrast", "5", "--relief-png", file("relief.png"), "--relief", "5", "--base", "40",
                 "--contrast", "2", "--export-3d", file("e.bmp"), "--export-3d", file("e.png"), "--column-png",
                 file("vent.png"), "--column-at", ventKm, "--column-png", file("edge.png"), "--column-at", "0",
                 "--map-3d", "--map-3d", "--map-precision", "low"}),
            "");
  EXPECT_GT(slurp(file("mapped.str")).size(), 2 * slurp(file("plain.str")).size());  // the map section
  const Sim& sim = runner->sim();
  EXPECT_EQ(std::tuple(sim.ui.Map.option, m().BaseLevel, sim.ui.Map.txtContrast.text,
                       sim.ui.mnuOptMap3dPosEnable.checked, m().MapStep),
            std::tuple(5, 2.0f, "2", true, 8));
  const auto expectSame = [](const QImage& png, const RgbImage& picture) {
    ASSERT_EQ(std::pair(png.width(), png.height()), std::pair(picture.width, picture.height));
    for (int y = 0; y < png.height(); ++y)
      for (int x = 0; x < png.width(); ++x) {
        const Rgb c = picture.at(x, y);
        ASSERT_EQ(png.pixel(x, y), qRgb(c.r, c.g, c.b)) << x << "," << y;
      }
  };
  expectSame(image("map.png"), sim.pictures.map);
  expectSame(image("relief.png"), sim.pictures.topo);
  for (const char* name : {"map.png", "relief.png"})
    EXPECT_NE(image(name).pixel(0, 0), image(name).pixel(640 - 24, 320 - 24)) << name;  // the cone stands out
  expectSame(image("e.bmp"), topo3DImage(m(), 2.0f));
  EXPECT_EQ(image("e.bmp").convertToFormat(QImage::Format_RGB32), image("e.png").convertToFormat(QImage::Format_RGB32));
  const QImage vent = image("vent.png");
  EXPECT_EQ(std::pair(vent.width(), vent.height()), std::pair(400, 800));
  EXPECT_NE(vent, vent.copy(0, 0, 1, 1).scaled(400, 800));  // not blank
  EXPECT_NE(vent, image("edge.png"));
}

// The map reaches past the raster on every side, where the ground keeps its edge height: its
// first cell has the raster's north-west node.
TEST_F(BatchTest, ARasterLoadsAlongTheGivenLineAndTheMapSavesAsARaster) {
  gis::writeTerrainFile(file("hill.tif"),
                        test::makeTerrain(41, 5, 20, 20, [](int c, int r) { return 100 + 10 * c + 1000 * r; }),
                        TerrainFormat::GeoTiff);
  ASSERT_EQ(run({"--maps", "--load", file("hill.tif"), "--dem-line", "3", "--save-dem", file("map.asc")}), "");
  EXPECT_FLOAT_EQ(m().Topo[640 - 20], (100 + 1000 * 3) / 20.0f);
  std::istringstream cells(slurp(file("map.asc")));
  std::string word;
  for (int i = 0; i < 12; ++i) cells >> word;  // six header lines of a name and a value
  double first = 0;
  cells >> first;
  EXPECT_EQ(first, 100);
  EXPECT_EQ(run({"--load", file("hill.tif"), "--dem-line", "0,9,40,9"}),
            "error: Cannot read DEM file '" + file("hill.tif") +
                "' format The point 0,9 lies outside of the grid's 41 columns (0..40) and 5 rows (0..4)");
}

// --stats-csv agrees with --report, layer by layer, for a played-back history.
TEST_F(BatchTest, TheStatisticsCsvAgreesWithTheReportForAPlayedHistory) {
  paths.resources = MAGMO_TEST_DATA_DIR "/", paths.dataPath = paths.work;
  const std::string played = paths.resources + "Files/Scenarios/" + scenarios().back().file;  // faults and erosion
  std::istringstream report(run({"--seed", "4", "--play", played, "--report", "--stats-csv", file("s.csv")}));
  std::istringstream csv(slurp(file("s.csv")));
  std::string line, row;
  std::getline(report, line), std::getline(csv, row);  // the headers
  const auto number = [](std::string s) {
    std::erase(s, ',');
    double v = 0;
    std::from_chars(s.data(), s.data() + s.size(), v);
    return v;
  };
  int layers = 0;
  // Layer, colour number and name, vent km, volume and its unit, VEI, duration.
  const std::regex layout(R"(\s*(\d+)  (\d+) (.+?) +(\S+)  (\S+) (mil\. m\^3|km\^3) +(\d+)  (.+))");
  for (std::smatch r; std::getline(report, line) && std::regex_match(line, r, layout); ++layers) {
    SCOPED_TRACE(line);
    ASSERT_TRUE(std::getline(csv, row));
    std::vector<std::string> f;
    std::istringstream in(row.substr(0, row.size() - 1) + ",");
    for (std::string s; std::getline(in, s, ',');) f.push_back(s);
    EXPECT_EQ(std::tuple(f[0], f[2], f[3], f[6]), std::tuple(r[1].str(), r[2].str(), r[3].str(), r[7].str()));
    EXPECT_NEAR(number(f[4]), number(r[4]), 0.0051);
    const double unit = r[6] == "km^3" ? 1e9 : 1e6;
    EXPECT_NEAR(number(f[5]), number(r[5]) * unit, unit * 0.0006);
    const std::string duration = r[8];
    const double hours = duration.ends_with("hrs") ? 1 : duration.ends_with("days") ? 24 : 8760;
    if (f[7].empty())
      EXPECT_EQ(duration, "-");
    else
      EXPECT_NEAR(number(f[7]), number(duration.substr(0, duration.find(' '))) * hours, 0.05 * hours);
  }
  EXPECT_EQ(line.rfind("Total: " + std::to_string(layers) + " layers", 0), 0u) << line;
  EXPECT_FALSE(std::getline(csv, row));
  EXPECT_GT(layers, 4);
}
}  // namespace
}  // namespace magmo::batch
