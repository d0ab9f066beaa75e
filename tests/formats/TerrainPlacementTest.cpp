#include "formats/TerrainPlacement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <tuple>

#include "formats/DemImport.h"
#include "support/TerrainTestHost.h"

namespace magmo::test {
namespace {

class TerrainPlacementTest : public ::testing::Test {
 protected:
  DemData place(const TerrainGrid& g, const ProfileLine& line, float currentScale) {
    DemData d;
    placeTerrain(host, g, line, currentScale, d);
    return d;
  }
  static float cell(const DemData& d, int x, int y) { return d.grid[static_cast<size_t>(y) * 1281 + x]; }
  static std::string refusal(const std::function<void()>& f) {
    try {
      f();
    } catch (const SimError& e) {
      return e.what();
    }
    return "(accepted)";
  }
  TestHost host;
};

double bumpy(int c, int r) { return 1000 + 7 * c + 3 * r * r + (c * r) % 11; }

// 101 nodes 20 m apart at 20 m a column: node c lands on column 590 + c, grid row r on map row
// 320 + r - row; beyond the raster the ground keeps its edge height.
TEST_F(TerrainPlacementTest, NodesKeepTheirHeightsAndTheChosenRowBecomesTheProfile) {
  const TerrainGrid g = makeTerrain(101, 41, 20, 20, bumpy);
  for (const int row : {20, 0, 40, 13}) {
    SCOPED_TRACE(row);
    const DemData d = place(g, ProfileLine::wholeRow(row), 20);
    EXPECT_EQ(d.scale, 20);
    for (int c = 0; c <= 100; ++c) {
      ASSERT_FLOAT_EQ(d.profile[590 + c], bumpy(c, row) / 20) << c;
      for (int r = 0; r <= 40; ++r) ASSERT_FLOAT_EQ(cell(d, 590 + c, 320 + r - row), bumpy(c, r) / 20) << c << "," << r;
    }
    EXPECT_FLOAT_EQ(d.profile[1], bumpy(0, row) / 20);
    EXPECT_FLOAT_EQ(d.profile[1280], bumpy(100, row) / 20);
    EXPECT_FLOAT_EQ(cell(d, 700, 1), bumpy(100, 0) / 20);
  }
}

// A tilted plane is reproduced exactly by bilinear sampling, so every section cell must equal the
// plane where the section's frame puts it: along the line from its midpoint, rows to its left.
TEST_F(TerrainPlacementTest, ADiagonalLineRunsTheSectionAlongItWithTheMapRowsBesideIt) {
  const double cw = 30, ch = 20;
  const auto plane = [](double east, double north) { return 500 + 0.3 * east - 0.2 * north; };
  const TerrainGrid g = makeTerrain(200, 150, cw, ch, [&](int c, int r) { return plane(c * cw, -r * ch); });
  const DemData d = place(g, ProfileLine::segment(10, 140, 190, 5), 4);
  ASSERT_EQ(d.scale, 20);  // 6.04 km is wider than the small scale's 5.12 km
  const double east = 180 * cw, north = 135 * ch, length = std::hypot(east, north);
  const double ue = east / length, un = north / length, midE = 100 * cw, midN = -72.5 * ch;
  int checked = 0;
  for (int r = 0; r <= 640; r += 40)
    for (int c = 1; c <= 1280; c += 3) {
      const double e = midE + (c - 640) * 20.0 * ue - (320 - r) * 20.0 * un;
      const double n = midN + (c - 640) * 20.0 * un + (320 - r) * 20.0 * ue;
      if (e < 0 || e > 199 * cw || n > 0 || n < -149 * ch) continue;
      ++checked;
      ASSERT_NEAR(cell(d, c, r), plane(e, n) / 20, 1e-3) << c << "," << r;
      if (r == 320) ASSERT_EQ(d.profile[c], cell(d, c, r));
    }
  EXPECT_GT(checked, 300);
}

TEST_F(TerrainPlacementTest, NoDataTakesTheLowestValidHeightAndAGridOfNothingIsRefused) {
  TerrainGrid g = makeTerrain(11, 3, 20, 20, [](int c, int) { return 100 + c; });
  g.at(5, 1) = g.at(6, 1) = TerrainGrid::kNoData;
  g.at(0, 0) = 60;
  const DemData d = place(g, ProfileLine::wholeRow(1), 20);
  EXPECT_FLOAT_EQ(d.profile[640], 3);  // 60 m at 20 m a column
  EXPECT_FLOAT_EQ(d.profile[641], 3);
  EXPECT_FLOAT_EQ(d.profile[639], 104.0f / 20);
  for (float& h : g.heights) h = TerrainGrid::kNoData;
  EXPECT_EQ(refusal([&] { place(g, ProfileLine::wholeRow(1), 20); }),
            "The elevation file holds no data: every cell is marked no-data");
}

// A single row of three nodes, the middle 1000 m high, the line `length` metres long.
TEST_F(TerrainPlacementTest, TheCurrentScaleServesALineThatFitsElseTheSmallestThatDoesOrAShrunkLarge) {
  struct Case {
    float current;
    double length;
    float scale;
    double shrunk;
  } cases[] = {{20, 2000, 20, 1},      {4, 5120, 4, 1},        {4, 5121, 20, 1},  {100, 2000, 100, 1},
               {20, 25600, 20, 1},     {20, 25601, 100, 1},    {4, 128000, 100, 1}, {4, 128001, 100, 2},
               {100, 400000, 100, 4}};
  for (const Case& k : cases) {
    SCOPED_TRACE(::testing::Message() << k.current << " " << k.length);
    host.questions.clear(), host.messages.clear();
    const TerrainGrid g = makeTerrain(3, 1, k.length / 2, 10, [](int c, int) { return c == 1 ? 1000 : 0; });
    const DemData d = place(g, ProfileLine::wholeRow(0), k.current);
    EXPECT_EQ(d.scale, k.scale);
    EXPECT_FLOAT_EQ(d.profile[640], static_cast<float>(1000 / (k.scale * k.shrunk)));
    EXPECT_EQ(host.questions.size(), k.shrunk > 1 ? 1u : 0u);
    if (k.shrunk > 1) EXPECT_EQ(host.messages.at(0), "Data will be scaled by a factor of " + std::to_string(int(k.shrunk)) + "X");
  }
  host.yesNoAnswers = {false};
  EXPECT_THROW(place(makeTerrain(3, 1, 100000, 10, [](int, int) { return 0; }), ProfileLine::wholeRow(0), 20),
               DemImportAbandoned);
  EXPECT_EQ(refusal([&] { place(makeTerrain(3, 1, 100, 10, [](int, int) { return -50000; }), ProfileLine::wholeRow(0), 4); }),
            "Elevation -50000 m out of range -40000..40000 m at 4 m per column");
}

TEST_F(TerrainPlacementTest, LinesAreParsedAndMustLieInTheGrid) {
  EXPECT_EQ(parseProfileLine("7").row, 7);
  const ProfileLine s = parseProfileLine("1,2,3.5,40");
  EXPECT_TRUE(!s.row && s.x1 == 1 && s.y1 == 2 && s.x2 == 3.5 && s.y2 == 40);
  const std::string shape = "is not ROW or X1,Y1,X2,Y2 (cells of the grid)";
  for (const char* bad : {"", "a", "-1", "1,2,3", "1,2,3,4,5", "1,,2,3", " 1", "1,2,3,-4", "nan", "7 "}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(refusal([&] { parseProfileLine(bad); }), "'" + std::string(bad) + "' " + shape);
  }
  EXPECT_EQ(refusal([] { parseProfileLine("1.5"); }), "Row '1.5' is not a whole number");

  const TerrainGrid g = makeTerrain(101, 41, 20, 20, bumpy);
  const std::string extent = " of the grid's 101 columns (0..100) and 41 rows (0..40)";
  const std::pair<ProfileLine, std::string> refused[] = {
      {ProfileLine::wholeRow(41), "Row 41 is not one" + extent},
      {ProfileLine::segment(0, 0, 100.5, 3), "The point 100.5,3 lies outside" + extent},
      {ProfileLine::segment(0, 40.5, 1, 3), "The point 0,40.5 lies outside" + extent},
      {ProfileLine::segment(4, 5, 4, 5), "The profile line has no length"}};
  for (const auto& [line, why] : refused) EXPECT_EQ(refusal([&, &l = line] { place(g, l, 20); }), why);
  EXPECT_EQ(defaultProfileLine(g).row, 20);
  EXPECT_NO_THROW(place(g, ProfileLine::segment(0, 0, 100, 40), 20));
}

TEST_F(TerrainPlacementTest, TheMapGridIsGivenBackInMetresAtTheMapStepWithNothingAsNoData) {
  Model m;
  m.Scale = 20, m.MapStep = 6;
  m.mapGrid(1, 1) = 5, m.mapUnit(1, 1) = 2;
  m.mapGrid(13, 1) = 0, m.mapUnit(13, 1) = 3;  // ground at sea level, mapped
  m.mapGrid(1, 7) = -2;                         // below sea level, no unit
  const TerrainGrid g = mapTerrain(m);
  int columns = 0, rows = 0;
  for (int x = 1; x <= 1280 - 6; x += 6) ++columns;
  for (int y = 1; y <= 640 - 6; y += 6) ++rows;
  EXPECT_EQ(std::tuple(g.columns, g.rows, g.cellWidth, g.cellHeight), std::tuple(columns, rows, 120.0, 120.0));
  EXPECT_EQ(std::tuple(g.at(0, 0), g.at(2, 0), g.at(0, 1)), std::tuple(100.0f, 0.0f, -40.0f));
  EXPECT_TRUE(TerrainGrid::isNoData(g.at(1, 0)));
  m.Scale = 30;
  EXPECT_EQ(refusal([&] { mapTerrain(m); }), "Scale 30 out of range");

  const std::pair<const char*, std::optional<TerrainFormat>> names[] = {
      {"a.tif", TerrainFormat::GeoTiff}, {"/x/A.TIFF", TerrainFormat::GeoTiff}, {"b.Asc", TerrainFormat::AsciiGrid},
      {"c.dem", std::nullopt},           {"d.tif/e", std::nullopt},             {"tif", std::nullopt}};
  for (const auto& [name, format] : names) EXPECT_EQ(terrainFormatOf(name), format) << name;
}

}  // namespace
}  // namespace magmo::test
