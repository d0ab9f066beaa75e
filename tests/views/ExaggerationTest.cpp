// View > Vertical Exaggeration: heights drawn 1, 2, 5 or 10 times taller above the basement
// line, the axis strip below it in place, the read-outs still true, the section untouched.
#include <algorithm>
#include <cmath>

#include "control/ProfileCommands.h"
#include "model/Numeric.h"
#include "model/Vent.h"
#include "support/StyleFixture.h"
#include "views/Profile.h"

namespace magmo::test {
namespace {
using ExaggerationTest = StyleTest;

bool drew(const std::vector<DrawCall>& calls, DrawCall::Kind kind, float x1, float y1, float x2, float y2) {
  for (const DrawCall& c : calls)
    if (c.kind == kind && c.x1 == x1 && c.y1 == y1 && c.x2 == x2 && c.y2 == y2) return true;
  return false;
}

// The layer's span and the conduit stretch; the clean picture still covers the surface; the
// axis strip, the conduit's mark and the vertical scale's ticks stay, its labels (5 and 10 km a
// tick at the normal scale) divide by the factor. An unknown factor is x1.
TEST_F(ExaggerationTest, ProfileStretchesAboveTheBasementOnly) {
  m().LayerCount = 1, m().LayerColor[1] = 2, m().LayerVentX[1] = 300, m().LayerBase[1] = 40;
  for (int x = 0; x <= kColumns; ++x) m().Strat(1, x) = 123.5f;
  ui().mnuViewVert.checked = true;
  for (auto [asked, e] : {std::pair{1, 1}, {2, 2}, {5, 5}, {10, 10}, {3, 1}}) {
    SCOPED_TRACE(asked);
    host.canvas.clear();
    selectExaggeration(sim, asked);
    EXPECT_TRUE(ui().VertExag == e && ui().mnuViewExag5.checked == (e == 5));
    const auto& calls = host.canvas.calls;
    EXPECT_TRUE(drew(calls, DrawCall::Span, 640, 600, 640, 600 - 123.5f * e));
    EXPECT_TRUE(drew(calls, DrawCall::Box, 0, 600 - 600 * e, 1280, 690));
    EXPECT_TRUE(drew(calls, DrawCall::Box, 0, 601, 1280, 660));
    EXPECT_TRUE(drew(calls, DrawCall::Line, 300, 630, 300, 600 - 40 * e));
    EXPECT_TRUE(drew(calls, DrawCall::Line, 1, 350, 12, 350) && drew(calls, DrawCall::Line, 1, 601, 1, 0));
    std::vector<double> km;
    for (const DrawCall& c : calls)
      if (c.kind == DrawCall::Text && c.x1 == 20) km.push_back(val(c.text) * e);
    EXPECT_EQ(km, (std::vector<double>{5, 10}));
  }
}

// The read-out's height is the true one; a vent is hit within 20 units above its drawn surface.
TEST_F(ExaggerationTest, PointerReadsTrueHeights) {
  m().LayerCount = 1, m().LayerVentX[1] = 615;
  for (int x = 0; x <= kColumns; ++x) m().Strat(1, x) = 30;  // drawn at 450 at x5
  for (auto [e, x, y, text] : {std::tuple{2, 100, 500, "x = 2.00 km,  z = 1000 m"},
                               {10, 100, 100, "x = 2.00 km,  z = 1000 m"},
                               {5, 100, 620, "x = 2.00 km,  z = -400 m"},  // the axis strip stays
                               {5, 615, 440, "Vent 1: x = 12.30 km,  z = 640 m"},
                               {5, 615, 400, "x = 12.30 km,  z = 800 m"}}) {
    setExaggeration(ui(), e);
    EXPECT_EQ(plotPointerText(sim, x, y), text);
  }
}

// The dike's rows join, so it stays one line when stretched.
TEST_F(ExaggerationTest, TheDikeRisesUnbroken) {
  setExaggeration(ui(), 5);
  m().Topo[640] = 100;
  eruptDike(sim, 1);
  const auto& calls = host.canvas.calls;
  EXPECT_TRUE(calls.front().y2 == 630 && calls.back().y1 == 600 - 98 * 5);
  for (size_t i = 1; i < calls.size(); ++i) ASSERT_EQ(calls[i].y2, calls[i - 1].y1) << i;
}

// The same seeded Strombolian phase lays the same strata at x1 and x5, and draws each call of
// x1 stretched at x5: every style's drawing goes through the one mapping.
TEST_F(ExaggerationTest, APhaseLaysTheSameStrataAndDrawsEverythingStretched) {
  const Model start = m();
  const Controls startUi = ui();
  auto run = [&](int e) {
    m() = start, ui() = startUi, sim.rnd.fixSeed(12345), host.clock = 0;
    setExaggeration(ui(), e);
    accept(Style::Stromb, "0.30");
    host.canvas.clear();
    eruptUntil(3);
    return std::pair(m(), host.canvas.calls);
  };
  const auto [plain, plainCalls] = run(1);
  const auto [tall, tallCalls] = run(5);
  ASSERT_GT(plain.LayerCount, start.LayerCount);
  EXPECT_TRUE(tall.LayerCount == plain.LayerCount && tall.Topo == plain.Topo);
  for (int x = 0; x <= kColumns; ++x)
    ASSERT_TRUE(std::equal(plain.Strat.column(x), plain.Strat.column(x) + kStratRows, tall.Strat.column(x))) << x;
  ASSERT_EQ(tallCalls.size(), plainCalls.size());
  auto drawn = [](float y) { return y > 600 ? y : 600 - (600 - y) * 5; };
  for (size_t i = 0; i < plainCalls.size(); ++i) {
    const DrawCall &a = plainCalls[i], &b = tallCalls[i];
    ASSERT_TRUE(a.kind == b.kind && a.x1 == b.x1 && a.x2 == b.x2) << i;
    ASSERT_TRUE(std::abs(b.y1 - drawn(a.y1)) < 1e-2 && std::abs(b.y2 - drawn(a.y2)) < 1e-2) << i;
  }
}
}  // namespace
}  // namespace magmo::test
