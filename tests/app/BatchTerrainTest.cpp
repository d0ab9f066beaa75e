// magmo-batch with GIS rasters: --dem-line and --load / --save-dem of .tif and .asc files.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sstream>

#include "app/batch/BatchOptions.h"
#include "app/batch/BatchRunner.h"
#include "gis/GdalTerrain.h"
#include "support/FileTestSupport.h"
#include "support/TerrainTestHost.h"

namespace magmo::batch {
namespace {

std::string refused(const std::vector<std::string>& args) {
  try {
    parseOptions(args);
  } catch (const BatchError& e) {
    return e.what();
  }
  return "(accepted)";
}

TEST(BatchTerrain, TheProfileLineIsARowOrFourCellCoordinatesGivenOnce) {
  EXPECT_EQ(parseOptions({"--dem-line", "12", "--load", "a.tif"}).dem.line->row, 12);
  const ProfileLine s = *parseOptions({"--load", "a.tif", "--dem-line", "0,1.5,20,30"}).dem.line;
  EXPECT_TRUE(!s.row && s.x1 == 0 && s.y1 == 1.5 && s.x2 == 20 && s.y2 == 30);
  EXPECT_FALSE(parseOptions({"--load", "a.tif"}).dem.line);
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--dem-line", "1,2,3"}, "--dem-line: '1,2,3' is not ROW or X1,Y1,X2,Y2 (cells of the grid)"},
      {{"--dem-line", "-4"}, "--dem-line: '-4' is not ROW or X1,Y1,X2,Y2 (cells of the grid)"},
      {{"--dem-line", "2.5"}, "--dem-line: Row '2.5' is not a whole number"},
      {{"--dem-line"}, "--dem-line needs a value"},
      {{"--dem-line", "1", "--dem-line", "2"}, "--dem-line: the profile line is given twice"}};
  for (const auto& [args, why] : cases) EXPECT_EQ(refused(args), why);
}

TEST(BatchTerrain, ARasterLoadsAlongTheGivenLineAndTheMapSavesAsARaster) {
  QTemporaryDir dir;
  const auto file = [&](const std::string& name) { return dir.path().toStdString() + "/" + name; };
  QDir(dir.path()).mkdir("work");
  Paths paths;
  paths.work = file("work/");
  gis::writeTerrainFile(file("hill.tif"),
                        test::makeTerrain(41, 5, 20, 20, [](int c, int r) { return 100 + 10 * c + 1000 * r; }),
                        TerrainFormat::GeoTiff);
  std::ostringstream report;
  const auto run = [&](const std::vector<std::string>& args) -> std::string {
    try {
      BatchRunner runner(paths, report);
      runner.run(parseOptions(args));
      EXPECT_FLOAT_EQ(runner.sim().m.Topo[640 - 20], (100 + 1000 * 3) / 20.0f);
    } catch (const BatchError& e) {
      return e.what();
    }
    return "";
  };
  EXPECT_EQ(run({"--maps", "--load", file("hill.tif"), "--dem-line", "3", "--save-dem", file("map.asc")}), "");
  // The map reaches past the raster on every side, where the ground keeps its edge height: its
  // first cell has the raster's north-west node.
  const std::string map = test::slurp(file("map.asc"));
  EXPECT_TRUE(map.starts_with("ncols")) << map;
  std::istringstream cells(map);
  std::string word;
  for (int i = 0; i < 12; ++i) cells >> word;  // six header lines of a name and a value
  double first = 0;
  cells >> first;
  EXPECT_EQ(first, 100) << map.substr(0, 300);
  EXPECT_EQ(run({"--load", file("hill.tif"), "--dem-line", "0,9,40,9"}),
            "Cannot read DEM file '" + file("hill.tif") +
                "' format The point 0,9 lies outside of the grid's 41 columns (0..40) and 5 rows (0..4)");
}

}  // namespace
}  // namespace magmo::batch
