#include "views/Relief.h"

#include <algorithm>
#include <functional>
#include <ostream>

#include "support/FileTestSupport.h"
#include "support/SimFixture.h"
#include "views/Bitmap.h"
#include "views/Topo3D.h"

namespace magmo {
std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << "(" << +c.r << "," << +c.g << "," << +c.b << ")";
}
}  // namespace magmo

namespace magmo::test {
namespace {

constexpr Rgb grey(int g) { return {uint8_t(g), uint8_t(g), uint8_t(g)}; }

void box(Section& s, int x0, int x1, int y0, int y1, float h) {
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) s.mapGrid(x, y) = h;
}
void fill(Section& s, const std::function<float(int, int)>& f) {
  for (int y = 0; y <= kMapRows; ++y)
    for (int x = 0; x <= kColumns; ++x) s.mapGrid(x, y) = f(x, y);
}

// Renders at step 4; pixels are read by grid cell.
class ReliefTest : public SimTest {
 protected:
  ReliefTest() {
    m().MapStep = 4, m().Scale = 20;
    sim.paths.work = work.folder();
  }
  void draw(int mode, float base = 0, float contrast = 3, float maxZ = 0) {
    image = plotTopoPlot(m(), {mode, 4, base, contrast, maxZ});
  }
  Rgb at(int x, int y) const { return image.at(x - 16, y - 16); }
  RgbImage image;
  TempDir work;
};

// A ramp rising toward +x or +y: a = +-(slope x 4) along it, 0 across it (an even 125); 'r' is
// the +y ramp on the sample's own column only, six times as steep. Contrast stops at 5.
TEST_F(ReliefTest, SlopeFacingTheLightIsBrighterAndContrastStopsAtFive) {
  const struct { int mode; char axis; float slope, contrast; int shade; } cases[] = {
      {1, 'y', 0.125f, 3, 158}, {2, 'y', 0.125f, 3, 108}, {3, 'x', 0.125f, 0, 141}, {4, 'x', 0.125f, 0, 116},
      {3, 'x', 0.125f, 5, 225}, {4, 'x', 0.125f, 5, 75},  {1, 'y', 0.125f, 9, 225}, {2, 'y', 0.125f, 6, 75},
      {4, 'x', 0.125f, 9, 75},  {3, 'x', 0.375f, 4, 225}, {4, 'x', 0.375f, 5, 25},  {1, 'y', 0.25f, 3, 191},
      {4, 'x', 0.25f, 4, 75},   {1, 'x', 0.25f, 3, 125},  {3, 'y', 0.25f, 3, 125},  {1, 'r', 0.125f, 3, 191},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << c.axis << " slope " << c.slope << " contrast " << c.contrast);
    fill(m(), [&](int x, int y) {
      return 100 + c.slope * (c.axis == 'x' ? x : c.axis == 'y' ? y : x == 641 ? 6 * y : 0);
    });
    draw(c.mode, 0, c.contrast);
    ASSERT_TRUE(image.width == 1280 - 32 && image.height == 640 - 32);
    EXPECT_EQ(at(641, 321), grey(c.shade));
  }
  // The whole render reads the contrast field.
  fill(m(), [](int x, int) { return 100 + 0.125f * x; });
  ui().Map.txtBase.text = "0", ui().Map.txtContrast.text = "9";
  plotTopo(sim, 4);
  EXPECT_EQ(sim.pictures.topo.at(641 - 16, 321 - 16), grey(75));
}

