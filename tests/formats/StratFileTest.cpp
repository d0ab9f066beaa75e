#include "formats/StratFile.h"

#include "control/StratCommands.h"

#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "support/CrLfLines.h"
#include "support/SimFixture.h"

namespace magmo::test {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void spit(const fs::path& p, const std::string& text) {
  std::ofstream out(p, std::ios::binary);
  out << text;
}

class StratFileTest : public SimTest {
 protected:
  StratFileTest() {
    dir = fs::temp_directory_path() / ("magmo-strat-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                       "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    sim.paths.dataPath = dir.string() + "/";
  }
  ~StratFileTest() override { fs::remove_all(dir); }

  std::string path(const std::string& name) const { return (dir / name).string(); }

  // Layers with awkward values: fractions, negatives, tiny and large magnitudes.
  void fillLayers(int count) {
    m().LayerCount = count;
    m().VentX = 777;
    m().AltPfs = 1, m().AltLava = -1, m().AltPlin = 32767;
    for (int k = 1; k <= count; ++k) {
      m().LayerVentX[k] = k * 7 % 1281;
      m().LayerBase[k] = 0.1f * k;
      m().LayerColor[k] = k % 16;
      m().LayerMapY[k] = 320 + k % 100;
      m().LayerMapA[k] = -1.0f / 3 * k;
      m().LayerMapB[k] = 1e-7f * k;
      m().LayerWind[k] = -50;
      m().LayerCaldera[k] = 3;
      m().LayerCaldL[k] = 1, m().LayerCaldR[k] = 1280;
      for (int x = 1; x <= 1280; ++x) m().Strat(k, x) = static_cast<float>(sim.rnd01() * 600 * k / count);
    }
  }

  std::string readFile(const std::string& name) {
    clearVar(sim, true);
    host.messages.clear();
    ui().StrFileName = name;
    return fileReadStrat(sim) == LoadResult::Complete ? "" : "incomplete";
  }

  // A read that failed: reported, nothing of the file kept, the program still usable.
  void expectRejected(const std::string& content, const std::string& why) {
    const std::string name = path("bad.str");
    spit(name, content);
    EXPECT_EQ(readFile(name), "incomplete") << why;
    ASSERT_EQ(host.messages.size(), 1u) << why;
    EXPECT_EQ(host.messages[0].rfind("Error reading strat file '" + name + "'\n", 0), 0u) << host.messages[0];
    EXPECT_GT(host.messages[0].size(), name.size() + 28) << "no reason given: " << why;
    EXPECT_EQ(ui().statusBar1[3], "No File");
    EXPECT_FALSE(ui().pBarVisible);
    EXPECT_EQ(m().LayerCount, 0) << why;
    EXPECT_EQ(m().Strat(1, 5), 0.0f) << why;
    EXPECT_EQ(m().VentX, 640) << why;
  }

  fs::path dir;
};

TEST_F(StratFileTest, WrittenLayoutAndByteExactRoundTrip) {
  fillLayers(3);
  const std::string a = path("a.str"), b = path("b.str");
  writeStratFile(m(), a, false);
  const std::string text = slurp(a);
  const auto lines = linesOf(text);
  ASSERT_EQ(lines.size(), 2u + 3u * 68u);
  EXPECT_EQ(lines[0], "3003,777,20");
  EXPECT_EQ(lines[1], "1,0,-1,0,32767");
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "\"------------------- Strat layer number: 1 of 3 ----------------------------\"");
  EXPECT_EQ(lines[4], "");
  EXPECT_EQ(lines[5], "7,0.1,1,321,-0.33333334,1e-07,0,0,-50,3,1,1280");
  for (size_t i = 6; i < 70; ++i) EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), ','), 19);

  const Model before = m();
  EXPECT_EQ(readFile(a), "");
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(m().LayerCount, 3);
  EXPECT_EQ(m().VentX, 777);
  EXPECT_EQ(m().VentKm, 777 * 20 / 1000.0f);
  EXPECT_EQ(ui().txtLoc.text, "15.54");
  for (int k = 1; k <= 3; ++k) {
    EXPECT_EQ(m().LayerMapB[k], before.LayerMapB[k]);
    for (int x = 1; x <= 1280; ++x) ASSERT_EQ(m().Strat(k, x), before.Strat(k, x));
  }
  for (int x = 1; x <= 1280; ++x) ASSERT_EQ(m().Topo[x], before.Strat(3, x));
  writeStratFile(m(), b, false);
  EXPECT_EQ(slurp(b), text);
}

