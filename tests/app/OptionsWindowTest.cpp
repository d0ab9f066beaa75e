// The Options window driven through its widgets: it shows the menus' check marks, and OK or
// Apply run the menu item of each changed control once, in the menus' order, then show the truth.
#include <gtest/gtest.h>
#include <QtWidgets>
#include <map>

#include "app/OptionsWindow.h"
#include "control/Reset.h"
#include "model/Sim.h"
#include "support/TestHost.h"

namespace magmo::test {
namespace {

class OptionsHost : public TestHost {
 public:
  void eruptHelp(int topic) override { helpTopics.push_back(topic); }
  void setSoundVolume(int percent) override { volumes.push_back(percent); }
  std::vector<int> helpTopics, volumes;
};

// Each control, its menu item, and the item's group (0: a check item, which toggles).
struct Item { const char* object; std::string name; MenuItem Controls::*member; int group; };
#define ITEM(object, name, group) {object, #name, &Controls::name, group}
const Item kItems[] = {
    ITEM("chkStat", mnuParStatic, 0), ITEM("chkSound", mnuOptSound, 0), ITEM("chkTB", mnuOptTB, 0),
    ITEM("chkHelp", mnuOptHtips, 0), ITEM("chkLoad", mnuOptTopoLoad, 0), ITEM("chkOpts", mnuOptOptions, 0),
    ITEM("chkVert", mnuViewVert, 0), ITEM("chkPart", mnuOptPart, 0), ITEM("chkMapEn", mnuOptMapEnable, 0),
    ITEM("chkMap3d", mnuOptMap3dPosEnable, 0), ITEM("chkScreen", mnuOptAdSaver, 0), ITEM("chkSave", mnuOptAdSave, 0),
    ITEM("chkPassive", mnuOptAdPassive, 0), ITEM("chkUpdateNote", mnuOptAdUpdate, 0),
    ITEM("optScaleSmall", mnuOptScaleSmall, 1), ITEM("optScaleNorm", mnuOptScaleNorm, 1),
    ITEM("optScaleLarge", mnuOptScaleLarge, 1), ITEM("optG", mnuOptG, 2), ITEM("optGMoon", mnuOptGMoon, 2),
    ITEM("optGMars", mnuOptGMars, 2), ITEM("optGVenus", mnuOptGVenus, 2), ITEM("optGEarth", mnuOptGEarth, 2),
    ITEM("optG2", mnuOptG2, 2), ITEM("optG4", mnuOptG4, 2), ITEM("optG8", mnuOptG8, 2),
    ITEM("optSpeedFast", mnuOptSpeedFast, 3), ITEM("optSpeedNorm", mnuOptSpeedNorm, 3),
    ITEM("optSpeedSlow", mnuOptSpeedSlow, 3), ITEM("optMapLow", mnuOptMapLow, 4),
    ITEM("optMapNorm", mnuOptMapNorm, 4), ITEM("optMapHigh", mnuOptMapHigh, 4)};
#undef ITEM

class OptionsWindowTest : public ::testing::Test {
 protected:
  OptionsWindowTest() { clearVar(sim); }
  // The menu as the fake has it: a check item toggles, a group item becomes its group's only one.
  void choose(const char* name) {
    chosen.emplace_back(name);
    if (name == refused) return;
    for (const Item& it : kItems)
      if (it.name == name)
        for (const Item& other : kItems)
          if (it.group == 0 ? &other == &it : other.group == it.group)
            item(other).checked = it.group == 0 ? !item(it).checked : &other == &it;
  }
  MenuItem& item(const Item& it) { return sim.ui.*it.member; }
  template <typename T = QAbstractButton>
  T* find(const char* name) {
    T* w = window.findChild<T*>(name);
    if (!w) ADD_FAILURE() << "no " << name;
    return w;
  }
  void click(std::initializer_list<const char*> names) {
    for (const char* n : names) find(n)->click();
  }
  void open(const QString& name = {}) {
    window.openAt(name);
    chosen.clear();
  }
  void expectControlsShowTheModel() {
    for (const Item& it : kItems) EXPECT_EQ(find(it.object)->isChecked(), item(it).checked) << it.object;
  }

