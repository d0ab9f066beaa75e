#include "control/MapPrecision.h"

#include "model/Sim.h"

namespace magmo {

void selectMapPrecision(Sim& sim, MapPrecision p) {
  struct Item {
    MapPrecision precision;
    MenuItem Controls::*menu;
    const char* status;
    int step;
  };
  static constexpr Item kItems[] = {{MapPrecision::Low, &Controls::mnuOptMapLow, "Map On (Low)", 8},
                                    {MapPrecision::Normal, &Controls::mnuOptMapNorm, "Map On (Normal)", 6},
                                    {MapPrecision::High, &Controls::mnuOptMapHigh, "Map On (High)", 4}};
  for (const Item& item : kItems) {
    (sim.ui.*item.menu).checked = item.precision == p;
    if (item.precision != p) continue;
    sim.ui.statusBar1[7] = sim.ui.mnuOptMapEnable.checked ? item.status : "Map Off";
    sim.m.MapStep = item.step;
  }
}

void followStoredMapStep(Sim& sim, int step) {
  selectMapPrecision(sim, step < 5 ? MapPrecision::High : step < 8 ? MapPrecision::Normal : MapPrecision::Low);
}

}  // namespace magmo
