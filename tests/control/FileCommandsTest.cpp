#include <functional>

#include "control/DemCommands.h"
#include "control/RecordCommands.h"
#include "control/Params.h"
#include "control/StratCommands.h"
#include "control/Recorder.h"
#include "control/RunControl.h"
#include "control/UnsavedChanges.h"
#include "formats/DemFile.h"
#include "formats/RecordFile.h"
#include "formats/StratFile.h"
#include "support/FileTestSupport.h"
#include "support/SimFixture.h"

namespace magmo::test {
namespace {

namespace fs = std::filesystem;

class FileCommandsTest : public SimTest {
 protected:
  FileCommandsTest() { sim.paths.dataPath = dir.folder(); }
  std::string path(const std::string& name) const { return dir.path(name); }

  // Layer k's top at column x is 10 k + x / 100; the vent is at column 700, the map 9 high at (2, 2).
  void writeStrat(const std::string& name, int layers, float scale = 20) {
    Model f;
    f.LayerCount = layers, f.Scale = scale, f.VentX = 700, f.mapGrid(2, 2) = 9;
    for (int k = 1; k <= layers; ++k) {
      f.LayerVentX[k] = 700, f.LayerColor[k] = 14;
      for (int x = 1; x <= 1280; ++x) f.Strat(k, x) = 10 * k + x / 100.0f;
    }
    writeStratFile(f, name, true);
  }
  // A cone, a record and file names in use: what a failed open must leave as it is.
  auto inUse() {
    buildCone(640, 100, 100);
    m().RecCount = 2, m().RecTable[2].Location = 7;
    ui().StrFileName = path("kept.str"), ui().DemFileName = path("kept.dem"), ui().RecFileName = path("kept.rec");
    ui().statusBar1[3] = "kept", ui().statusBar2[1] = "Ready";
    host.messages.clear(), host.icons.clear();
    return [this] {
      return std::tuple(m().LayerCount, m().VentX, m().Strat(1, 640), m().Topo[640], m().Scale, m().RecCount,
                        m().RecTable[2].Location, ui().StrFileName, ui().DemFileName, ui().RecFileName,
                        ui().statusBar1[3], ui().statusBar2[1]);
    };
  }