// A block 49 above the ground shades the ground behind it by 49 less half the distance from
// the block's last sample, whichever way the light comes.
TEST_F(ReliefTest, TallBlockCastsAShadowThatFadesOneUnitPerTwoCells) {
  const struct { int mode, last, along; } cases[] = {{1, 337, 1}, {2, 300, -1}, {3, 637, 1}, {4, 600, -1}};
  fill(m(), [](int, int) { return 10.0f; });
  box(m(), 600, 639, 300, 339, 59);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    draw(c.mode);
    for (auto [d, shade] : {std::pair{24, 88}, {96, 124}, {100, 125}}) {
      const int p = c.last + c.along * d;
      EXPECT_EQ(c.mode <= 2 ? at(621, p) : at(p, 321), grey(shade)) << d;
    }
  }
  // Light from the right starts 2R from the edge: a wall in the last R columns casts nothing.
  for (int wall : {1273, 1270}) {
    fill(m(), [wall](int x, int) { return x >= wall ? 200.0f : 10.0f; });
    draw(4);
    EXPECT_EQ(at(1263, 321), grey(wall > 1272 ? 125 : 25)) << wall;
  }
}

// Land from x = 300 and from y = 300. Samples lie at 4k + 1, or at 4k where the scan runs
// backwards, and each fills the cells from 2 before it to 1 after it.
TEST_F(ReliefTest, BlocksAreCentredOnTheirSamples) {
  const struct { int mode, landX, landY; } cases[] = {{1, 295, 295}, {2, 295, 294}, {3, 295, 295},
                                                      {4, 294, 295}, {5, 295, 295}};
  fill(m(), [](int x, int y) { return x >= 300 && y >= 300 ? 30.0f : 0.0f; });
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    draw(c.mode, 0, 3, 100);
    EXPECT_TRUE(at(c.landX - 1, 401) == kWater && at(c.landX, 401) != kWater);
    EXPECT_TRUE(at(401, c.landY - 1) == kWater && at(401, c.landY) != kWater);
  }
}

TEST_F(ReliefTest, WaterAtOrBelowBaseLeavesTheHorizonStanding) {
  fill(m(), [](int, int) { return 25.0f; });
  box(m(), 600, 639, 300, 339, 60);
  box(m(), 640, 679, 300, 339, 0);
  draw(3, 20);
  EXPECT_EQ(at(661, 321), kWater);
  EXPECT_EQ(at(701, 321), grey(122));  // still in the block's shadow across the water
  fill(m(), [](int, int) { return 20.0f; });
  draw(1, 20);
  EXPECT_EQ(at(641, 321), kWater);
  draw(1, 19.5f);
  EXPECT_EQ(at(641, 321), grey(125));
}

TEST(MeanElevation, AveragesTheNineCellsRApart) {
  const struct { int dx, dy; float mean; } cases[] = {{0, 0, 10}, {4, -4, 10}, {-4, 4, 10}, {1, 0, 0}, {8, 0, 0}};
  Section s;
  for (const auto& c : cases) {
    box(s, 600, 700, 300, 350, 0);
    s.mapGrid(641 + c.dx, 321 + c.dy) = 90;
    EXPECT_FLOAT_EQ(meanElevation(s, 641, 321, 4), c.mean) << c.dx << "," << c.dy;
  }
}

// Heights halfway between steps i and i + 1 of a range 50..150, at the ends of each ramp.
TEST(PicRgb, SchemesFollowTheirColourRamps) {
  const struct { int scheme, i; Rgb rgb; } cases[] = {
      {1, 0, {0, 0, 255}},     {1, 100, {0, 100, 156}}, {1, 300, {44, 212, 0}},   {1, 512, {255, 0, 0}},   {1, -20, {0, 0, 255}},
      {1, 257, {1, 255, 0}},   {2, 100, {0, 100, 255}}, {2, 300, {0, 255, 212}},  {2, 513, {1, 255, 0}},   {2, 600, {88, 255, 0}},
      {2, 800, {255, 224, 0}}, {2, 1024, {255, 0, 0}},  {3, 0, {0, 0, 64}},       {3, 100, {0, 0, 164}},   {3, 193, {0, 1, 255}},
      {3, 300, {0, 108, 255}}, {3, 500, {0, 255, 204}}, {3, 800, {96, 255, 0}},   {3, 1000, {255, 216, 0}}, {3, 1217, {255, 0, 1}},
      {3, 1300, {255, 0, 84}}, {3, 1472, {255, 0, 255}}, {3, 1600, {255, 0, 255}}, {0, 300, {0, 0, 0}},     {4, 300, {0, 0, 0}},
  };
  constexpr float kN[] = {512, 512, 1024, 1472, 512};
  for (const auto& c : cases)
    EXPECT_EQ(picRgb(50 + (c.i + 0.5f) * 100 / kN[c.scheme], 50, 150, c.scheme), c.rgb) << c.scheme << " " << c.i;
}