  OptionsHost host;
  MemorySettings settings;
  Sim sim{host, settings};
  OptionsWindow window{sim, [this](const char* name) { choose(name); }, [this] { ++dataPathRuns; },
                       [this](int percent) { soundTests.push_back(percent); }};
  std::vector<std::string> chosen;
  std::string refused;
  std::vector<int> soundTests;
  int dataPathRuns = 0;
};

TEST_F(OptionsWindowTest, OpeningShowsEveryOptionAsTheModelHasIt) {
  // Every check item both ways, every group item selected once, and each group with none selected.
  for (int pass = 0; pass < 9; ++pass) {
    SCOPED_TRACE(pass);
    std::map<int, int> seen;
    for (const Item& it : kItems) item(it).checked = it.group == 0 ? (seen[0]++ + pass) % 2 : seen[it.group]++ == pass;
    sim.ui.mnuOptSound.enabled = pass % 2;
    sim.ui.SoundVolume = pass * 100 / 8;  // both ends of each slider's range too
    sim.ui.Slider[6].value = 1 + pass * 10 / 8;
    open();
    expectControlsShowTheModel();
    for (const char* name : {"chkSound", "sldrVol", "cmdTest"})
      EXPECT_EQ(find<QWidget>(name)->isEnabled(), sim.ui.mnuOptSound.enabled) << name;
    EXPECT_TRUE(find("chkTB")->isEnabled());
    EXPECT_EQ(std::pair(find<QSlider>("sldrVol")->value(), find<QSlider>("sldrSpeed")->value()),
              std::pair(sim.ui.SoundVolume, sim.ui.Slider[6].value));
    const bool tips = sim.ui.mnuOptHtips.checked;
    EXPECT_EQ(find("chkStat")->toolTip(), tips ? "Check to set  eruption mode (no deposition)" : "");
    EXPECT_EQ(find<QTabWidget>("tabOptions")->tabToolTip(2), tips ? "Mapping options tab (right click for help)" : "");
  }
}

TEST_F(OptionsWindowTest, ApplyRunsEachChangedUsableItemOnceInTheMenusOrderThenShowsTheModel) {
  const std::tuple<const char*, std::vector<const char*>, std::vector<std::string>> cases[] = {
      {"",
       {"chkSave", "chkMapEn", "optMapHigh", "optGMoon", "chkVert", "chkTB", "chkTB", "optScaleSmall", "optScaleNorm",
        "optSpeedSlow", "chkStat"},
       {"mnuParStatic", "mnuViewVert", "mnuOptGMoon", "mnuOptSpeedSlow", "mnuOptMapEnable", "mnuOptMapHigh",
        "mnuOptAdSave"}},
      {"", {}, {}},                                                   // nothing differs any more
      {"mnuOptScaleLarge", {"optScaleLarge"}, {"mnuOptScaleLarge"}},  // declined: Normal shows again
      {"", {"optMapLow", "chkMapEn"}, {"mnuOptMapEnable"}},           // maps off: the precision is left
      {"", {"optMapHigh", "chkMap3d"}, {}},                           // disabled, so clicks do nothing
      {"mnuOptMapEnable", {"chkMapEn", "chkMap3d", "optMapLow"}, {"mnuOptMapEnable"}},  // maps stayed off
      {"", {"chkMapEn", "optMapLow", "chkMap3d"}, {"mnuOptMapEnable", "mnuOptMap3dPosEnable", "mnuOptMapLow"}}};
  open();
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    const auto& [refuse, clicks, expected] = cases[i];
    refused = refuse;
    chosen.clear();
    for (const char* name : clicks) click({name});
    click({"cmdApply"});
    EXPECT_EQ(chosen, expected);
    expectControlsShowTheModel();
  }
  for (bool on : {false, true}) {  // the map options follow the box at once
    click({"chkMapEn"});
    EXPECT_EQ(find("chkMap3d")->isEnabled(), on);
    EXPECT_EQ(find<QWidget>("fraMapPrec")->isEnabled(), on);
  }
}

TEST_F(OptionsWindowTest, SlidersApplyAsSetCancelChangesNothingAndCommandButtonsActAtOnce) {
  open();
  find<QSlider>("sldrVol")->setValue(35);
  sim.ui.Slider[6].value = 3;  // as a chosen speed item restores its stored slider: an untouched slider keeps it
  click({"cmdApply"});
  EXPECT_EQ(std::tuple(sim.ui.SoundVolume, sim.ui.Slider[6].value, find<QSlider>("sldrSpeed")->value()),
            std::tuple(35, 3, 3));
  find<QSlider>("sldrSpeed")->setValue(10);
  click({"cmdApply"});
  EXPECT_EQ(std::pair(sim.ui.Slider[6].value, host.volumes), std::pair(10, std::vector{35, 35}));
  EXPECT_TRUE(window.isVisible() && window.isModal());

  click({"chkVert", "optGMars", "chkSave", "optSpeedFast", "chkMapEn"});
  find<QSlider>("sldrVol")->setValue(20);
  find<QSlider>("sldrSpeed")->setValue(5);
  click({"cmdTest", "cmdCal", "cmdData", "cmdCancel"});
  EXPECT_EQ(std::tuple(soundTests, dataPathRuns, chosen),
            std::tuple(std::vector{20}, 1, std::vector<std::string>{"mnuOptSpeedCal"}));
  EXPECT_EQ(std::tuple(sim.ui.SoundVolume, sim.ui.Slider[6].value, host.volumes.size()), std::tuple(35, 10, 2u));
  EXPECT_FALSE(window.isVisible());
  open();
  click({"chkVert", "cmdOK"});
  EXPECT_EQ(chosen, std::vector<std::string>{"mnuViewVert"});
  EXPECT_FALSE(window.isVisible());
}

TEST_F(OptionsWindowTest, OpenShowsTheTabOfTheItemAndHelpFollowsTheTab) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "General"}, {"mnuOptMapHigh", "Mapping"}, {"", "Mapping"}, {"mnuOptSpeedCal", "Scale, Gravity, and Speed"},
      {"mnuOptAdSaver", "Advanced"}, {"mnuViewVert", "General"}};
  auto* tabs = find<QTabWidget>("tabOptions");
  for (auto [name, tab] : cases) {
    open(name);
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()).toStdString(), tab) << name;
  }
  for (int t = 0; t < 4; ++t) {  // the help file's topic of a tab, by Help or by a right click on the tab
    tabs->setCurrentIndex(t);
    click({"cmdHelp"});
    tabs->setCurrentIndex((t + 1) % 4);
    const QPoint at = tabs->tabBar()->tabRect(t).center();
    QContextMenuEvent e(QContextMenuEvent::Mouse, at, tabs->tabBar()->mapToGlobal(at));
    QApplication::sendEvent(tabs->tabBar(), &e);
  }
  EXPECT_EQ(host.helpTopics, (std::vector{70, 70, 71, 71, 72, 72, 73, 73}));
}

}  // namespace
}  // namespace magmo::test
