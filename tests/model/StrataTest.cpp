#include <numeric>
#include <random>

#include "model/Strata.h"
#include "support/LiteralTruncation.h"
#include "support/SimFixture.h"

namespace magmo::test {
namespace {

class StrataTest : public SimTest {
 protected:
  // Layer 1 flat at `old` under the open layer 2, whose surface is flat at `surface`.
  void openOnFlatGround(float old, float surface) {
    m().LayerCount = 2;
    for (int x = 1; x <= 1280; ++x) {
      m().Strat(1, x) = old;
      m().Strat(2, x) = m().Topo[x] = surface;
    }
  }
  // A fresh cone on flat old ground, rising toward the vent at 640 by `slope` per column.
  void freshCone(float slope) {
    openOnFlatGround(0, 0);
    for (int x = 1; x <= 1280; ++x)
      m().Topo[x] = std::max(0.0f, slope * static_cast<float>(400 - std::abs(x - 640)));
  }
};

TEST_F(StrataTest, RelaxationSpreadsOnlyFreshMaterialAndConservesIt) {
  openOnFlatGround(10, 10);
  m().EruptType = Style::Stromb;
  m().Topo[400] = 30;                                                 // a fresh column 20 units high
  for (int x = 900; x <= 1280; ++x) m().Strat(1, x) = m().Topo[x] = 60;  // an old cliff
  const auto sum = [&] { return std::accumulate(m().Topo.begin() + 1, m().Topo.end(), 0.0); };
  const double before = sum();
  stratDeposit(sim);
  EXPECT_DOUBLE_EQ(sum(), before);
  for (int x = 1; x <= 1280; ++x) ASSERT_GE(m().Topo[x], m().Strat(1, x)) << x;
  EXPECT_EQ(m().Topo[900], 60);
  EXPECT_LT(m().Topo[400], 30);
  EXPECT_GT(m().Topo[399], 10);
  EXPECT_GT(m().Topo[401], 10);
}

TEST_F(StrataTest, AngleOfReposeDependsOnTheStyle) {
  freshCone(0.8f);  // within 1 per column, steeper than 5 per 9 columns
  const auto steep = m().Topo;
  m().EruptType = Style::Plinian;  // Plinian fall is only smoothed by the neighbour pass
  stratDeposit(sim);
  EXPECT_EQ(m().Topo, steep);
  m().EruptType = Style::Stromb;
  stratDeposit(sim);
  EXPECT_NE(m().Topo, steep);
  freshCone(0.3f);  // at rest for scoria, too steep for a flow deposit rising toward the vent
  const auto gentle = m().Topo;
  stratDeposit(sim);
  EXPECT_EQ(m().Topo, gentle);
  m().EruptType = Style::Pfs;
  stratDeposit(sim);
  EXPECT_NE(m().Topo, gentle);
}

TEST_F(StrataTest, CratersFollowTheStyle) {
  // Strombolian, strength 0.4 at the Normal scale on Earth: a funnel of five nested passes with
  // half-widths 5, 4, 3, 2, 1, each 0.2 units deeper; the older layer is cut at the new floor.
  openOnFlatGround(49.5f, 50);
  m().EruptType = Style::Stromb;
  m().Strength = 0.4f;
  stratCrater(sim);
  EXPECT_NEAR(m().Topo[640], 49.0f, 1e-4);
  for (int d = 1; d <= 6; ++d) {
    const float expected = 50 - 0.2f * static_cast<float>(6 - d);
    EXPECT_NEAR(m().Topo[640 - d], expected, 1e-4) << d;
    EXPECT_NEAR(m().Topo[640 + d], expected, 1e-4) << d;
    EXPECT_EQ(m().Strat(1, 640 + d), std::min(49.5f, m().Topo[640 + d]));
  }
  // A flow directed to the left in burst 4 opens its crater 20 columns further that way.
  openOnFlatGround(0, 50);
  m().EruptType = Style::Pfs;
  m().StrengthC = 0.63f;
  m().BurstCount = 4;
  m().Directed = -1;
  ui().chkDirected.checked = true;
  const int w = static_cast<int>(std::lround(100 * 0.37 * 0.37 + 4));  // 18, below its cap at burst 10
  stratCrater(sim);
  EXPECT_TRUE(m().Topo[640 - w - 21] == 50 && m().Topo[640 - w - 20] < 50);
  EXPECT_TRUE(m().Topo[640 + w] < 50 && m().Topo[640 + w + 1] == 50);
}

TEST_F(StrataTest, MazamaCalderaWallsStepOutThroughYoungerLayers) {
  openOnFlatGround(60, 90);
  m().EruptType = Style::Plinian;
  m().Strength = 0.8f;
  ui().chkCaldDiat.checked = true;
  ui().CaldStyle.text = "Mazama Type";
  m().BurstCount = 48;
  stratCrater(sim);
  // Layer 1 drops 3 over 620..660; layer 2 is then 33 thick at those edges, a third of which
  // widens its cut.
  EXPECT_TRUE(m().Strat(1, 619) == 60 && m().Strat(1, 620) == 57 && m().Strat(1, 661) == 60);
  EXPECT_TRUE(m().Topo[608] == 90 && m().Topo[609] == 87 && m().Topo[672] == 90);
  EXPECT_TRUE(m().LayerCaldL[2] == 609 && m().LayerCaldR[2] == 671 && m().LayerCaldera[2] == 1);
  m().BurstCount = 49;  // beyond 20 / 20 x 0.8 x 60 = 48 bursts the caldera has stopped growing
  stratCrater(sim);
  EXPECT_EQ(m().Topo[640], 87);
  EXPECT_EQ(m().LayerCaldera[2], 1);
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
  m().LayerVentX[2] = 600;
  m().LayerBase[2] = 45;
  m().LayerBase[3] = 99;  // no vent on the profile: keeps its floor
  stratThick(sim);
  for (int x = 1; x <= 1280; ++x) {
    ASSERT_EQ(m().Strat(3, x), m().Topo[x]);
    ASSERT_EQ(m().Strat(2, x), std::min(50.0f, m().Topo[x]));
    ASSERT_EQ(m().Strat(1, x), std::min(40.0f, m().Topo[x]));
  }
  EXPECT_EQ(m().LayerBase[2], 30);  // the cut top of layer 1 at the vent
  EXPECT_EQ(m().LayerBase[3], 99);
  EXPECT_EQ(m().StratBusy, 0);
  m().LayerCount = 600;  // corrupt: reported, and the run controller is not left waiting
  stratThick(sim);
  EXPECT_EQ(host.messages, std::vector<std::string>{"StratThick error: \nSubscript out of range"});
  EXPECT_EQ(m().StratBusy, 0);
}

TEST_F(StrataTest, AddDrawsTheNewestLayerOutwardFromTheVent) {
  m().LayerCount = 150;
  m().LayerColor[150] = 13;
  for (int x = 1; x <= 1280; ++x) m().Strat(100, x) = 3;  // thick everywhere, but not the newest
  for (int x = 630; x <= 650; ++x) {
    m().Strat(149, x) = 5;
    m().Strat(150, x) = 8;
  }
  stratAdd(sim);
  const auto& calls = host.canvas.calls;
  ASSERT_EQ(calls.size(), 20u);  // columns 630..650 without the vent
  for (size_t i = 0; i < calls.size(); ++i) {
    const int d = static_cast<int>(i / 2) + 1;
    EXPECT_EQ(calls[i].x1, i % 2 == 0 ? 640 - d : 640 + d);
    EXPECT_EQ(calls[i].kind, DrawCall::Span);
    EXPECT_EQ(calls[i].y1, 595);
    EXPECT_EQ(calls[i].y2, 592);
    EXPECT_EQ(calls[i].color, paletteColor(13));
  }
}

}  // namespace
}  // namespace magmo::test