TEST_F(ReliefTest, ColourModeSchemeFollowsContrast) {
  const struct { float contrast; Rgb rgb; } cases[] = {
      {1.99f, {0, 153, 103}}, {2, {0, 255, 205}}, {3.99f, {0, 255, 205}}, {4, {0, 249, 255}}};
  fill(m(), [](int x, int) { return x < 300 ? 0.0f : 30.0f; });
  for (const auto& c : cases) {
    draw(5, 0, c.contrast, 100);
    EXPECT_EQ(std::pair(at(641, 321), at(101, 321)), std::pair(c.rgb, kWater)) << c.contrast;
  }
}

TEST_F(ReliefTest, PlotTopoResetsABaseAboveTheHighestMeanKeepsTheLastImageAndReportsFailure) {
  const struct { const char* typed; float base; const char* shown; } cases[] = {
      {"5000", 50, "1000"}, {"2000", 100, "2000"}, {"1999.6", 99.98f, "2000"}};
  fill(m(), [](int, int) { return 40.0f; });
  box(m(), 560, 720, 240, 400, 100);
  std::string previous;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    ui().Map.txtBase.text = c.typed;
    plotTopo(sim, 1);
    EXPECT_FLOAT_EQ(m().BaseLevel, c.base);
    EXPECT_EQ(std::tuple(m().TopoMinZ, m().TopoMaxZ, ui().Map.txtBase.text, ui().Map.visible, ui().Map.buttonsEnabled,
                         ui().Map.status2),
              std::tuple(40.0f, 100.0f, c.shown, true, true, "Topography Complete   "));
    const std::string written = slurp(work.path("MagmoTopo.bmp"));
    EXPECT_EQ(written, bmpBytes(sim.pictures.topo));
    if (!previous.empty()) { EXPECT_EQ(slurp(work.path("MagmoTopo-Undo.bmp")), previous); }
    previous = written;
  }
  EXPECT_FALSE(std::filesystem::exists(work.path("Magmo3D.ebm")));
  ui().View3DOpen = true;
  plotTopo(sim, 2);
  EXPECT_TRUE(std::filesystem::exists(work.path("Magmo3D.ebm")) && host.messages.empty());
  std::filesystem::remove(work.path("MagmoTopo.bmp"));
  std::filesystem::create_directory(work.path("MagmoTopo.bmp"));
  plotTopo(sim, 1);
  EXPECT_TRUE(host.messages.size() == 1 && host.messages[0].rfind("mnuViewTopo error: \n", 0) == 0 && ui().Map.buttonsEnabled);
}

// Blocks of 7 x 7 cells on a ground at 50; the highest block mean is 190. The grid's edges are
// never read.
TEST(Topo3D, GreyIsTheFlooredBlockMeanOverTheRangeAndAFlatGridIsBlack) {
  Section s;
  fill(s, [](int x, int y) { return x == 0 || y == 0 || x == 1261 || y == 631 ? 1000.0f : 50.0f; });
  const float heights[] = {190, 70, 100, 101};
  for (int i = 1; i <= 4; ++i) box(s, 7 * i - 6, 7 * i, 1, 7, heights[i - 1]);
  s.mapGrid(15, 1) = 100 + 48;  // mean 100.98, taken as 100
  const struct { float base; int i; int grey; } cases[] = {
      {0, 1, 255}, {0, 2, 127}, {0, 3, 182}, {0, 4, 183}, {0, 5, 0}, {100, 3, 0}, {100, 4, 183}, {70, 2, 0}, {69, 2, 127},
  };
  for (const auto& c : cases) {
    const RgbImage img = topo3DImage(s, c.base);
    ASSERT_TRUE(img.width == 180 && img.height == 90);
    EXPECT_EQ(img.at(c.i - 1, 0), grey(c.grey)) << "base " << c.base << " block " << c.i;
  }
  for (float h : {0.0f, 30.0f}) {
    fill(s, [h](int, int) { return h; });
    const RgbImage img = topo3DImage(s, -1);
    EXPECT_EQ(std::count(img.pixels.begin(), img.pixels.end(), Rgb{}), 180 * 90) << "flat at " << h;
  }
}

