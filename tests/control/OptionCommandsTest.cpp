// The Options menu's own commands: the speed items, the processor calibration and the items
// that reach the platform or the settings store at once.
#include "control/OptionCommands.h"

#include "support/SimFixture.h"

namespace magmo {
namespace {
class OptionCommandsTest : public test::SimTest {};

TEST_F(OptionCommandsTest, ASpeedItemSetsTheFactorAndTheStoredSliderUnlessAlreadyChosen) {
  struct Case { SpeedItem item; const char* storedSlider; float factor; int slider; const char* status; };
  const Case cases[] = {{SpeedItem::Fast, "9", 5.0f, 9, "Fast Speed"},
                        {SpeedItem::Slow, "40", 0.2f, 11, "Slow Speed"},  // beyond the slider: its end
                        {SpeedItem::Normal, "0", 1.0f, 1, "Normal Speed"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    settings.save(kSettingsSection, "SpeedFactor", c.storedSlider);
    selectSpeed(sim, c.item);
    EXPECT_EQ(std::tuple(m().SpeedFactor, ui().Slider[6].value, ui().statusBar1[4]),
              std::tuple(c.factor, c.slider, std::string(c.status)));
    EXPECT_EQ(std::tuple(ui().mnuOptSpeedSlow.checked, ui().mnuOptSpeedNorm.checked, ui().mnuOptSpeedFast.checked),
              std::tuple(c.item == SpeedItem::Slow, c.item == SpeedItem::Normal, c.item == SpeedItem::Fast));
  }
  ui().Slider[6].value = 4;
  m().SpeedFactor = 2.5f;
  selectSpeed(sim, SpeedItem::Normal);  // the checked item: nothing changes
  EXPECT_EQ(std::pair(m().SpeedFactor, ui().Slider[6].value), std::pair(2.5f, 4));
}

TEST_F(OptionCommandsTest, CalibrationRatesTheComputerAgainstTheReferenceWithAFloor) {
  host.clockStep = 0.003;  // each round of drawing took 3 ms: twice as fast as the reference
  cpuSpeedTest(sim);
  EXPECT_FLOAT_EQ(m().CpuFactor, 2.0f);
  float left = 1280, right = 0, top = 200, bottom = 0;  // black points over the top of the profile
  for (const test::DrawCall& c : host.canvas.calls) {
    ASSERT_TRUE(c.kind == test::DrawCall::Point && c.color == Rgb{});
    left = std::min(left, c.x1), right = std::max(right, c.x1), top = std::min(top, c.y1), bottom = std::max(bottom, c.y1);
  }
  EXPECT_TRUE(left >= 200 && left < 201 && right > 1279 && right <= 1280 && top >= 0 && top < 1 && bottom <= 200)
      << left << " " << right << " " << top << " " << bottom;
  host.canvas.recording = false;
  mnuOptSpeedCalClick(sim);
  EXPECT_EQ(host.messages, std::vector<std::string>{"CPU Speed = 200% of reference computer."});
  host.clockStep = 100;  // a machine far too slow still animates
  cpuSpeedTest(sim);
  EXPECT_FLOAT_EQ(m().CpuFactor, 0.01f);
}

TEST_F(OptionCommandsTest, SoundScreenSaverAndSaveSettingsActAtOnce) {
  ui().mnuOptSound.checked = true;
  mnuOptSoundClick(sim);
  EXPECT_EQ(host.sounds, std::vector<std::string>{"(stop)"});  // a looping eruption falls silent
  mnuOptSoundClick(sim);
  EXPECT_TRUE(ui().mnuOptSound.checked);
  mnuOptAdSaverClick(sim);
  EXPECT_TRUE(ui().mnuOptAdSaver.checked && host.screenSaverInhibited);
  mnuOptAdSaverClick(sim);
  EXPECT_FALSE(ui().mnuOptAdSaver.checked || host.screenSaverInhibited);
  for (const char* expected : {"0", "1"}) {
    mnuOptAdSaveClick(sim);
    EXPECT_EQ(settings.read(kSettingsSection, "SaveSet", ""), expected);
  }
}

}  // namespace
}  // namespace magmo
