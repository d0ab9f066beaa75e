#include "control/OptionCommands.h"

#include <algorithm>

#include "model/Numeric.h"
#include "model/Sim.h"
#include "views/Profile.h"

namespace magmo {

namespace {

struct SpeedChoice {
  SpeedItem item;
  MenuItem Controls::*menu;
  float factor;
  const char* status;
};
constexpr SpeedChoice kSpeeds[] = {{SpeedItem::Slow, &Controls::mnuOptSpeedSlow, 0.2f, "Slow Speed"},
                                   {SpeedItem::Normal, &Controls::mnuOptSpeedNorm, 1.0f, "Normal Speed"},
                                   {SpeedItem::Fast, &Controls::mnuOptSpeedFast, 5.0f, "Fast Speed"}};

// The calibration drawing and how long it took on the reference computer (this program's own
// canvas on a 2-core build machine of 2026).
constexpr int kCalibrationPoints = 50000;
constexpr double kReferenceSeconds = 0.05;

}  // namespace

void selectSpeed(Sim& sim, SpeedItem item) {
  const SpeedChoice& chosen = *std::find_if(std::begin(kSpeeds), std::end(kSpeeds),
                                            [item](const SpeedChoice& c) { return c.item == item; });
  if ((sim.ui.*chosen.menu).checked) return;
  sim.m.SpeedFactor = chosen.factor;
  sim.ui.Slider[6].value = intPart(val(sim.settings.read(kSettingsSection, "SpeedFactor", "6")));
  for (const SpeedChoice& c : kSpeeds) (sim.ui.*c.menu).checked = c.item == item;
  showSpeedStatus(sim);
}

void showSpeedStatus(Sim& sim) {
  for (const SpeedChoice& c : kSpeeds)
    if ((sim.ui.*c.menu).checked) sim.ui.statusBar1[4] = c.status;
}

void cpuSpeedTest(Sim& sim) {
  Canvas& plot = sim.plot();
  const double start = sim.host.secondsSinceMidnight();
  for (int i = 0; i < kCalibrationPoints; ++i)
    plot.point(static_cast<float>(200 + 1080 * sim.rnd01()), static_cast<float>(200 * sim.rnd01()), Rgb{});
  double elapsed = sim.host.secondsSinceMidnight() - start;
  if (elapsed < 0) elapsed += 86400;  // across midnight
  sim.m.CpuFactor = static_cast<float>(std::max(0.01, kReferenceSeconds / std::max(elapsed, 1e-6)));
}

void mnuOptSpeedCalClick(Sim& sim) {
  cpuSpeedTest(sim);
  screenRefresh(sim);
  sim.host.message("CPU Speed = " + format(100.0 * sim.m.CpuFactor, "0") + "% of reference computer.",
                   MsgIcon::Information, "Magmo");
}

void mnuOptSoundClick(Sim& sim) {
  MenuItem& sound = sim.ui.mnuOptSound;
  sound.checked = !sound.checked;
  if (!sound.checked) sim.host.soundStop();
}

void mnuOptAdSaverClick(Sim& sim) {
  MenuItem& saver = sim.ui.mnuOptAdSaver;
  saver.checked = !saver.checked;
  sim.host.inhibitScreenSaver(saver.checked);
}

void mnuOptAdSaveClick(Sim& sim) {
  MenuItem& save = sim.ui.mnuOptAdSave;
  save.checked = !save.checked;
  sim.settings.save(kSettingsSection, "SaveSet", save.checked ? "1" : "0");
}

}  // namespace magmo