  TempDir dir;
};

TEST_F(FileCommandsTest, SaveAsProposesNamesRefusesTheFactoryFilesAndNamesOnlyAFileWritten) {
  struct Case {
    void (*save)(Sim&);
    std::string ext;
    std::vector<std::string> factory;
    std::string refusal, saved, failure;
    std::string Controls::*name;
  };
  const std::string demo = "Cannot replace MAGMO Demonstration file";
  const Case cases[] = {
      {fileSaveTopo, "str", {"Magmo3.str", "MagmoDemo.str"}, "Cannot replace MAGMO default/demo stratigraphic file",
       "Stratigraphic File:  mine.str Saved", "Strat file save error: \n", &Controls::StrFileName},
      {fileSaveDEM, "dem", {"MagmoDemo.dem"}, demo, "Elevation File:  " + path("mine.dem") + " Saved",
       "DEM file save error: \n", &Controls::DemFileName},
      {fileSaveRec, "rec", {"MagmoDemo.rec"}, demo, "Record File:  mine.rec Saved", "Recorder file save error",
       &Controls::RecFileName}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ext);
    const std::string mine = path("mine." + c.ext), bad = path("gone/bad." + c.ext);  // a folder that is not there
    ui().StrFileName = ui().DemFileName = ui().RecFileName = "";
    host.dialogs.clear(), host.messages.clear();
    c.save(sim);  // cancelled, as the next one
    ui().StrFileName = path("hill.str");
    c.save(sim);
    for (const std::string& f : c.factory) host.fileAnswers.push_back(path(f));
    host.fileAnswers.push_back(mine);
    c.save(sim);
    EXPECT_EQ(host.messages, std::vector<std::string>(c.factory.size(), c.refusal));
    for (const std::string& f : c.factory) EXPECT_FALSE(fs::exists(path(f))) << f;
    EXPECT_EQ(std::tuple(ui().*c.name, ui().statusBar2[1], fs::exists(mine), ui().toolbar["save"].pressed),
              std::tuple(mine, c.saved, true, false));
    host.fileAnswers = {bad};
    c.save(sim);
    EXPECT_EQ(host.messages.back().rfind(c.failure, 0), 0u) << host.messages.back();
    EXPECT_EQ(std::tuple(ui().*c.name, fs::exists(bad), ui().pBarVisible), std::tuple(mine, false, false));
    c.save(sim);
    ASSERT_EQ(host.dialogs.size(), 5u + c.factory.size());
    EXPECT_EQ(std::tuple(host.dialogs[0].proposedName, host.dialogs[1].proposedName, host.dialogs.back().proposedName),
              std::tuple(path("Magmo." + c.ext), path("hill." + c.ext), mine));
  }
}

TEST_F(FileCommandsTest, SaveAsOverTheStratFileOfARecordAsksFirst) {
  const std::string mine = path("mine.str"), other = path("other.str");
  const auto saveAs = [&](const std::string& n) { host.fileAnswers = {n}, host.yesNoAnswers = {false}, fileSaveTopo(sim); };
  buildCone(640, 100, 100);
  ui().StrFileName = mine;
  saveAs(mine);  // no record yet: no question
  host.fileAnswers = {path("mine.rec")};
  fileSaveRec(sim);
  const std::string before = slurp(mine);
  m().LayerCount = 0;
  saveAs(mine);
  EXPECT_EQ(host.questions, std::vector<std::string>{"Overwriting the stratigraphic file currently in use will alter "
                                                     "your record file\nDo you wish to continue saving?"});
  EXPECT_EQ(slurp(mine), before);
  saveAs(other);
  saveAs(other);  // the record names mine.str, not this one
  EXPECT_TRUE(host.questions.size() == 1 && slurp(other) != "");
}

TEST_F(FileCommandsTest, FileSaveWritesAnOpenRecordElseTheStratFileButNeverAFactoryFile) {
  buildCone(640, 100, 100);
  m().RecCount = 1, m().RecTable[1].Location = 3.5f;
  ui().RecFileName = path("cone.rec"), ui().StrFileName = path("cone.str"), ui().RecLoaded = true;
  mnuFileSaveClick(sim);
  EXPECT_EQ(slurp(path("cone.rec")), recordFileText({path("cone.str"), 20, 1}, m().RecTable, m().RecBurst));
  EXPECT_TRUE(ui().statusBar2[1] == "Record File:  cone.rec Saved" && !fs::exists(path("cone.str")));
  ui().RecFileName = path("MagmoDemo.rec");
  mnuFileSaveClick(sim);  // cancelled
  EXPECT_TRUE(host.dialogs.size() == 1 && !fs::exists(path("MagmoDemo.rec")));
  ui().RecLoaded = false;
  spit(path("cone.str"), "kept");
  fs::permissions(path("cone.str"), fs::perms::owner_read);  // a file that cannot be written
  mnuFileSaveClick(sim);
  EXPECT_TRUE(host.messages.at(0).rfind("mnuFileSave error: \n", 0) == 0 && slurp(path("cone.str")) == "kept" &&
              ui().mnuFileSave.enabled && !ui().toolbar["save"].pressed) << host.messages[0];
  fs::permissions(path("cone.str"), fs::perms::owner_write, fs::perm_options::add);
  mnuFileSaveClick(sim);
  EXPECT_EQ(ui().statusBar2[1], "Stratigraphic File:  " + path("cone.str") + " Saved");
  ui().StrFileName = sim.paths.defaultStrat();
  mnuFileSaveClick(sim);  // cancelled
  EXPECT_TRUE(host.dialogs.back().proposedName == path("Magmo.str") && !fs::exists(sim.paths.defaultStrat()));
}

TEST_F(FileCommandsTest, RecordReadKeepsTheWholePhasesAndTheirScale) {
  PhaseTable table;
  BurstTable bursts;
  table[1].Location = 5, table[2].Location = 6;
  const std::string in = path("in.rec"), base = path("base.str");
  const std::string cut = firstLines(recordFileText({"", 4, 2}, table, bursts), 12);  // inside phase 2
  // Text, whether read whole, phases kept, scale and strat file afterwards, reason given.
  const std::tuple<std::string, bool, int, float, std::string, std::string> cases[] = {
      {recordFileText({base, 40, 2}, table, bursts), true, 2, 100, base, ""},
      {cut, false, 1, 4, base, "Record phase 2: "},
      {withLine(cut, 2, "\"Recorded phases\",1,33"), false, 0, 4, base, "Scale 33"},
      {recordFileText({"", 20, 1}, table, bursts), true, 1, 20, "", ""}};
  for (const auto& [text, whole, kept, scale, strat, why] : cases) {
    SCOPED_TRACE(strat + " " + why);
    spit(in, text);
    ui().RecFileName = in, m().RecReadFailed = 0, host.messages.clear();
    EXPECT_EQ(fileReadRec(sim), whole);
    EXPECT_EQ(std::tuple(m().RecCount, m().RecReadFailed, m().Scale, ui().StrFileName, ui().recordFlag, ui().pBarVisible),
              std::tuple(kept, whole ? 0 : 1, scale, strat, !strat.empty(), false));
    EXPECT_TRUE(kept == 0 || m().RecTable[kept].Location == 4 + kept);
    const std::string message = whole ? "" : "Error reading record file '" + in + "':\n" + why;
    EXPECT_EQ(host.messages.empty() ? "" : host.messages[0].substr(0, message.size()), message);
  }
  EXPECT_TRUE(ui().mnuOptScaleNorm.checked && !ui().mnuOptScaleLarge.checked);
  ui().RecFileName = path("none.rec");
  EXPECT_TRUE(!fileReadRec(sim) && host.messages.empty());
}

TEST_F(FileCommandsTest, StratOpenAdoptsTheFileAndForgetsTheRecord) {
  writeStrat(path("open.str"), 2, 4);
  m().RecCount = 3, ui().mnuOptMapEnable.checked = true;
  ui().RecFileName = path("old.rec"), ui().StrFileName = path("prev.top"), ui().recordFlag = true;
  host.fileAnswers = {path("open.str")};
  EXPECT_EQ(fileOpenTopo(sim), LoadResult::Complete);
  EXPECT_EQ(host.dialogs.at(0).proposedName, path("prev.str"));
  EXPECT_EQ(std::tuple(m().LayerCount, m().VentX, m().VentKm, ui().txtLoc.text, m().MapOn, m().mapGrid(2, 2), m().Scale,
                       m().Topo[1], m().Topo[1280]),
            std::tuple(2, 700, 2.8f, "2.80", 8, 9.0f, 4.0f, 20 + 1 / 100.0f, 20 + 1280 / 100.0f));
  EXPECT_EQ(std::tuple(ui().StrFileName, ui().statusBar1[3], m().RecCount, ui().RecFileName, ui().recordFlag),
            std::tuple(path("open.str"), "open", 0, "", false));
  host.fileAnswers.clear();  // the dialog cancelled
  EXPECT_TRUE(fileOpenTopo(sim) == LoadResult::Failed && m().LayerCount == 2);
  // The default file's stored scale is not the user's.
  writeStrat(sim.paths.defaultStrat(), 1, 7);
  host.fileAnswers = {sim.paths.defaultStrat()};
  EXPECT_EQ(fileOpenTopo(sim), LoadResult::Complete);
  EXPECT_EQ(std::tuple(ui().statusBar1[3], m().Scale, m().LayerCount), std::tuple("Default", 4.0f, 1));
  // Only the data folder's own Magmo3.str is that file.
  fs::create_directory(path("old"));
  for (const std::string name : {"OldMagmo3.str", "old/Magmo3.str"}) {
    writeStrat(path(name), 1, 100);
    m().Scale = 20, ui().StrFileName = path(name);
    EXPECT_TRUE(fileReadStrat(sim) == LoadResult::Complete && m().Scale == 100) << name;
  }
}

TEST_F(FileCommandsTest, FailedOpenChangesNothingAndSaysWhy) {
  const auto openStrat = [&] { return fileOpenTopo(sim) != LoadResult::Failed; };
  const auto openDem = [&] { return fileOpenDEM(sim); };
  writeStrat(path("cut.str"), 2);
  const std::string cut = firstLines(slurp(path("cut.str")), 100);  // inside layer 2
  const std::tuple<std::string, std::string, std::function<bool()>, std::string> cases[] = {
      {"cut.str", cut, openStrat, "Error reading strat file '" + path("cut.str") + "'\nInput past end of file (line 101)"},
      {"odd.str", "3000,640,7\r\n0,0,0,0,0\r\n", openStrat,
       "Error reading strat file '" + path("odd.str") + "'\nScale 7 is not 4, 20, 40 or 100"},
      {"bad.dem", "$Magmo: ,4,0\r\n", openDem, "Cannot read DEM file '" + path("bad.dem") + "' format\nMap step \"0\""},
      {"wide.dem", latticeText(2, 2, 0, 0, 200000, [](int, int) { return 1; }), openDem, ""}};  // too large, declined
  for (const auto& [file, text, open, message] : cases) {
    SCOPED_TRACE(file);
    const auto now = inUse();
    const auto before = now();
    spit(path(file), text);
    host.fileAnswers = {path(file)}, host.yesNoAnswers = {true, false};
    EXPECT_FALSE(open());
    EXPECT_EQ(now(), before);
    EXPECT_TRUE(!ui().pBarVisible && ui().mnuFile.enabled && !ui().toolbar["open"].pressed);
    EXPECT_EQ(std::pair(host.messages.empty() ? "" : host.messages[0].substr(0, message.size()), host.icons),
              std::pair(message, std::vector<MsgIcon>(message.empty() ? 0 : 1, MsgIcon::Exclamation)));
  }
}

TEST_F(FileCommandsTest, CancelDuringAStratLoadKeepsTheLayersReadSoFar) {
  writeStrat(path("four.str"), 4);
  ui().StrFileName = path("four.str");
  bool pressed = false;
  host.onYield = [&] {
    if (!ui().pBarVisible || pressed) return;
    EXPECT_TRUE(ui().cmdHalt.caption == "&Cancel" && ui().cmdHalt.enabled);
    cmdHaltClick(sim), pressed = true;
  };
  EXPECT_EQ(fileReadStrat(sim, true), LoadResult::Cancelled);
  EXPECT_EQ(std::tuple(pressed, host.messages.size(), m().LayerCount, m().Strat(2, 640), m().Topo[1], m().Topo[1280],
                       m().RunStop, ui().cmdHalt.caption, ui().cmdHalt.enabled),
            std::tuple(true, 0u, 1, 0.0f, 10 + 1 / 100.0f, 10 + 1280 / 100.0f, RunState::Running, "&Pause", false));
  // A damaged file is reported and forgotten, so that File > Save cannot overwrite it.
  spit(path("bad.str"), "3001,640,20\r\n");
  ui().StrFileName = path("bad.str");
  EXPECT_EQ(fileReadStrat(sim), LoadResult::Failed);
  EXPECT_EQ(host.messages, std::vector<std::string>{"Error reading strat file '" + path("bad.str") +
                                                    "'\nInput past end of file (line 2)"});
  EXPECT_EQ(std::tuple(ui().StrFileName, ui().statusBar1[3], m().LayerCount), std::tuple("", "No File", 1));
  ui().StrFileName = path("none.str");  // a missing file is not worth a message
  EXPECT_TRUE(fileReadStrat(sim) == LoadResult::Failed && host.messages.size() == 1);
}

TEST_F(FileCommandsTest, DemOpenMakesTheTerrainOneLayerAtTheStoredStepAndScale) {
  using Item = MenuItem Controls::*;
  // Stored step and scale, then the items checked, and the step, scale and vent km in force.
  const std::tuple<int, float, Item, Item, int, float, std::string> cases[] = {
      {4, 4, &Controls::mnuOptMapHigh, &Controls::mnuOptScaleSmall, 4, 4, "2.56"},
      {5, 40, &Controls::mnuOptMapNorm, &Controls::mnuOptScaleLarge, 6, 100, "64.00"},
      {8, 100, &Controls::mnuOptMapLow, &Controls::mnuOptScaleLarge, 8, 100, "64.00"}};
  for (const auto& [step, scale, precision, scaleItem, stepAfter, scaleAfter, km] : cases) {
    SCOPED_TRACE(step);
    Model f;
    f.MapStep = step, f.Scale = scale, f.LayerCount = 2;
    for (int x = 1; x <= 1280; ++x) f.Strat(2, x) = f.mapGrid(x, 1) = x / 3.0f;
    spit(path("hill.dem"), demFileText(f));
    inUse();
    host.fileAnswers = {path("hill.dem")};
    ASSERT_TRUE(fileOpenDEM(sim));
    for (Item item : {&Controls::mnuOptMapHigh, &Controls::mnuOptMapNorm, &Controls::mnuOptMapLow,
                      &Controls::mnuOptScaleSmall, &Controls::mnuOptScaleNorm, &Controls::mnuOptScaleLarge})
      EXPECT_EQ((ui().*item).checked, item == precision || item == scaleItem);
    EXPECT_EQ(std::tuple(m().MapStep, m().Scale, m().GravityScaled, m().VentKm, ui().txtLoc.text),
              std::tuple(stepAfter, scaleAfter, m().Gravity / scaleAfter, 640 * scaleAfter / 1000, km));
    EXPECT_EQ(std::tuple(m().LayerCount, m().LayerColor[1], m().mapGrid(1 + step, 1)), std::tuple(1, 3, (1 + step) / 3.0f));
    for (int x = 1; x <= 1280; ++x) ASSERT_EQ(std::pair(m().Topo[x], m().Strat(1, x)), std::pair(x / 3.0f, x / 3.0f)) << x;
    EXPECT_EQ(std::tuple(ui().DemFileName, ui().StrFileName, ui().statusBar1[3], m().RecCount, ui().RecFileName),
              std::tuple(path("hill.dem"), path("hill.str"), "hill", 0, ""));
    EXPECT_TRUE(ui().mnuParTec.enabled && ui().mnuFileSaveAsDem.enabled && ui().toolbar["tectonic"].enabled);
  }
  EXPECT_EQ(host.dialogs[0].proposedName, path("kept.dem"));
}

// A cone up to the height bound, or a section down to it, at each scale: a phase of each style
// runs to its end without an arithmetic fault.
TEST_F(FileCommandsTest, APhaseOfEachStyleRunsOnASectionAtTheHeightBound) {
  using enum Style;
  const std::pair<Style, int> phases[] = {{Pfs, 0},      {Stromb, 0},   {Lava, 0},     {Dome, 0},     {Plinian, 0},
                                          {Collapse, 0}, {Fumarole, 0}, {Tectonic, 1}, {Tectonic, 2}};  // 1 fault, 2 erosion
  for (const float scale : {4.0f, 20.0f, 100.0f})
    for (const float bound : {kMaxStoredHeight, -kMaxStoredHeight}) {
      Model f;
      f.LayerCount = 2, f.VentX = f.LayerVentX[1] = f.LayerVentX[2] = 640, f.Scale = scale;
      for (int x = 1; x <= 1280; ++x) {
        f.Strat(1, x) = bound > 0 ? bound - 150 : bound;
        f.Strat(2, x) = f.Strat(1, x) + 50 + std::max(0.0f, 100.0f - std::abs(x - 640.0f) / 2);
      }
      writeStratFile(f, path("edge.str"), false);
      for (const auto& [style, tectonic] : phases) {
        SCOPED_TRACE(::testing::Message() << scale << " " << bound << " " << int(style) << " " << tectonic);
        ui().StrFileName = path("edge.str");
        ASSERT_EQ(fileReadStrat(sim), LoadResult::Complete);
        layOutStyle(sim, style);
        ui().opFault.checked = tectonic == 1, ui().opErode.checked = tectonic == 2;
        ui().txtMag.text = "10", ui().txtStr.text = "0.90", ui().txtPart.text = "2";
        tectonic ? changeTecOk(sim) : changeOk(sim);
        host.messages.clear(), m().BurstCount = m().ErodeCycles = 0;
        host.onYield = [this] {
          if ((m().BurstCount >= 1 || m().ErodeCycles >= 1) && m().RunStop != RunState::Stopping) cmdHaltClick(sim);
        };
        cmdEruptClick(sim);
        host.onYield = nullptr;
        EXPECT_EQ(std::pair(host.messages, m().LayerCount), std::pair(std::vector<std::string>{}, tectonic == 1 ? 2 : 3));
      }
    }
}

// Work not in a file is offered for saving before it is thrown away; a cancelled save keeps it.
TEST_F(FileCommandsTest, ChangesAreOfferedForSavingAndACancelledSaveKeepsThem) {
  EXPECT_TRUE(confirmDiscard(sim) && host.questions.empty());  // nothing changed since the reset
  beginPhase(sim);
  record(sim, Style::Stromb);
  host.yesNoCancelAnswers = {Answer::Cancel, Answer::Yes, Answer::Yes, Answer::No};
  host.fileAnswers = {std::nullopt, path("mine.str")};  // the first Save As is cancelled
  EXPECT_FALSE(confirmDiscard(sim));
  EXPECT_FALSE(confirmDiscard(sim));
  EXPECT_TRUE(ui().SectionChanged);
  EXPECT_TRUE(confirmDiscard(sim));
  const std::string section = "Save changes to the new section?";
  EXPECT_EQ(host.questions, (std::vector<std::string>{section, section, section, "Save changes to the new record?"}));
  EXPECT_TRUE(fs::exists(path("mine.str")) && !ui().SectionChanged && ui().RecordChanged);
  ui().RecordChanged = false;
  beginPhase(sim);
  host.yesNoCancelAnswers = {Answer::No};
  EXPECT_TRUE(confirmDiscard(sim));
  EXPECT_EQ(host.questions.back(), "Save changes to mine.str?");
}

}  // namespace
}  // namespace magmo::test
