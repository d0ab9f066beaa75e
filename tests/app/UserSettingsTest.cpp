// Settings between runs: what a first start, odd stored values and the switches give, that a
// save reads back the same, and the user's data folder: chosen, created, remembered and filled
// with the factory files.
#include "app/UserSettings.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/AppPaths.h"
#include "support/FileTestSupport.h"
#include "support/SimFixture.h"

namespace magmo {
namespace {
class UserSettingsTest : public test::SimTest {
 protected:
  void store(const char* key, const char* value) { settings.save(kSettingsSection, key, value); }
};

TEST_F(UserSettingsTest, FirstStartGivesTheDefaultsAndASaveReadsBack) {
  loadSettings(sim, {}, /*soundDevice=*/true);
  EXPECT_TRUE(ui().mnuOptSound.checked && ui().mnuOptHtips.checked && ui().mnuOptPart.checked);
  EXPECT_TRUE(ui().mnuOptAdSave.checked && ui().mnuOptMapNorm.checked && ui().mnuOptSpeedNorm.checked);
  EXPECT_FALSE(ui().mnuOptTopoLoad.checked || ui().mnuOptMapEnable.checked || ui().mnuViewVert.checked);
  EXPECT_EQ(ui().statusBar1[4] + "/" + ui().statusBar1[7], "Normal Speed/Map Off");
  EXPECT_TRUE(ui().mnuOptTB.checked && !ui().mnuOptOptions.checked && !ui().mnuOptAdSaver.checked);
  EXPECT_TRUE(ui().mnuOptScaleNorm.checked && ui().mnuOptGEarth.checked);
  EXPECT_EQ(std::tuple(m().SpeedFactor, m().Scale, m().Gravity), std::tuple(1.0f, 20.0f, 9.8f));
  ui().mnuOptScaleNorm.checked = ui().mnuOptGEarth.checked = ui().mnuOptMapNorm.checked = ui().mnuOptHtips.checked = false;
  ui().mnuOptScaleSmall.checked = ui().mnuOptGMoon.checked = ui().mnuOptMapLow.checked = ui().mnuViewVert.checked = true;
  ui().mnuOptTB.checked = false;
  ui().mnuOptOptions.checked = ui().mnuOptAdSaver.checked = ui().mnuOptAdUpdate.checked = ui().mnuOptAdPassive.checked =
      ui().mnuOptMapEnable.checked = true;
  ui().SoundVolume = 35;
  saveSettings(sim);  // for the next start
  EXPECT_EQ(settings.read(kSettingsSection, "Scale", "") + settings.read(kSettingsSection, "Gravity", ""), "SmallMoon");
  test::TestHost otherHost;
  Sim reread(otherHost, settings);
  loadSettings(reread, {}, true);
  EXPECT_EQ(std::tuple(reread.m.SpeedFactor, reread.m.Scale, reread.m.Gravity), std::tuple(1.0f, 4.0f, 1.6f));
  EXPECT_TRUE(reread.ui.mnuOptScaleSmall.checked && reread.ui.mnuOptGMoon.checked && reread.ui.mnuOptMapLow.checked);
  EXPECT_TRUE(reread.ui.mnuViewVert.checked && !reread.ui.mnuOptHtips.checked && !reread.ui.mnuOptTB.checked);
  EXPECT_TRUE(reread.ui.mnuOptOptions.checked && reread.ui.mnuOptAdUpdate.checked && reread.ui.mnuOptAdPassive.checked);
  EXPECT_TRUE(reread.ui.mnuOptAdSaver.checked && otherHost.screenSaverInhibited);  // as if chosen
  EXPECT_EQ(std::pair(reread.ui.SoundVolume, reread.ui.statusBar1[7]), std::pair(35, std::string("Map On (Low)")));
  loadSettings(sim, {}, /*soundDevice=*/false);  // sound is off and cannot be switched on...
  EXPECT_FALSE(ui().mnuOptSound.checked || ui().mnuOptSound.enabled);
  saveSettings(sim);
  EXPECT_EQ(settings.read(kSettingsSection, "Sound", ""), "1");  // ...but the user's choice is kept
}

TEST_F(UserSettingsTest, OddStoredValuesTakeTheOtherBranch) {
  for (auto [key, value] : {std::pair{"Speed", "2.5"}, {"Gravity", "5.5"}, {"SaveSet", "yes"}, {"Scale", "High"},
                            {"MapResolution", "3"}, {"Volume", "250"}})
    store(key, value);
  loadSettings(sim, {}, true);
  EXPECT_EQ(std::tuple(m().SpeedFactor, m().Gravity, m().Scale), std::tuple(2.5f, 5.5f, 100.0f));
  EXPECT_FALSE(ui().mnuOptSpeedFast.checked || ui().mnuOptSpeedNorm.checked || ui().mnuOptSpeedSlow.checked);
  EXPECT_TRUE(ui().mnuOptG.checked && !ui().mnuOptGEarth.checked && !ui().mnuOptAdSave.checked);
  EXPECT_TRUE(ui().mnuOptScaleLarge.checked && ui().mnuOptMapHigh.checked && !ui().mnuOptMapNorm.checked);
  EXPECT_EQ(ui().SoundVolume, 100);  // a stored volume past the slider's end
  EXPECT_EQ(ui().statusBar1[5], "0.56 Earth Gravity");  // 5.5 / 9.8
  saveSettings(sim);
  EXPECT_EQ(settings.read(kSettingsSection, "Gravity", ""), "5.5");
}

TEST_F(UserSettingsTest, SwitchesAreCharactersTwoToFive) {
  const Switches all = parseSwitches("/alf");
  EXPECT_TRUE(all.autoErupt && all.loadTopo && all.fast);
  const Switches shifted = parseSwitches("alf");  // the first character is not looked at
  EXPECT_TRUE(!shifted.autoErupt && shifted.loadTopo && shifted.fast);
  const Switches none = parseSwitches("/xxxxalf");  // positions 6 on are beyond the switches
  EXPECT_FALSE(none.autoErupt || none.loadTopo || none.fast);
  store("Speed", "0.2");
  loadSettings(sim, parseSwitches("-lf"), true);
  EXPECT_TRUE(ui().mnuOptTopoLoad.checked && ui().mnuOptSpeedFast.checked && !ui().mnuOptSpeedSlow.checked);
  EXPECT_EQ(std::pair(m().SpeedFactor, ui().statusBar1[4]), std::pair(5.0f, std::string("Fast Speed")));
}

class DataFolderTest : public ::testing::Test {
 protected:
  DataFolderTest() {
    QDir().mkpath(root.filePath("res/Files"));
    for (auto [name, text] : {std::pair{"Magmo3.str", "factory"}, {"MagmoDemo.rec", "demo"}, {"ReadMe.TXT", "notes"}})
      test::spit(root.filePath("res/Files/").toStdString() + name, text);
  }
  std::string prepare() { return prepareDataFolder(settings, resources, documents); }
  QTemporaryDir root;
  MemorySettings settings;
  std::string resources = root.filePath("res").toStdString() + "/";
  QString documents = root.filePath("Documents");
};

TEST_F(DataFolderTest, FirstStartMakesTheFolderAndFactoryFilesReplaceOnlyTheirOwnCopies) {
  const std::string data = prepare();
  EXPECT_EQ(data, documents.toStdString() + "/Plovk/Magmo3/");
  EXPECT_EQ(settings.read(kSettingsSection, "DataPath", ""), data);
  EXPECT_EQ(test::slurp(data + "MagmoDemo.rec"), "demo");
  EXPECT_FALSE(QFile::exists(QString::fromStdString(data + "ReadMe.TXT")));
  test::spit(data + "Magmo3.str", "changed by the user");
  test::spit(data + "Mine.str", "the user's own");
  EXPECT_EQ(prepare(), data);  // the next start
  EXPECT_EQ(test::slurp(data + "Magmo3.str"), "factory");
  EXPECT_EQ(test::slurp(data + "Mine.str"), "the user's own");
}

TEST_F(DataFolderTest, AStoredFolderIsKeptADeletedOneReplacedAndWithoutDocumentsTheFactoryOneUsed) {
  QDir().mkpath(root.filePath("elsewhere"));
  settings.save(kSettingsSection, "DataPath", root.filePath("elsewhere").toStdString());
  EXPECT_EQ(prepare(), root.filePath("elsewhere").toStdString() + "/");
  EXPECT_TRUE(QFile::exists(root.filePath("elsewhere/Magmo3.str")));
  settings.save(kSettingsSection, "DataPath", root.filePath("deleted").toStdString() + "/");  // gone since
  EXPECT_EQ(prepare(), documents.toStdString() + "/Plovk/Magmo3/");
  EXPECT_TRUE(QDir(documents + "/Plovk/Magmo3").exists());
  settings.save(kSettingsSection, "DataPath", "");
  documents.clear();  // a system without a documents folder
  EXPECT_EQ(prepare(), resources + "Files/");
  EXPECT_TRUE(QFile::exists(root.filePath("res/Files/ReadMe.TXT")));  // the factory folder as it is
}
}  // namespace
}  // namespace magmo