// later() is held back so that both values of "NewFile" can be seen; the pointer recorded.
class HeldHost : public TestHost {
 public:
  void later(int ms, std::function<void()> f) override { held.emplace_back(ms, std::move(f)); }
  void busyPointer(bool on) override { busy.push_back(on); }
  std::vector<std::pair<int, std::function<void()>>> held;
  std::vector<bool> busy;
};

// The image is written (the last one kept) and the viewer signalled a second later; an
// unwritable image is reported and never signalled.
TEST(PlotTopo3D, WritesTheImageThenSignalsASecondLater) {
  HeldHost host;
  MemorySettings settings;
  Sim sim{host, settings};
  TempDir work;
  sim.paths.work = work.folder();
  auto newFile = [&] { return settings.read("Magmo3/Topo3D", "NewFile", "-"); };
  sim.ui.Map.txtBase.text = "2000";
  box(sim.m, 1, 7, 1, 7, 150);
  box(sim.m, 8, 14, 1, 7, 100);
  plotTopo3D(sim);
  EXPECT_FLOAT_EQ(sim.m.BaseLevel, 100);
  EXPECT_TRUE(sim.pictures.grid3d.at(0, 0) == grey(255) && sim.pictures.grid3d.at(1, 0) == grey(0));
  const std::string first = slurp(work.path("Magmo3D.ebm"));
  EXPECT_EQ(first, bmpBytes(sim.pictures.grid3d));
  EXPECT_EQ(std::tuple(std::filesystem::exists(work.path("Magmo3D-Undo.ebm")), newFile(), host.busy),
            std::tuple(false, "False", std::vector<bool>{true, false}));
  ASSERT_EQ(host.held.size(), 1u);
  EXPECT_EQ(host.held[0].first, 1000);
  host.held[0].second();
  EXPECT_EQ(newFile(), "True");
  sim.ui.Map.txtBase.text = "0";
  plotTopo3D(sim);
  EXPECT_TRUE(slurp(work.path("Magmo3D-Undo.ebm")) == first && slurp(work.path("Magmo3D.ebm")) != first && host.messages.empty());
  std::filesystem::remove(work.path("Magmo3D.ebm"));
  std::filesystem::create_directory(work.path("Magmo3D.ebm"));
  host.held.clear();
  plotTopo3D(sim);
  EXPECT_TRUE(host.messages.size() == 1 && host.messages[0].rfind("PlotTopo3D error: \n", 0) == 0);
  EXPECT_TRUE(host.held.empty() && newFile() == "False");
}

// Rows bottom to top, blue green red, each padded to four bytes.
TEST(BmpBytes, HeaderAndPixelOrder) {
  RgbImage img(3, 2);
  img.at(0, 0) = {1, 2, 3};
  img.at(2, 1) = {4, 5, 6};
  const std::string b = bmpBytes(img);
  auto u32 = [&](size_t at) {
    unsigned v = 0;
    for (int k = 3; k >= 0; --k) v = v << 8 | static_cast<unsigned char>(b[at + k]);
    return v;
  };
  ASSERT_EQ(b.size(), 54u + 2 * 12);
  EXPECT_TRUE(b.substr(0, 2) == "BM" && u32(2) == b.size() && u32(10) == 54 && u32(18) == 3 && u32(22) == 2 && (u32(28) & 0xffff) == 24);
  EXPECT_EQ(b.substr(54), std::string("\0\0\0\0\0\0\6\5\4\0\0\0\3\2\1\0\0\0\0\0\0\0\0\0", 24));
}

}  // namespace
}  // namespace magmo::test
