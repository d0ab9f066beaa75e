// Settings between runs: what a first start, odd stored values and the switches give, and
// that a save reads back the same.
#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "app/QtSettings.h"
#include "app/UserSettings.h"
#include "support/SimFixture.h"

namespace magmo {
namespace {

using test::SimTest;

class UserSettingsTest : public SimTest {
 protected:
  void store(const char* key, const char* value) { settings.save(kSettingsSection, key, value); }
};

TEST_F(UserSettingsTest, FirstStartGivesTheDefaults) {
  loadSettings(sim, {}, /*soundDevice=*/true);
  EXPECT_TRUE(ui().mnuOptSound.checked);
  EXPECT_TRUE(ui().mnuOptHtips.checked);
  EXPECT_TRUE(ui().mnuOptPart.checked);
  EXPECT_FALSE(ui().mnuOptTopoLoad.checked);
  EXPECT_TRUE(ui().mnuOptAdSave.checked);
  EXPECT_FALSE(ui().mnuOptMapEnable.checked);
  EXPECT_TRUE(ui().mnuOptMapNorm.checked);
  EXPECT_FALSE(ui().mnuOptMapLow.checked || ui().mnuOptMapHigh.checked);
  EXPECT_EQ(m().SpeedFactor, 1.0f);
  EXPECT_TRUE(ui().mnuOptSpeedNorm.checked);
  EXPECT_EQ(ui().statusBar1[4], "Normal Speed");
  EXPECT_TRUE(ui().mnuOptScaleNorm.checked);
  EXPECT_EQ(m().Scale, 20.0f);
  EXPECT_TRUE(ui().mnuOptGEarth.checked);
  EXPECT_FLOAT_EQ(m().Gravity, 9.8f);
  EXPECT_EQ(ui().statusBar1[5], "Earth Gravity");
  EXPECT_FALSE(ui().mnuViewVert.checked);
}

TEST_F(UserSettingsTest, WithoutSoundDeviceSoundIsOffAndDisabled) {
  store("Sound", "1");
  loadSettings(sim, {}, /*soundDevice=*/false);
  EXPECT_FALSE(ui().mnuOptSound.checked);
  EXPECT_FALSE(ui().mnuOptSound.enabled);
}

TEST_F(UserSettingsTest, OddStoredValuesTakeTheOtherBranch) {
  store("Speed", "2.5");
  store("Gravity", "5.5");
  store("SaveSet", "yes");
  store("Scale", "High");
  store("MapResolution", "3");
  loadSettings(sim, {}, true);
  EXPECT_EQ(m().SpeedFactor, 2.5f);
  EXPECT_FALSE(ui().mnuOptSpeedFast.checked || ui().mnuOptSpeedNorm.checked || ui().mnuOptSpeedSlow.checked);
  EXPECT_TRUE(ui().mnuOptG.checked);
  EXPECT_FALSE(ui().mnuOptGEarth.checked);
  EXPECT_FLOAT_EQ(m().Gravity, 5.5f);
  EXPECT_EQ(ui().statusBar1[5], "0.56 Earth Gravity");  // 5.5 / 9.8
  EXPECT_FALSE(ui().mnuOptAdSave.checked);
  EXPECT_TRUE(ui().mnuOptScaleLarge.checked);
  EXPECT_EQ(m().Scale, 100.0f);
  EXPECT_TRUE(ui().mnuOptMapHigh.checked);
}

TEST_F(UserSettingsTest, SwitchesAreCharactersTwoToFive) {
  const Switches all = parseSwitches("/alf");
  EXPECT_TRUE(all.autoErupt && all.loadTopo && all.fast);
  const Switches shifted = parseSwitches("alf");  // the first character is not looked at
  EXPECT_FALSE(shifted.autoErupt);
  EXPECT_TRUE(shifted.loadTopo && shifted.fast);
  EXPECT_FALSE(parseSwitches("/xxxxa").autoErupt);  // position 6 is beyond the switches

  store("Speed", "0.2");
  loadSettings(sim, parseSwitches("-lf"), true);
  EXPECT_TRUE(ui().mnuOptTopoLoad.checked);
  EXPECT_EQ(m().SpeedFactor, 5.0f);
  EXPECT_TRUE(ui().mnuOptSpeedFast.checked);
  EXPECT_FALSE(ui().mnuOptSpeedSlow.checked);
  EXPECT_EQ(ui().statusBar1[4], "Fast Speed");
}

TEST_F(UserSettingsTest, SavedSettingsReadBackAndUseTheSettingsKeys) {
  QTemporaryDir dir;
  const QString ini = dir.filePath("magmo.ini");
  QtSettings stored(ini);
  {
    test::TestHost otherHost;
    Sim saved(otherHost, stored);
    loadSettings(saved, {}, true);
    saved.ui.mnuOptScaleNorm.checked = false;
    saved.ui.mnuOptScaleSmall.checked = true;
    saved.ui.mnuOptGEarth.checked = false;
    saved.ui.mnuOptGMoon.checked = true;
    saved.ui.mnuViewVert.checked = true;
    saved.ui.mnuOptHtips.checked = false;
    saved.ui.mnuOptMapNorm.checked = false;
    saved.ui.mnuOptMapLow.checked = true;
    saveSettings(saved);
  }
  stored.sync();
  EXPECT_EQ(QSettings(ini, QSettings::IniFormat).value("Magmo3/Settings/Scale").toString(), "Small");
  EXPECT_EQ(QSettings(ini, QSettings::IniFormat).value("Magmo3/Settings/Gravity").toString(), "Moon");

  test::TestHost host2;
  Sim reread(host2, stored);
  loadSettings(reread, {}, true);
  EXPECT_TRUE(reread.ui.mnuOptScaleSmall.checked);
  EXPECT_EQ(reread.m.Scale, 4.0f);
  EXPECT_TRUE(reread.ui.mnuOptGMoon.checked);
  EXPECT_FLOAT_EQ(reread.m.Gravity, 1.6f);
  EXPECT_TRUE(reread.ui.mnuViewVert.checked);
  EXPECT_FALSE(reread.ui.mnuOptHtips.checked);
  EXPECT_TRUE(reread.ui.mnuOptMapLow.checked);
  EXPECT_EQ(reread.m.SpeedFactor, 1.0f);
}

TEST_F(UserSettingsTest, SpecifiedGravityIsSavedAsItsValue) {
  store("Gravity", "5.5");
  loadSettings(sim, {}, true);
  saveSettings(sim);
  EXPECT_EQ(settings.read(kSettingsSection, "Gravity", ""), "5.5");
}

}  // namespace
}  // namespace magmo