TEST_F(StratFileTest, MapSectionRoundTripAndFill) {
  fillLayers(1);
  for (int y = 0; y <= 640; ++y)
    for (int x = 0; x <= 1280; ++x) m().mapGrid(x, y) = x * 0.5f + y;
  ui().mnuOptMapEnable.checked = true;
  const std::string a = path("map.str");
  writeStratFile(m(), a, true);
  const auto lines = linesOf(slurp(a));
  ASSERT_EQ(lines.size(), 2u + 68u + 3u + 9600u);
  EXPECT_EQ(lines[71], "\"------------------- Final 3D Topo ----------------------------\"");
  EXPECT_EQ(lines[73], "3,5,7,9,11,13,15,17,19,21,23,25,27,29,31,33,35,37,39,41");  // x = 2, y = 2..40
  readFile(a);
  EXPECT_EQ(m().mapGrid(1280, 600), 1240.0f);
  // Each stored cell also fills the cell above it and the one above-left.
  EXPECT_EQ(m().mapGrid(100, 99), 150.0f);
  EXPECT_EQ(m().mapGrid(99, 99), 150.0f);
  EXPECT_EQ(m().mapGrid(99, 100), 0.0f);
}

TEST_F(StratFileTest, EmptyProfileRoundTrips) {
  const std::string a = path("empty.str");
  writeStratFile(m(), a, false);
  EXPECT_EQ(slurp(a).substr(0, 5), "3000,");
  EXPECT_EQ(readFile(a), "");
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(m().LayerCount, 0);
}

TEST_F(StratFileTest, OlderVersionsRead) {
  // Version 1: half-resolution columns, vents doubled, every even column copies the odd one.
  std::string v1 = "2,100\r\n1,1,0,0,1\r\n";
  for (int k = 1; k <= 2; ++k) {
    v1 += std::to_string(50 * k) + ",12.5," + std::to_string(k + 1) + "\r\n";
    for (int i = 0; i < 640; ++i) v1 += std::to_string(k * 1000 + i) + (i % 20 == 19 ? "\r\n" : ",");
  }
  spit(path("v1.str"), v1);
  EXPECT_EQ(readFile(path("v1.str")), "");
  EXPECT_EQ(m().LayerCount, 2);
  EXPECT_EQ(m().VentX, 200);
  EXPECT_EQ(m().LayerVentX[2], 200);
  EXPECT_EQ(m().LayerColor[2], 3);
  EXPECT_EQ(m().LayerBase[1], 12.5f);
  EXPECT_EQ(m().AltLava, 0);
  EXPECT_EQ(m().Strat(2, 1), 2000.0f);
  EXPECT_EQ(m().Strat(2, 2), 2000.0f);
  EXPECT_EQ(m().Strat(2, 1280), 2639.0f);
  EXPECT_EQ(m().Topo[1279], 2639.0f);
  EXPECT_EQ(m().Scale, 20.0f);

  // Version 2: full resolution, layer vents as stored, values spread freely over lines.
  std::string v2 = "2001,300,0,0,0,0,0,100,1.5,7\r\n";
  for (int x = 1; x <= 1280; ++x) v2 += std::to_string(x) + (x % 7 == 0 ? "\r\n" : ",");
  spit(path("v2.str"), v2 + "\r\n");
  EXPECT_EQ(readFile(path("v2.str")), "");
  EXPECT_EQ(m().LayerCount, 1);
  EXPECT_EQ(m().VentX, 600);
  EXPECT_EQ(m().LayerVentX[1], 100);
  EXPECT_EQ(m().Strat(1, 2), 2.0f);
  EXPECT_EQ(m().Strat(1, 1280), 1280.0f);
}

