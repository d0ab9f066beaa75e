// The Options window driven through its widgets: it shows the menus' check marks, and OK or
// Apply run the menu item of each changed control once, in the menus' order, then show the truth.
#include <gtest/gtest.h>
#include <QtWidgets>
#include <map>
#include <set>

#include "app/OptionsWindow.h"
#include "app/UserSettings.h"
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
struct Item {
  const char* object;
  std::string name;
  MenuItem Controls::*member;
  int group;
};
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
  QSlider* slider(const char* name) { return find<QSlider>(name); }
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
  for (int pass = 0; pass < 8; ++pass) {  // every check item both ways, every group item selected once
    SCOPED_TRACE(pass);
    std::map<int, int> size, seen;
    for (const Item& it : kItems) ++size[it.group];
    for (const Item& it : kItems)
      item(it).checked = it.group == 0 ? (seen[0]++ + pass) % 2 == 0 : seen[it.group]++ == pass % size[it.group];
    open();
    expectControlsShowTheModel();
    const bool tips = sim.ui.mnuOptHtips.checked;
    EXPECT_EQ(find("chkStat")->toolTip(), tips ? "Check to set  eruption mode (no deposition)" : "");
    EXPECT_EQ(find<QTabWidget>("tabOptions")->tabToolTip(2), tips ? "Mapping options tab (right click for help)" : "");
  }
  settings.save(kSettingsSection, "Speed", "2.5");  // a stored speed that is none of the three
  loadSettings(sim, {}, /*soundDevice=*/false);
  sim.ui.SoundVolume = 35;
  sim.ui.Slider[6].value = 9;
  open();
  for (const char* speed : {"optSpeedFast", "optSpeedNorm", "optSpeedSlow"}) EXPECT_FALSE(find(speed)->isChecked());
  EXPECT_EQ(std::pair(slider("sldrVol")->value(), slider("sldrSpeed")->value()), std::pair(35, 9));
  for (const char* name : {"chkSound", "sldrVol", "cmdTest"}) EXPECT_FALSE(find<QWidget>(name)->isEnabled()) << name;
  EXPECT_TRUE(find("chkTB")->isEnabled());
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
  click({"chkMapEn"});  // the map options follow the box at once
  EXPECT_FALSE(find("chkMap3d")->isEnabled() || find<QWidget>("fraMapPrec")->isEnabled());
  click({"chkMapEn"});
  EXPECT_TRUE(find("chkMap3d")->isEnabled() && find<QWidget>("fraMapPrec")->isEnabled());

  slider("sldrVol")->setValue(35);
  host.volumes.clear();
  sim.ui.Slider[6].value = 3;  // as a chosen speed item restores its stored slider: an untouched slider keeps it
  click({"cmdApply"});
  EXPECT_EQ(std::pair(sim.ui.SoundVolume, sim.ui.Slider[6].value), std::pair(35, 3));
  EXPECT_EQ(host.volumes, std::vector<int>{35});
  EXPECT_EQ(slider("sldrSpeed")->value(), 3);
  slider("sldrSpeed")->setValue(10);
  click({"cmdApply"});
  EXPECT_EQ(sim.ui.Slider[6].value, 10);
  EXPECT_TRUE(window.isVisible());
}

TEST_F(OptionsWindowTest, CancelChangesNothingOkAppliesAndCommandButtonsActAtOnce) {
  open();
  const int volume = sim.ui.SoundVolume, speed = sim.ui.Slider[6].value;
  click({"chkVert", "optGMars", "chkSave", "optSpeedFast", "chkMapEn"});
  slider("sldrVol")->setValue(volume / 2);
  slider("sldrSpeed")->setValue(speed + 2);
  click({"cmdTest", "cmdCal", "cmdData"});
  EXPECT_EQ(std::pair(soundTests, dataPathRuns), std::pair(std::vector<int>{volume / 2}, 1));
  EXPECT_EQ(chosen, std::vector<std::string>{"mnuOptSpeedCal"});  // the command alone, nothing applied
  chosen.clear();
  click({"cmdCancel"});
  EXPECT_TRUE(chosen.empty() && host.volumes.empty());  // the fake menu is the only way to change the marks
  EXPECT_EQ(std::pair(sim.ui.SoundVolume, sim.ui.Slider[6].value), std::pair(volume, speed));
  EXPECT_FALSE(window.isVisible());
  open();
  click({"chkVert", "cmdOK"});
  EXPECT_EQ(chosen, std::vector<std::string>{"mnuViewVert"});
  EXPECT_FALSE(window.isVisible());
}

TEST_F(OptionsWindowTest, OpenShowsTheTabOfTheItemAndHelpFollowsTheTab) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "General"}, {"mnuOptMapHigh", "Mapping"}, {"", "Mapping"}, {"mnuOptSpeedCal", "Scale, Gravity, and Speed"},
      {"mnuOptAdSaver", "Advanced"}, {"mnuViewVert", "General"}, {"mnuOptG8", "Scale, Gravity, and Speed"}};
  auto* tabs = find<QTabWidget>("tabOptions");
  for (auto [name, tab] : cases) {
    open(name);
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()).toStdString(), tab) << name;
  }
  std::set<int> topics;  // each tab its own, by Help or by a right click on the tab
  for (int t = 0; t < 4; ++t) {
    tabs->setCurrentIndex(t);
    click({"cmdHelp"});
    tabs->setCurrentIndex((t + 1) % 4);
    const QPoint at = tabs->tabBar()->tabRect(t).center();
    QContextMenuEvent e(QContextMenuEvent::Mouse, at, tabs->tabBar()->mapToGlobal(at));
    QApplication::sendEvent(tabs->tabBar(), &e);
    ASSERT_EQ(host.helpTopics.size(), 2u * (t + 1));
    EXPECT_EQ(host.helpTopics[2 * t], host.helpTopics[2 * t + 1]) << t;
    topics.insert(host.helpTopics[2 * t]);
  }
  EXPECT_EQ(topics.size(), 4u);
}

}  // namespace
}  // namespace magmo::test
