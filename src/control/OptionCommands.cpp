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
// canvas on a 2-core build machine of 2026). The fastest of a few rounds, so that a moment's
// load on the machine does not count as slowness.
constexpr int kCalibrationPoints = 300000;
constexpr int kCalibrationRounds = 3;
constexpr double kReferenceSeconds = 0.006;

}  // namespace

void selectSpeed(Sim& sim, SpeedItem item) {
  const SpeedChoice& chosen = *std::find_if(std::begin(kSpeeds), std::end(kSpeeds),
                                            [item](const SpeedChoice& c) { return c.item == item; });
  if ((sim.ui.*chosen.menu).checked) return;
  sim.m.SpeedFactor = chosen.factor;
  SliderControl& rate = sim.ui.Slider[6];
  rate.value = std::clamp(intPart(val(sim.settings.read(kSettingsSection, "SpeedFactor", "6"))), rate.min, rate.max);
  for (const SpeedChoice& c : kSpeeds) (sim.ui.*c.menu).checked = c.item == item;
  showSpeedStatus(sim);
}

void showSpeedStatus(Sim& sim) {
  for (const SpeedChoice& c : kSpeeds)
    if ((sim.ui.*c.menu).checked) sim.ui.statusBar1[4] = c.status;
}

void cpuSpeedTest(Sim& sim) {
  // Unstretched: an exaggerated profile would put these points above the picture, where
  // clipping them costs next to nothing.
  Canvas& plot = sim.host.profile();
  double fastest = 86400;
  for (int round = 0; round < kCalibrationRounds; ++round) {
    const double start = sim.host.monotonicSeconds();
    for (int i = 0; i < kCalibrationPoints; ++i)
      plot.point(static_cast<float>(200 + 1080 * sim.rnd01()), static_cast<float>(200 * sim.rnd01()), Rgb{});
    fastest = std::min(fastest, sim.host.monotonicSeconds() - start);
  }
  sim.m.CpuFactor = static_cast<float>(std::max(0.01, kReferenceSeconds / std::max(fastest, 1e-6)));
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