TEST_F(StratFileTest, StoredScaleMovesTheScaleMenuExceptForTheDefaultFile) {
  fillLayers(1);
  m().Scale = 4;
  writeStratFile(m(), path("small.str"), false);
  writeStratFile(m(), sim.paths.defaultStrat(), false);
  m().Scale = 40;
  writeStratFile(m(), path("old-large.str"), false);

  readFile(path("small.str"));
  EXPECT_EQ(m().Scale, 4.0f);
  EXPECT_TRUE(ui().mnuOptScaleSmall.checked);
  EXPECT_FALSE(ui().mnuOptScaleNorm.checked);
  EXPECT_EQ(ui().txtStr.text, "0.20");
  EXPECT_FLOAT_EQ(m().GravityScaled, m().Gravity / 4);

  readFile(path("old-large.str"));
  EXPECT_EQ(m().Scale, 100.0f);
  EXPECT_TRUE(ui().mnuOptScaleLarge.checked);
  EXPECT_EQ(ui().txtStr.text, "0.90");
  EXPECT_FLOAT_EQ(m().GravityScaled, m().Gravity / 100);

  readFile(sim.paths.defaultStrat());
  EXPECT_EQ(m().Scale, 100.0f);  // still the user's scale
  EXPECT_EQ(m().LayerCount, 1);
}

TEST_F(StratFileTest, HostileFilesAreRefusedWithoutHarm) {
  fillLayers(2);
  writeStratFile(m(), path("good.str"), false);
  const std::string good = slurp(path("good.str"));
  const size_t attributes = good.find("\r\n", good.find("of 2 -")) + 4;  // the first layer's attribute line

  expectRejected("", "empty file");
  expectRejected("3501,640,20\r\n0,0,0,0,0\r\n", "more than 500 layers");
  expectRejected("2600,640\r\n", "version 2 beyond 500 layers");
  expectRejected("-1,640\r\n", "negative layer count");
  expectRejected(good.substr(0, good.size() / 2), "truncated");
  expectRejected("3001,5000,20\r\n", "vent column off the profile");
  expectRejected("3001,640,0\r\n", "zero scale");
  expectRejected("3001,640,20\r\n0,0,0,0,0\r\n\r\n\"x\"\r\n\r\n1,0,99,320,0,0,0,0,0,0,0,0\r\n", "colour index");
  expectRejected("3001,640,20\r\n0,0,0,0,0\r\n\r\n\"x\"\r\n\r\n1,0,2,9999,0,0,0,0,0,0,0,0\r\n", "map row");
  expectRejected(good.substr(0, attributes) + "12abc" + good.substr(attributes + 1), "garbage number");
  expectRejected("3001,640,nan\r\n", "not a number");
  expectRejected("3001,640,1e999\r\n", "overflowing number");
  expectRejected("3001,99999,20\r\n", "integer overflow");
  expectRejected("3001,640,20\r\n0,0,0,0,0\r\n\r\n\"never closed\r\n", "open quote");
  expectRejected("3001," + std::string(100000, '7') + "\r\n", "endless field");
  expectRejected("\"3001\",640,20\r\n", "text for a number");
  const std::string tops = good.substr(good.find("\r\n", attributes) + 2);
  expectRejected(good.substr(0, good.find("\r\n", attributes) + 2) + "3e7" + tops.substr(tops.find(',')),
                 "height far above the section");

  host.messages.clear();
  ui().StrFileName = path("missing.str");
  EXPECT_NE(fileReadStrat(sim), LoadResult::Complete);
  EXPECT_EQ(host.messages.size(), 0u);

  // Still usable: the good file reads afterwards.
  EXPECT_EQ(readFile(path("good.str")), "");
  EXPECT_EQ(m().LayerCount, 2);
}

TEST_F(StratFileTest, CancelKeepsTheLayersReadSoFar) {
  fillLayers(4);
  writeStratFile(m(), path("four.str"), true);
  const Model written = m();
  ui().mnuOptMapEnable.checked = true;
  // The Cancel button, pressed once while layer 1 is read.
  host.onYield = [this, pressed = false]() mutable {
    if (ui().pBarVisible && !pressed) m().RunStop = RunState::Paused, pressed = true;
  };
  EXPECT_EQ(readFile(path("four.str")), "incomplete");
  host.onYield = nullptr;
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(m().LayerCount, 1);
  EXPECT_EQ(m().RunStop, RunState::Running);
  for (int x = 1; x <= 1280; ++x) ASSERT_EQ(m().Topo[x], written.Strat(1, x));
  EXPECT_EQ(m().Strat(2, 1), 0.0f);
}

