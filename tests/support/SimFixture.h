#pragma once
// A fresh simulation on the TestHost with an in-memory settings store, reset as at start-up.
#include <gtest/gtest.h>

#include "control/RunControl.h"
#include "control/Reset.h"
#include "model/Sim.h"
#include "support/TestHost.h"

namespace magmo::test {
class SimTest : public ::testing::Test {
 protected:
  SimTest() : sim(host, settings) {
    sim.rnd.fixSeed(12345);
    clearVar(sim);
    host.canvas.clear();
    host.messages.clear();
  }
  Model& m() { return sim.m; }
  Controls& ui() { return sim.ui; }

  // A cone of the given height and half-width centred on column c, as layer 1 over a flat basement.
  void buildCone(int c, float height, int halfWidth) {
    m().LayerCount = 1, m().LayerVentX[1] = c, m().LayerColor[1] = 2;
    for (int x = 1; x <= 1280; ++x) {
      const float d = static_cast<float>(std::abs(x - c));
      const float h = d < halfWidth ? height * (1.0f - d / halfWidth) : 0.0f;
      m().Strat(1, x) = m().Topo[x] = h;
    }
  }

  // The user's Pause then Stop during the given burst, so the phase ends after it.
  void stopDuringBurst(int burst) {
    host.onYield = [this, burst] {
      if (m().BurstCount < burst || m().RunStop == RunState::Stopping) return;
      cmdHaltClick(sim);
    };
  }

  TestHost host;
  MemorySettings settings;
  Sim sim;
};
}  // namespace magmo::test
