#include "control/FileAdoption.h"

#include "control/MapCommands.h"
#include "model/Sim.h"

namespace magmo {

void applyStoredScale(Sim& sim, float stored) {
  struct Item {
    float metres;
    MenuItem Controls::*menu;
    const char* strength;
  };
  static constexpr Item kItems[] = {{4, &Controls::mnuOptScaleSmall, "0.20"},
                                    {20, &Controls::mnuOptScaleNorm, "0.40"},
                                    {100, &Controls::mnuOptScaleLarge, "0.90"}};
  if (stored == 40) stored = 100;  // an older large scale
  for (const Item& item : kItems)
    if (stored == item.metres) {
      for (const Item& other : kItems) (sim.ui.*other.menu).checked = &other == &item;
      sim.ui.txtStr.text = item.strength;
    }
  sim.m.Scale = stored;
  sim.m.GravityScaled = sim.m.Gravity / sim.m.Scale;
}

// The demonstration file comes with its map.
void enableDemoMaps(Controls& ui) {
  ui.mnuOptMapEnable.checked = true;
  ui.mnuOptMap3dPosEnable.enabled = ui.mnuOptMap3dPosEnable.checked = true;
  ui.mnuOptMapPrec.enabled = true;
  showMapState(ui);
}

}  // namespace magmo
