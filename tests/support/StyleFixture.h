#pragma once
// A simulation for the style tests: the panel filled as a user fills it, phases run until the
// user stops them, sections built layer by layer.
#include <functional>

#include "model/Sim.h"  // before the panel declarations, which use its controls
#include "control/Params.h"
#include "styles/Styles.h"
#include "support/SimFixture.h"

namespace magmo::test {
class StyleTest : public SimTest {
 protected:
  // A fault is reported only where a test expects it, and that test clears it.
  void TearDown() override { EXPECT_EQ(host.messages, std::vector<std::string>{}); }
  // The style's panel as typed, then OK.
  void accept(Style style, const char* strength, const char* wind = "0", const char* particles = "25") {
    selectStyle(sim, style);
    ui().txtStr.text = strength;
    txtStrCommit(sim);
    ui().txtWind.text = wind, ui().txtPart.text = particles;
    changeOk(sim);
  }
  // Erupt as the button does; `note` runs as each burst starts, and the user stops the phase
  // during burst `last` (it ends after that burst).
  void eruptUntil(int last, const std::function<void()>& note = {}) {
    m().BurstCount = 0;
    host.onYield = [this, last, note, seen = 0]() mutable {
      if (m().BurstCount > seen && note) note();
      seen = m().BurstCount;
      if (m().BurstCount >= last && m().RunStop != RunState::Stopping) cmdHaltClick(sim);
    };
    cmdEruptClick(sim);
    host.onYield = nullptr;
  }
  // Layers 1..n, each with the surface height(x).
  template <typename Height>
  void layers(int n, Height height) {
    m().LayerCount = n;
    for (int x = 1; x <= kColumns; ++x) {
      m().Topo[x] = height(x);
      for (int k = 1; k <= n; ++k) m().Strat(k, x) = m().Topo[x];
    }
  }
  // A lava phase played back with the given flow lengths.
  void playLava(Style style, const std::vector<float>& lengths) {
    ui().mnuRecPlay.checked = true, m().EruptType = style;
    m().PlayIndex = m().RecCount = 1;
    for (size_t b = 0; b < lengths.size() && b < kRecBursts; ++b) m().RecBurst(1, int(b) + 1) = lengths[b];
    m().BurstCount = int(lengths.size());
    typeLava(sim);
  }
  // The points drawn outside the persistent picture in the colour.
  std::vector<DrawCall> points(int colour) const {
    std::vector<DrawCall> out;
    for (const DrawCall& c : host.canvas.calls)
      if (c.kind == DrawCall::Point && !c.persistent && c.color == paletteColor(colour)) out.push_back(c);
    return out;
  }
};
}  // namespace magmo::test
