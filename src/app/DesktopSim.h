#pragma once
// One simulation on the desktop: the profile canvas, the Qt host around it and the context.
#include "app/QtCanvas.h"
#include "app/QtHost.h"
#include "model/Sim.h"

namespace magmo {

struct DesktopSim {
  explicit DesktopSim(SettingsStore& settings) : host(canvas), sim(host, settings) {}
  QtCanvas canvas;
  QtHost host;
  Sim sim;
};

}  // namespace magmo
