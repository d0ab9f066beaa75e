#include "formats/DemFile.h"

#include "control/DemCommands.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "control/MapPrecision.h"
#include "formats/DemImport.h"
#include "model/Numeric.h"
#include "support/CrLfLines.h"
#include "support/SimFixture.h"

namespace magmo::test {
namespace {

namespace fs = std::filesystem;

class DemFileTest : public SimTest {
 protected:
  DemFileTest() {
    dir = fs::temp_directory_path() / ("magmo-dem-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    sim.paths.dataPath = dir.string() + "/";
  }
  ~DemFileTest() override { fs::remove_all(dir); }

  std::string path(const std::string& name) const { return (dir / name).string(); }
  void spit(const std::string& name, const std::string& text) const { std::ofstream(name, std::ios::binary) << text; }

  // A terrain with awkward values everywhere: fractions, negatives, large magnitudes.
  void fillTerrain(int step, float scale) {
    m().MapStep = step;
    m().Scale = scale;
    m().LayerCount = 2;
    for (int y = 0; y <= 640; ++y)
      for (int x = 0; x <= 1280; ++x) m().mapGrid(x, y) = (x * 7 - y * 3) / 9.0f + (x % 5 == 0 ? 12345.678f : 0.0f);
    for (int x = 1; x <= 1280; ++x) m().Strat(2, x) = -0.1f * x + 1.0f / 3;
  }

  DemData readText(const std::string& text) {
    std::istringstream in(text);
    DemData d;
    d.step = m().MapStep;
    readDemText(in, host, d);
    return d;
  }
  // Opens the text as File > Open does.
  void read(const std::string& text) {
    spit(path("open.dem"), text);
    host.fileAnswers = {path("open.dem")};
    ASSERT_TRUE(fileOpenDEM(sim)) << (host.messages.empty() ? "" : host.messages.back());
  }

  // Foreign vector text of a regular lattice with spacing d from (x0, y0), z = f(i, j).
  template <typename F>
  static std::string lattice(int nx, int ny, double x0, double y0, double d, F f, const char* sep = ",") {
    std::ostringstream s;
    s.precision(17);
    for (int j = 0; j < ny; ++j)
      for (int i = 0; i < nx; ++i) s << x0 + i * d << sep << y0 + j * d << sep << f(i, j) << "\r\n";
    return s.str();
  }

  fs::path dir;
};

// ---- own variant

struct RoundTrip {
  int step;
  float scale;
  MenuItem Controls::*precision;
  MenuItem Controls::*scaleItem;
  const char* strength;
};

class DemRoundTrip : public DemFileTest, public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(DemRoundTrip, GridAndProfileComeBackExactly) {
  const auto [step, scale, precision, scaleItem, strength] = GetParam();
  fillTerrain(step, scale);
  const Model written = m();
  const std::string text = demFileText(m());
  for (int x = 1; x <= 1280; ++x) m().Strat(1, x) = 99;  // must be overwritten
  std::fill(m().MapGrid.begin(), m().MapGrid.end(), -1.0f);
  m().MapStep = 5, m().Scale = 20;
  ui().mnuOptMapNorm.checked = false;
  read(text);

