#include "app/UserSettings.h"

#include <algorithm>

#include "model/Numeric.h"
#include "control/MapCommands.h"
#include "control/OptionCommands.h"
#include "control/ProfileCommands.h"
#include "control/Reset.h"
#include "model/Sim.h"

namespace magmo {

namespace {

struct NamedGravity {
  const char* name;
  MenuItem Controls::*menu;
};
constexpr NamedGravity kNamedGravities[] = {
    {"2X", &Controls::mnuOptG2},       {"4X", &Controls::mnuOptG4},   {"8X", &Controls::mnuOptG8},
    {"Earth", &Controls::mnuOptGEarth}, {"Venus", &Controls::mnuOptGVenus}, {"Mars", &Controls::mnuOptGMars},
    {"Moon", &Controls::mnuOptGMoon},
};

std::string flag(bool b) { return b ? "1" : "0"; }

void loadSpeed(Sim& sim, bool fast) {
  Controls& ui = sim.ui;
  sim.m.SpeedFactor = fast ? 5.0f : static_cast<float>(val(sim.settings.read(kSettingsSection, "Speed", "1")));
  ui.mnuOptSpeedFast.checked = sim.m.SpeedFactor == 5.0f;
  ui.mnuOptSpeedNorm.checked = sim.m.SpeedFactor == 1.0f;
  ui.mnuOptSpeedSlow.checked = sim.m.SpeedFactor == 0.2f;
  showSpeedStatus(sim);
}

void loadScale(Sim& sim) {
  const std::string s = sim.settings.read(kSettingsSection, "Scale", "Normal");
  const ScaleItem item = s == "Small" ? ScaleItem::Small : s == "High" ? ScaleItem::Large : ScaleItem::Normal;
  sim.ui.mnuOptScaleSmall.checked = item == ScaleItem::Small;
  sim.ui.mnuOptScaleNorm.checked = item == ScaleItem::Normal;
  sim.ui.mnuOptScaleLarge.checked = item == ScaleItem::Large;
  sim.m.Scale = scaleMetres(item);
}

void loadGravity(Sim& sim) {
  const std::string g = sim.settings.read(kSettingsSection, "Gravity", "Earth");
  bool named = false;
  for (const auto& n : kNamedGravities) {
    (sim.ui.*n.menu).checked = g == n.name;
    named = named || g == n.name;
  }
  sim.ui.mnuOptG.checked = !named;
  if (!named) {
    sim.m.Gravity = static_cast<float>(val(g));
    sim.ui.gravityAnswer = g;
  }
  applyCheckedGravity(sim);
}

std::string gravityName(const Sim& sim) {
  for (const auto& n : kNamedGravities)
    if ((sim.ui.*n.menu).checked) return n.name;
  return generalNumber(sim.m.Gravity);
}

}  // namespace

Switches parseSwitches(std::string_view commandLine) {
  Switches s;
  for (size_t i = 1; i < 5 && i < commandLine.size(); ++i) {
    s.autoErupt = s.autoErupt || commandLine[i] == 'a';
    s.loadTopo = s.loadTopo || commandLine[i] == 'l';
    s.fast = s.fast || commandLine[i] == 'f';
  }
  return s;
}

void loadSettings(Sim& sim, const Switches& switches, bool soundDevice) {
  Controls& ui = sim.ui;
  auto stored = [&](const char* key, const char* def) { return sim.settings.read(kSettingsSection, key, def); };
  auto on = [&](const char* key, const char* def) { return stored(key, def) == "1"; };
  ui.mnuOptOptions.checked = on("Options", "0");
  ui.mnuOptSound.checked = soundDevice && stored("Sound", "1") != "0";
  ui.mnuOptSound.enabled = soundDevice;
  ui.SoundVolume = std::clamp(intPart(val(stored("Volume", "80"))), 0, 100);
  ui.mnuOptHtips.checked = on("Tips", "1");
  ui.mnuOptPart.checked = stored("AutoPart", "1") != "0";
  ui.mnuOptTopoLoad.checked = switches.loadTopo || on("LoadTopo", "0");
  ui.mnuOptAdSave.checked = on("SaveSet", "1");
  ui.mnuOptAdUpdate.checked = on("AutoUp", "0");
  ui.mnuOptAdPassive.checked = on("PassiveFTP", "0");
  if (on("DisableSaver", "0") && !ui.mnuOptAdSaver.checked) mnuOptAdSaverClick(sim);
  const std::string precision = stored("MapResolution", "2");
  ui.mnuOptMapLow.checked = precision == "1";
  ui.mnuOptMapHigh.checked = precision == "3";
  ui.mnuOptMapNorm.checked = !ui.mnuOptMapLow.checked && !ui.mnuOptMapHigh.checked;
  ui.mnuOptMapEnable.checked = on("Maps", "0");
  ui.mnuOptMapPrec.enabled = ui.mnuOptMap3dPosEnable.enabled = ui.mnuOptMapEnable.checked;
  ui.mnuOptMap3dPosEnable.checked = on("Map3DPos", "0");
  showMapState(ui);
  loadSpeed(sim, switches.fast);
  loadScale(sim);
  loadGravity(sim);
  ui.mnuViewVert.checked = on("VertScale", "0");
  const std::string exaggeration = stored("VertExag", "1");
  int factor = 1;
  for (int f : kExaggerations)
    if (exaggeration == std::to_string(f)) factor = f;
  setExaggeration(ui, factor);
  ui.mnuOptTB.checked = stored("Toolbar", "1") != "0";
}

void saveSettings(Sim& sim) {
  const Controls& ui = sim.ui;
  auto save = [&](const char* key, const std::string& value) { sim.settings.save(kSettingsSection, key, value); };
  save("AutoErupt", flag(ui.mnuParAuto.checked));
  save("Options", flag(ui.mnuOptOptions.checked));
  save("Toolbar", flag(ui.mnuOptTB.checked));
  save("Tips", flag(ui.mnuOptHtips.checked));
  save("DisableSaver", flag(ui.mnuOptAdSaver.checked));
  save("AutoPart", flag(ui.mnuOptPart.checked));
  save("LoadTopo", flag(ui.mnuOptTopoLoad.checked));
  // Without a sound device the item is off by force, not by choice: keep the stored one.
  if (ui.mnuOptSound.enabled) save("Sound", flag(ui.mnuOptSound.checked));
  save("Volume", std::to_string(ui.SoundVolume));
  save("Maps", flag(ui.mnuOptMapEnable.checked));
  save("Map3DPos", flag(ui.mnuOptMap3dPosEnable.checked));
  save("MapResolution", ui.mnuOptMapHigh.checked ? "3" : ui.mnuOptMapNorm.checked ? "2" : "1");
  save("Speed", format(sim.m.SpeedFactor, "0.0"));
  save("Growth", std::to_string(ui.Slider[5].value));
  save("SpeedFactor", std::to_string(ui.Slider[6].value));
  save("Scale", ui.mnuOptScaleSmall.checked ? "Small" : ui.mnuOptScaleLarge.checked ? "High" : "Normal");
  save("Gravity", gravityName(sim));
  save("VertScale", flag(ui.mnuViewVert.checked));
  save("VertExag", std::to_string(ui.VertExag));
  save("AutoUp", flag(ui.mnuOptAdUpdate.checked));
  save("PassiveFTP", flag(ui.mnuOptAdPassive.checked));
}

}  // namespace magmo
