#include <algorithm>
#include <chrono>
#include <cmath>
#include <future>
#include <limits>
#include <numeric>
#include <random>
#include <thread>

#include "model/Strata.h"
#include "support/LiteralTruncation.h"
#include "support/SimFixture.h"

namespace magmo::test {
namespace {
// A simulation on the heap, run on a thread of its own: a relaxation that never ends fails the
// test instead of hanging it, and is left running with what it owns.
struct LoneSim {
  TestHost host;
  MemorySettings settings;
  Sim sim{host, settings};
};
bool depositEndsWithin(std::chrono::seconds limit, std::shared_ptr<LoneSim> lone) {
  auto done = std::make_shared<std::promise<void>>();
  std::future<void> ended = done->get_future();
  std::thread([done, lone] { stratDeposit(lone->sim), done->set_value(); }).detach();
  return ended.wait_for(limit) == std::future_status::ready;
}

class StrataTest : public SimTest {
 protected:
  // Layer 1 flat at `old` under the open layer 2, whose surface is flat at `surface`.
  void openOnFlatGround(float old, float surface) {
    m().LayerCount = 2;
    for (int x = 1; x <= 1280; ++x) {
      m().Strat(1, x) = old, m().Strat(2, x) = m().Topo[x] = surface;
    }
  }
  // A fresh cone on flat old ground, rising toward the vent at 640 by `slope` per column.
  void freshCone(float slope) {
    openOnFlatGround(0, 0);
    for (int x = 1; x <= 1280; ++x)
      m().Topo[x] = std::max(0.0f, slope * static_cast<float>(400 - std::abs(x - 640)));
  }
};

// A fresh column of 20 beside an old cliff: only fresh material moves, and none is lost.
// Plinian fall has only the neighbour pass, left to right: each pair settles to within one
// unit before the scan moves on, so the column spreads mostly to its left.
TEST_F(StrataTest, RelaxationSpreadsOnlyFreshMaterialAndConservesIt) {
  for (Style style : {Style::Stromb, Style::Plinian}) {
    openOnFlatGround(10, 10);
    m().EruptType = style, m().Topo[400] = 30;
    for (int x = 900; x <= 1280; ++x) m().Strat(1, x) = m().Topo[x] = 60;
    const auto sum = [&] { return std::accumulate(m().Topo.begin() + 1, m().Topo.end(), 0.0); };
    const double before = sum();
    stratDeposit(sim);
    EXPECT_DOUBLE_EQ(sum(), before);
    EXPECT_EQ(m().Topo[900], 60);
    for (int x = 1; x <= 1280; ++x) ASSERT_GE(m().Topo[x], m().Strat(1, x)) << x;
    const std::vector<float> settled(m().Topo.begin() + 398, m().Topo.begin() + 405);
    const std::vector<float> paired{10, 20, 15, 13, 11, 11, 10};
    EXPECT_TRUE(style == Style::Plinian ? settled == paired : settled[2] < 30 && settled[1] > 10 && settled[3] > 10)
        << testing::PrintToString(settled);
  }
}

TEST_F(StrataTest, RelaxationEndsBesideHeightsItCannotSettle) {
  for (const float height : {1e10f, std::numeric_limits<float>::infinity()}) {
    openOnFlatGround(10, 10);
    m().EruptType = Style::Stromb, m().Topo[400] = height;
    auto lone = std::make_shared<LoneSim>();
    lone->sim.m = m();
    ASSERT_TRUE(depositEndsWithin(std::chrono::seconds(20), lone)) << height;
    const Model& after = lone->sim.m;
    EXPECT_EQ(after.Topo[400], height);
    for (int x = 1; x <= 1280; ++x)  // a unit from each pass, at most, reaches a partner
      ASSERT_TRUE(x == 400 || (std::isfinite(after.Topo[x]) && after.Topo[x] <= 11)) << x;
  }
}

// A slope of 0.8 is within 1 per column (Plinian fall has only the neighbour pass) but steeper
// than 5 per 9 columns; 0.3 rests for scoria but is too steep for a flow deposit.
TEST_F(StrataTest, AngleOfReposeDependsOnTheStyle) {
  for (auto [slope, style, moves] : {std::tuple{0.8f, Style::Plinian, false}, {0.8f, Style::Stromb, true},
                                     {0.3f, Style::Stromb, false}, {0.3f, Style::Pfs, true}}) {
    freshCone(slope);
    m().EruptType = style;
    const auto before = m().Topo;
    stratDeposit(sim);
    EXPECT_EQ(m().Topo != before, moves) << slope << " " << int(style);
  }
}

TEST_F(StrataTest, CratersFollowTheStyle) {
  // Strombolian, strength 0.4 at the Normal scale on Earth: a funnel of five nested passes with
  // half-widths 5, 4, 3, 2, 1, each 0.2 units deeper; the older layer is cut at the new floor.
  openOnFlatGround(49.5f, 50);
  m().EruptType = Style::Stromb, m().Strength = 0.4f;
  stratCrater(sim);
  EXPECT_NEAR(m().Topo[640], 49.0f, 1e-4);
  for (int d = 1; d <= 6; ++d) {
    const float expected = 50 - 0.2f * static_cast<float>(6 - d);
    EXPECT_TRUE(std::abs(m().Topo[640 - d] - expected) < 1e-4 && std::abs(m().Topo[640 + d] - expected) < 1e-4) << d;
    EXPECT_EQ(m().Strat(1, 640 + d), std::min(49.5f, m().Topo[640 + d]));
  }
  // A flow directed to the left in burst 4 opens its crater 20 columns further that way.
  openOnFlatGround(0, 50);
  m().EruptType = Style::Pfs, m().StrengthC = 0.63f, m().BurstCount = 4, m().Directed = -1;
  ui().chkDirected.checked = true;
  const int w = static_cast<int>(std::lround(100 * 0.37 * 0.37 + 4));  // 18, below its cap at burst 10
  stratCrater(sim);
  EXPECT_TRUE(m().Topo[640 - w - 21] == 50 && m().Topo[640 - w - 20] < 50 && m().Topo[640 + w] < 50 &&
              m().Topo[640 + w + 1] == 50);
}

// The cut's half-width h: Mazama type 40 s^3 columns at 20 m, times Slider2 / 6; Valles type 250 s^3
// times Slider2 / 2 (three times at the nominal 6), at least 50 s^3, shifted (Slider4 - 6) h / 5
// columns toward column 1. A step drops the cut 3 units (Mazama) or 1 and steps out through the
// younger layer by a third of its thickness (Mazama) or all of it (31). The caldera stops growing
// after 20 / Scale x s x 60 (Mazama) or 20 bursts.
TEST_F(StrataTest, CalderaCutsFollowTheirTypeAndSlider4MovesTheVallesCut) {
  // left..right: the cut of layer 1.
  struct Case { const char* type; float s, scale; int slider2, slider4, left, right; float drop; int step, lastBurst; };
  for (const Case& c : {Case{"Mazama Type", 0.8f, 20, 6, 6, 620, 660, 3, 11, 48},
                        {"Valles Type", 0.4f, 20, 6, 6, 592, 688, 1, 31, 8},
                        {"Valles Type", 0.4f, 20, 6, 11, 544, 640, 1, 31, 8},
                        {"Valles Type", 0.4f, 20, 6, 8, 573, 669, 1, 31, 8},
                        {"Valles Type", 1.0f, 100, 1, 6, 590, 690, 1, 31, 4}}) {
    SCOPED_TRACE(testing::Message() << c.type << " " << c.s << " " << c.slider2 << " " << c.slider4);
    openOnFlatGround(60, 90);
    m().EruptType = Style::Plinian, m().Strength = c.s, m().Scale = c.scale, m().BurstCount = c.lastBurst;
    m().LayerCaldera[2] = 0, ui().chkCaldDiat.checked = true, ui().CaldStyle.text = c.type;
    ui().Slider[2].value = c.slider2, ui().Slider[4].value = c.slider4;
    stratCrater(sim);
    const float floor1 = 60 - c.drop, floor2 = 90 - c.drop;
    const int left2 = c.left - c.step, right2 = c.right + c.step;
    EXPECT_EQ(std::tuple(m().Strat(1, c.left - 1), m().Strat(1, c.left), m().Strat(1, c.right), m().Strat(1, c.right + 1)),
              std::tuple(60, floor1, floor1, 60));
    EXPECT_EQ(std::tuple(m().Topo[left2 - 1], m().Topo[left2], m().Topo[right2], m().Topo[right2 + 1]),
              std::tuple(90, floor2, floor2, 90));
    EXPECT_TRUE(m().LayerCaldL[2] == left2 && m().LayerCaldR[2] == right2 && m().LayerCaldera[2] == 1);
    m().BurstCount = c.lastBurst + 1;
    stratCrater(sim);
    EXPECT_TRUE(m().Topo[(c.left + c.right) / 2] == floor2 && m().LayerCaldera[2] == 1);
  }
}

TEST(StratTableTest, AtChecksBothIndexes) {
  StratTable t;
  t.at(501, 1280) = 7;
  EXPECT_EQ(t(501, 1280), 7);
  EXPECT_NO_THROW(t.at(0, 0));
  for (auto [k, x] : {std::pair{-1, 0}, {502, 0}, {0, -1}, {0, 1281}}) EXPECT_THROW(t.at(k, x), SimError) << k << x;
  EXPECT_TRUE(Section::column(1) == 1 && Section::column(1280) == 1280);
  for (int x : {0, 1281}) EXPECT_THROW(Section::column(x), SimError) << x;
}

TEST_F(StrataTest, FastTruncationEqualsTheLiteralLoop) {
  std::mt19937 gen(7);
  std::uniform_int_distribution<int> height(0, 40);  // coarse values, so ties are common
  for (int layers : {0, 1, 2, 37, 500}) {
    Model fast;
    fast.LayerCount = layers;
    for (int x = 0; x <= 1280; ++x)
      for (int k = 0; k < kStratRows; ++k) fast.Strat(k, x) = height(gen) / 2.0f;
    Model literal = fast;
    stratTruncate(fast);
    stratTruncateLiteral(literal);
    for (int x = 0; x <= 1280; ++x)
      for (int k = 0; k < kStratRows; ++k)
        ASSERT_EQ(fast.Strat(k, x), literal.Strat(k, x)) << layers << " layers, " << k << ", " << x;
  }
}

TEST_F(StrataTest, ThickCopiesTheSurfaceCutsOlderLayersAndLowersVentFloors) {
  openOnFlatGround(40, 50);
  m().LayerCount = 3;
  for (int x = 1; x <= 1280; ++x) m().Topo[x] = x < 640 ? 30.0f : 60.0f;  // eroded left of the vent
  m().LayerVentX[2] = 600, m().LayerBase[2] = 45;
  m().LayerBase[3] = 99;  // no vent on the profile: keeps its floor
  stratThick(sim);
  for (int x = 1; x <= 1280; ++x) {
    ASSERT_EQ(m().Strat(3, x), m().Topo[x]);
    ASSERT_EQ(m().Strat(2, x), std::min(50.0f, m().Topo[x]));
    ASSERT_EQ(m().Strat(1, x), std::min(40.0f, m().Topo[x]));
  }
  // Layer 2's floor is the cut top of layer 1 at the vent.
  EXPECT_EQ(std::tuple(m().LayerBase[2], m().LayerBase[3], m().StratBusy), std::tuple(30, 99, 0));
  m().LayerCount = 600;  // corrupt: reported, and the run controller is not left waiting
  stratThick(sim);
  EXPECT_EQ(std::pair(host.messages, m().StratBusy),
            std::pair(std::vector<std::string>{"StratThick error: \nSubscript out of range"}, 0));
}

// Only the newest layer, where it has thickness; the vent's column is left to the conduit.
TEST_F(StrataTest, AddDrawsTheNewestLayerBesideTheVent) {
  m().LayerCount = 150, m().LayerColor[150] = 13;
  for (int x = 1; x <= 1280; ++x) m().Strat(100, x) = 3;  // thick everywhere, but not the newest
  for (int x = 630; x <= 650; ++x) m().Strat(149, x) = 5, m().Strat(150, x) = 8;
  stratAdd(sim);
  std::vector<int> columns;
  for (const DrawCall& c : host.canvas.calls) {
    EXPECT_TRUE(c.kind == DrawCall::Span && c.y1 == 595 && c.y2 == 592 && c.color == paletteColor(13));
    columns.push_back(int(c.x1));
  }
  EXPECT_EQ(columns.size(), 20u);
  for (int x : columns) EXPECT_TRUE(x >= 630 && x <= 650 && x != 640) << x;
}
}  // namespace
}  // namespace magmo::test