  EXPECT_EQ(m().MapStep, step);
  EXPECT_EQ(m().Scale, scale);
  for (auto item : {&Controls::mnuOptMapHigh, &Controls::mnuOptMapNorm, &Controls::mnuOptMapLow})
    EXPECT_EQ((ui().*item).checked, item == precision);
  for (auto item : {&Controls::mnuOptScaleSmall, &Controls::mnuOptScaleNorm, &Controls::mnuOptScaleLarge})
    EXPECT_EQ((ui().*item).checked, item == scaleItem);
  EXPECT_EQ(ui().txtStr.text, strength);
  EXPECT_FLOAT_EQ(m().GravityScaled, m().Gravity / scale);
  for (int x = 1; x + step <= 1280; x += step)
    for (int y = 1; y + step <= 640; y += step) {
      ASSERT_EQ(m().mapGrid(x, y), written.mapGrid(x, y)) << x << "," << y;
      // The sample fills its block up to the next sample.
      ASSERT_EQ(m().mapGrid(x + step - 1, y + step - 1), written.mapGrid(x, y)) << x << "," << y;
    }
  for (int x = 1; x <= 1280; ++x) ASSERT_EQ(m().Strat(1, x), written.Strat(2, x)) << x;
  EXPECT_EQ(demFileText(m()), text);
}

INSTANTIATE_TEST_SUITE_P(StepsAndScales, DemRoundTrip,
                         ::testing::Values(RoundTrip{4, 4, &Controls::mnuOptMapHigh, &Controls::mnuOptScaleSmall, "0.20"},
                                           RoundTrip{6, 20, &Controls::mnuOptMapNorm, &Controls::mnuOptScaleNorm, "0.40"},
                                           RoundTrip{8, 100, &Controls::mnuOptMapLow, &Controls::mnuOptScaleLarge, "0.90"},
                                           RoundTrip{8, 4, &Controls::mnuOptMapLow, &Controls::mnuOptScaleSmall, "0.20"}));

TEST_F(DemFileTest, LayoutMatchesTheDocumentedText) {
  fillTerrain(6, 20);
  const std::vector<std::string> lines = linesOf(demFileText(m()));
  const std::vector<std::string> expected = {
      "---------------------------------Magmo DEM file ------------------------------------------",
      "",
      "  For Magmo-generated files, a header line is written with '$Magmo:' followed by the",
      "  scale factor and precision.",
      "",
      "  To import other DEM files, you will have to edit the file, using a text editor,",
      "  such as Notepad, to remove unneccessary header lines. Imported DEM files (*.dem)",
      "  are assumed to be either (1) ascii-formated vector array of topographic vectors",
      "  (x,y,z) or (2) ascii-formated raster file of elevations (row by row starting",
      "  in upper left).",
      "",
      "  For vector data, vectors are read as x-y-z triplets separated by commas or tabs",
      "  where x and y are map coordinates for corners of square grid (dx = dy = constant),",
      "  and z is elevation (in same units as x and y). Edit the file to remove all header",
      "  lines, leaving just the vector data.",
      "",
      "  For raster data, note the number of rows, columns, and the distance between points.",
      "  Edit the file to remove all header information,leaving the raster data.",
      "",
      "------------------------------------------------------------------------------------------",
      "",
      "$Magmo: ,20,6",
  };
  ASSERT_GT(lines.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
  EXPECT_EQ(lines[22], "1,1," + generalNumber(m().mapGrid(1, 1)));
  EXPECT_EQ(lines[23], "1,7," + generalNumber(m().mapGrid(1, 7)));
  // 213 columns (1..1273) of 106 rows (1..631), then 1280 profile records.
  ASSERT_EQ(lines.size(), 22u + 213 * 106 + 1280);
  EXPECT_EQ(lines[22 + 213 * 106 - 1], "1273,631," + generalNumber(m().mapGrid(1273, 631)));
  EXPECT_EQ(lines[22 + 213 * 106], "1,320," + generalNumber(m().Strat(2, 1)));
  EXPECT_EQ(lines.back(), "1280,320," + generalNumber(m().Strat(2, 1280)));
  for (int step : {0, -6, 3, 9}) {  // a file that could not be read back
    m().MapStep = step;
    EXPECT_THROW(demFileText(m()), SimError) << step;
  }
}

TEST_F(DemFileTest, EditedHeaderIsSkippedAndTheTerrainIsOneLayer) {
  fillTerrain(4, 4);
  const Model written = m();
  const std::string text = demFileText(m());
  const std::string edited = "my own notes, with commas\ttabs\r\n\"quoted\r\n" + text.substr(text.find("\r\n$Magmo:") + 2);
  m().LayerCount = 7;
  m().VentX = 640;
  read(edited);
  EXPECT_EQ(m().LayerCount, 1);
  EXPECT_EQ(m().LayerColor[1], 3);
  for (int x = 1; x <= 1280; ++x) ASSERT_EQ(m().Topo[x], written.Strat(2, x));
  EXPECT_EQ(m().mapGrid(5, 9), written.mapGrid(5, 9));
  EXPECT_FLOAT_EQ(m().VentKm, 2.56f);
  EXPECT_EQ(ui().txtLoc.text, "2.56");
}

// ---- damaged files

TEST_F(DemFileTest, MalformedFilesLeaveTheModelAsItWas) {
  fillTerrain(8, 100);
  const std::string good = demFileText(m());
  const size_t mark = good.find("\r\n$Magmo:") + 2;
  const std::string head = good.substr(0, mark);
  const std::string records = good.substr(good.find("\r\n", mark) + 2);
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string s = good;
    s.replace(s.find(from), from.size(), to);
    return s;
  };
  fillTerrain(6, 20);
  m().mapGrid(1, 1) = 4242;
  const Model before = m();
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"step 0", head + "$Magmo: ,100,0\r\n" + records},
      {"negative step", head + "$Magmo: ,100,-8\r\n" + records},
      {"step 9", head + "$Magmo: ,100,9\r\n" + records},
      {"fractional step", head + "$Magmo: ,100,6.5\r\n" + records},
      {"unknown scale", head + "$Magmo: ,7,8\r\n" + records},
      {"no values", head + "$Magmo: \r\n"},
      {"x out of sequence", replaced("\r\n9,1,", "\r\n10,1,")},
      {"y out of sequence", replaced("\r\n1,9,", "\r\n1,10,")},
      {"profile row", replaced("\r\n3,320,", "\r\n3,321,")},
      {"z not a number", replaced("\r\n1,9,", "\r\n1,9,nan\r\n1,17,")},
      {"z too large", replaced("\r\n1,9,", "\r\n1,9,1e7\r\n1,17,")},
      {"text for z", replaced("\r\n1,9,", "\r\n1,9,abc\r\n1,17,")},
      {"long field", replaced("\r\n1,9,", "\r\n1,9," + std::string(100000, '7') + "\r\n1,17,")},
      {"truncated grid", good.substr(0, good.size() / 2)},
      {"truncated profile", good.substr(0, good.size() - 20)},
  };
  for (const auto& [what, text] : cases) {
    EXPECT_THROW(readText(text), SimError) << what;
    EXPECT_EQ(m().MapGrid, before.MapGrid) << what;
    EXPECT_EQ(m().Strat(1, 5), before.Strat(1, 5)) << what;
    EXPECT_EQ(std::tuple(m().LayerCount, m().MapStep, m().Scale), std::tuple(2, 6, 20.0f)) << what;
  }
}

// ---- foreign files

TEST_F(DemFileTest, RegularVectorGridIsReproducedExactly) {
  auto z = [](int i, int j) { return 100 + 0.25 * i - 0.75 * j + (i * j) % 7; };
  // 101 x 51 nodes 4 m apart: 400 m by 200 m, the small scale, centred at column 591, row 296.
  host.yesNoAnswers = {true};
  read(lattice(101, 51, 1000, 5000, 4, z, "\t"));
  EXPECT_EQ(host.questions.at(0), "Are data of vector <Yes> or raster <No> format?");
  EXPECT_EQ(m().Scale, 4);
  EXPECT_TRUE(ui().mnuOptScaleSmall.checked);
  for (int j = 0; j < 51; ++j)
    for (int i = 0; i < 101; ++i)
      ASSERT_EQ(m().mapGrid(591 + i, 296 + 50 - j), static_cast<float>(z(i, j) / 4)) << i << "," << j;
  EXPECT_EQ(m().mapGrid(590, 300) + m().mapGrid(692, 300) + m().mapGrid(600, 295), 0);  // beside the data
  for (int x = 1; x <= 1280; ++x) ASSERT_EQ(m().Strat(1, x), m().mapGrid(x, 320)) << x;
  EXPECT_EQ(m().LayerCount, 1);
  EXPECT_EQ(m().LayerColor[1], 3);
}

TEST_F(DemFileTest, PointsBetweenCellsAreInterpolated) {
  // 8 m lattice at the small scale, z = x + 2 y: a plane is reproduced between the nodes.
  host.yesNoAnswers = {true, true};
  read(lattice(51, 21, 0, 0, 8, [](int i, int j) { return 8.0 * i + 16.0 * j; }));
  const int c0 = 1 + (5120 - 400) / 8, r0 = 1 + (2560 - 160) / 8;  // cell of the north-west node
  EXPECT_FLOAT_EQ(m().mapGrid(c0 + 1, r0), (4 + 2 * 160) / 4.0f);
  EXPECT_FLOAT_EQ(m().mapGrid(c0 + 3, r0 + 3), (12 + 2 * 148) / 4.0f);
  // Scattered points of a level surface keep it level inside the data, and 0 far outside.
  std::ostringstream s;
  for (int j = 0; j < 40; ++j)
    for (int i = 0; i < 60; ++i) s << i * 6 + (i * 7 + j * 3) % 5 << "," << j * 6 + (i + j * 11) % 4 << ",80\n";
  read(s.str());
  const int c = 1 + (5120 - 358) / 8, r = 1 + (2560 - 237) / 8;
  EXPECT_FLOAT_EQ(m().mapGrid(c + 40, r + 30), 20);
  EXPECT_FLOAT_EQ(m().mapGrid(c + 2, r + 2), 20);
  EXPECT_EQ(m().mapGrid(c - 20, r), 0);
}

TEST_F(DemFileTest, RasterIsReadRowByRowFromTheUpperLeft) {
  host.yesNoAnswers = {false};
  host.inputAnswers = {"3", " 4 ", "4"};
  read("10 11 12 13\n20 21 22 23\n30 31 32 33\n");
  EXPECT_EQ(host.prompts, (std::vector<std::string>{"Enter the number of raster rows", "Enter the number of raster columns",
                                                    "Enter the distance between points (m)"}));
  // 12 m by 8 m: column offset 638, row offset 319.
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_EQ(m().mapGrid(639 + c, 320 + r), (10.0f * (r + 1) + c) / 4) << r << "," << c;
  EXPECT_EQ(m().Strat(1, 640), 11.0f / 4);
}

TEST_F(DemFileTest, ScaleTableRows) {
  struct Row {
    double xrange, yrange;
    float scale;
    int col, row;
  };
  const Row rows[] = {{5120, 2560, 4, 0, 0},         {400, 200, 4, 590, 295},      {5121, 100, 20, 511, 317},
                      {25600, 12800, 20, 0, 0},      {25601, 0, 100, 511, 320},    {128000, 64000, 100, 0, 0},
                      {1000, 3000, 4, 515, -55}};
  for (const Row& r : rows) {
    const DemPlacement p = placeDem(r.xrange, r.yrange);
    EXPECT_EQ(p.scale, r.scale) << r.xrange;
    EXPECT_EQ(p.columnOffset, r.col) << r.xrange;
    EXPECT_EQ(p.rowOffset, r.row) << r.xrange;
  }
}

TEST_F(DemFileTest, TooLargeDataAreScaledOnlyWhenTheUserAgrees) {
  const std::string wide = lattice(251, 11, 0, 0, 800, [](int i, int) { return 1000.0 + i; });  // 200 km wide
  const Model before = m();
  host.yesNoAnswers = {true, false};
  EXPECT_THROW(readText(wide), DemImportAbandoned);
  EXPECT_EQ(host.questions.back(), "DEM scale too large. \nDo you wish to scale it?");
  EXPECT_EQ(m().MapGrid, before.MapGrid);
  EXPECT_EQ(m().Scale, before.Scale);

  host.yesNoAnswers = {true, true};
  read(wide);
  EXPECT_EQ(host.messages.back(), "Data will be scaled by a factor of 2X");
  EXPECT_EQ(m().Scale, 100);
  // Halved: 100 km wide at 100 m a cell, nodes 4 cells apart from column 141; z halved as well.
  const int r = 1 + (64000 - 4000) / 200;
  EXPECT_EQ(m().mapGrid(141, r), 1000.0f / 2 / 100);
  EXPECT_EQ(m().mapGrid(145, r), 1001.0f / 2 / 100);
}

TEST_F(DemFileTest, TallDataShowTheChosenPart) {
  // 40 m by 3000 m at the small scale: 751 rows of data for 640 grid rows.
  const std::string tall = lattice(11, 751, 0, 0, 4, [](int, int j) { return 4.0 * j; });
  const int c = 1 + (5120 - 40) / 8;
  host.yesNoAnswers = {true};
  host.yesNoCancelAnswers = {Answer::Yes};
  read(tall);
  EXPECT_EQ(host.questions.back(),
            "The y-range is too tall to show completely.\nTo view the top choose 'Yes'\n"
            "To view the bottom choose 'No'\nTo view the middle <default> choose 'Cancel'");
  EXPECT_EQ(m().mapGrid(c, 1), 750);  // the northernmost row
  EXPECT_EQ(m().mapGrid(c, 640), 111);

  host.yesNoAnswers = {true};
  host.yesNoCancelAnswers = {Answer::No};
  read(tall);
  EXPECT_EQ(m().mapGrid(c, 640), 0);  // the southernmost row
  EXPECT_EQ(m().mapGrid(c, 1), 639);

  host.yesNoAnswers = {true};
  host.yesNoCancelAnswers = {Answer::Cancel};
  read(tall);
  EXPECT_EQ(m().mapGrid(c, 1), 750 - 55);
}

TEST_F(DemFileTest, BadForeignDataAreRefused) {
  const Model before = m();
  auto refused = [&](const std::string& text, const char* what) {
    EXPECT_THROW(readText(text), SimError) << what;
    EXPECT_EQ(m().MapGrid, before.MapGrid) << what;
  };
  for (const char* text : {"", "x,y,z\n1,2,3\n", "1,2,3\n4,5\n", "1,2,3\n1,2,3\n", "0,0,1\n0,5,1\n",
                           "0,0,1e7\n4,4,1\n", "1e300,0,1\n0,1e300,2\n"}) {
    host.yesNoAnswers = {true};
    refused(text, text);
  }
  const std::vector<std::vector<std::optional<std::string>>> answers = {
      {std::nullopt}, {"0"}, {"abc"}, {"2.5"}, {"3", "20001"}, {"3", "4", "-1"}, {"3", "4", "4"}, {"3", "4", std::nullopt}};
  for (const auto& a : answers) {
    host.yesNoAnswers = {false};
    host.inputAnswers.assign(a.begin(), a.end());
    refused("1 2 3 4 5 6 7 8 9 10 11", "raster");  // too few values for 3 x 4
  }
  host.yesNoAnswers = {true};
  EXPECT_THROW(readText(lattice(21, 11, 0, 0, 25, [](int, int) { return 5.0; })), DemImportAbandoned);
  EXPECT_EQ(host.messages.back(), "Data are greater than 20 m appart.\nThey are too sparse to interpolate.");
  EXPECT_EQ(m().MapGrid, before.MapGrid);
  host.yesNoAnswers = {true};
  EXPECT_NO_THROW(readText(lattice(21, 11, 0, 0, 20, [](int, int) { return 5.0; })));  // at the limit
}

// ---- commands

TEST_F(DemFileTest, SaveRefusesTheDemonstrationFileAndProposesNames) {
  fillTerrain(6, 20);
  const std::string target = path("terrain.dem");
  host.fileAnswers = {path("MagmoDemo.dem"), target};
  ui().StrFileName = path("volcano.str");
  fileSaveDEM(sim);
  ASSERT_EQ(host.dialogs.size(), 2u);
  EXPECT_EQ(host.dialogs[0].title + host.dialogs[0].filter + host.dialogs[0].defaultExt,
            "Save Magmo Elevation FileElevation File (*.dem)|*.dem|dem");
  EXPECT_EQ(host.dialogs[0].proposedName, path("volcano.dem"));
  EXPECT_EQ(host.messages, std::vector<std::string>{"Cannot replace MAGMO Demonstration file"});
  EXPECT_FALSE(fs::exists(path("MagmoDemo.dem")));
  EXPECT_EQ(ui().DemFileName, target);
  EXPECT_EQ(ui().statusBar2[1], "Elevation File:  " + target + " Saved");
  std::ostringstream s;
  s << std::ifstream(target, std::ios::binary).rdbuf();
  EXPECT_EQ(s.str(), demFileText(m()));

  host.fileAnswers = {std::nullopt};
  fileSaveDEM(sim);
  EXPECT_EQ(host.dialogs.back().proposedName, target);
}

TEST_F(DemFileTest, OpenReadsTheFileAndNamesTheStratFileBesideIt) {
  fillTerrain(4, 4);
  const Model written = m();
  const std::string name = path("hill.dem");
  spit(name, demFileText(m()));
  m().RecCount = 3;
  host.fileAnswers = {name};
  EXPECT_TRUE(fileOpenDEM(sim));
  EXPECT_EQ(host.dialogs.at(0).title + host.dialogs.at(0).filter, "Open Elevation FileElevation Files (*.dem)|*.dem|");
  EXPECT_EQ(ui().DemFileName, name);
  EXPECT_EQ(ui().StrFileName, path("hill.str"));
  EXPECT_EQ(ui().statusBar1[3], "hill");
  EXPECT_EQ(m().RecCount, 0);
  EXPECT_TRUE(ui().mnuParTec.enabled && ui().mnuFileSaveAsDem.enabled && ui().toolbar["tectonic"].enabled);
  EXPECT_EQ(m().Strat(1, 77), written.Strat(2, 77));
  EXPECT_EQ(m().Scale, 4);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(DemFileTest, FailedOpenTellsTheUserAndKeepsWhatWasThere) {
  const std::string name = path("broken.dem");
  spit(name, "$Magmo: ,20,0\r\n");
  ui().StrFileName = path("kept.str");
  ui().statusBar1[3] = "kept";
  m().LayerCount = 1;
  m().Strat(1, 9) = 42;
  host.fileAnswers = {name};
  EXPECT_FALSE(fileOpenDEM(sim));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].rfind("Cannot read DEM file '" + name + "' format", 0), 0u) << host.messages[0];
  EXPECT_EQ(host.icons[0], MsgIcon::Exclamation);
  EXPECT_EQ(m().RecReadFailed, 1);
  EXPECT_EQ(ui().StrFileName, path("kept.str"));
  EXPECT_EQ(ui().statusBar1[3], "kept");
  EXPECT_EQ(m().Strat(1, 9), 42);

  // A declined import fails the same way, without an error message.
  host.messages.clear();
  m().RecReadFailed = 0;
  spit(name, "0,0,1\n200000,0,1\n0,4,1\n200000,4,1\n");
  host.fileAnswers = {name};
  host.yesNoAnswers = {true, false};
  EXPECT_FALSE(fileOpenDEM(sim));
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(m().RecReadFailed, 1);
  EXPECT_EQ(m().Strat(1, 9), 42);
}
}  // namespace
}  // namespace magmo::test