TEST_F(StratFileTest, FailedSaveKeepsTheOldFile) {
  fillLayers(1);
  const std::string a = path("keep.str");
  writeStratFile(m(), a, false);
  const std::string old = slurp(a);
  fs::create_directory(a + ".tmp");  // the temporary file cannot be created
  fillLayers(2);
  EXPECT_THROW(writeStratFile(m(), a, false), SimError);
  EXPECT_EQ(slurp(a), old);
  fs::remove(a + ".tmp");
  m().Strat(2, 640) = std::numeric_limits<float>::quiet_NaN();  // a file that could not be read back
  EXPECT_THROW(writeStratFile(m(), a, false), SimError);
  EXPECT_EQ(slurp(a), old);
  fs::create_directory(a + ".tmp");

  ui().StrFileName = a;
  mnuFileSaveClick(sim);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].rfind("mnuFileSave error: \n", 0), 0u);
  EXPECT_EQ(slurp(a), old);
  EXPECT_TRUE(ui().mnuFileSave.enabled);
  EXPECT_FALSE(ui().toolbar["save"].pressed);
}

TEST_F(StratFileTest, SaveAsRefusesTheFactoryFilesAndAsksAboutTheRecord) {
  spit(sim.paths.defaultStrat(), "factory");
  fillLayers(1);
  ui().StrFileName = sim.paths.defaultStrat();
  host.fileAnswers = {sim.paths.defaultStrat(), sim.paths.demoStrat(), path("mine.str")};
  mnuFileSaveClick(sim);  // the default file is never saved over directly
  ASSERT_EQ(host.dialogs.size(), 3u);
  EXPECT_EQ(host.dialogs[0].title, "Save Stratigraphic File");
  EXPECT_EQ(host.dialogs[0].filter, "Stratigraphic File (*.str)|*.str|");
  EXPECT_EQ(host.dialogs[0].defaultExt, "str");
  EXPECT_EQ(host.dialogs[0].proposedName, path("Magmo.str"));
  EXPECT_EQ(host.messages, std::vector<std::string>(2, "Cannot replace MAGMO default/demo stratigraphic file"));
  EXPECT_EQ(slurp(sim.paths.defaultStrat()), "factory");
  EXPECT_FALSE(fs::exists(sim.paths.demoStrat()));
  EXPECT_EQ(ui().StrFileName, path("mine.str"));
  EXPECT_EQ(ui().statusBar1[3], "mine");
  EXPECT_EQ(ui().statusBar2[1], "Stratigraphic File:  mine.str Saved");
  const std::string saved = slurp(path("mine.str"));
  EXPECT_EQ(saved.substr(0, 5), "3001,");

  // A record refers to the file in use: overwriting it needs a yes.
  ui().recordFlag = true;
  fillLayers(2);
  host.fileAnswers = {path("mine.str")};
  host.yesNoAnswers = {false};
  fileSaveTopo(sim);
  EXPECT_EQ(host.dialogs.back().proposedName, path("mine.str"));
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_EQ(slurp(path("mine.str")), saved);
}

TEST_F(StratFileTest, OpenCommandReadsAndRestoresTheCommands) {
  fillLayers(2);
  writeStratFile(m(), path("open.str"), false);
  clearVar(sim, true);
  host.fileAnswers = {path("open.str")};
  fileOpenTopo(sim);
  EXPECT_EQ(host.dialogs.at(0).title, "Open Stratigraphic File");
  EXPECT_EQ(host.dialogs[0].filter,
            "Stratigraphic Files (*.str)|*.str;*.STR|Topographic Files (*.top)|*.top;*.TOP|");
  EXPECT_EQ(m().LayerCount, 2);
  EXPECT_EQ(ui().StrFileName, path("open.str"));
  EXPECT_EQ(ui().statusBar1[3], "open");
  EXPECT_TRUE(ui().mnuFile.enabled && ui().mnuView.enabled);
  EXPECT_EQ(ui().cmdHalt.caption, "&Pause");
  EXPECT_FALSE(ui().cmdHalt.enabled);
  EXPECT_FALSE(ui().toolbar["open"].pressed);

  // Cancelling the dialog changes nothing.
  host.fileAnswers.clear();
  fileOpenTopo(sim);
  EXPECT_EQ(m().LayerCount, 2);
}

}  // namespace
}  // namespace magmo::test
