#include "gis/GdalTerrain.h"

#include <cpl_string.h>
#include <gdal.h>
#include <ogr_srs_api.h>

#include <cmath>
#include <cstdio>
#include <functional>

#include "formats/TerrainPlacement.h"
#include "support/FileTestSupport.h"
#include "support/TerrainTestHost.h"

namespace magmo::test {
namespace {

// A raster written by GDAL itself: size, corner, cell, coordinate system (EPSG code, 0 none),
// heights from f(column, row) as the given type, an optional no-data value.
struct Raster {
  std::string driver = "GTiff";
  int columns = 4, rows = 3;
  double gt[6] = {500000, 30, 0, 4000000, 0, -30};
  int epsg = 32633;
  GDALDataType type = GDT_Float32;
  std::optional<double> noData;
  std::function<double(int, int)> f = [](int c, int r) { return 100 + 10 * c + r; };

  void write(const std::string& path) const {
    GDALAllRegister();
    GDALDatasetH mem = GDALCreate(GDALGetDriverByName("MEM"), "", columns, rows, 1, type, nullptr);
    GDALSetGeoTransform(mem, const_cast<double*>(gt));
    if (epsg) {
      OGRSpatialReferenceH srs = OSRNewSpatialReference(nullptr);
      OSRImportFromEPSG(srs, epsg);
      GDALSetSpatialRef(mem, srs);
      OSRDestroySpatialReference(srs);
    }
    GDALRasterBandH band = GDALGetRasterBand(mem, 1);
    if (noData) GDALSetRasterNoDataValue(band, *noData);
    std::vector<double> v(static_cast<size_t>(columns) * rows);
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < columns; ++c) v[static_cast<size_t>(r) * columns + c] = f(c, r);
    EXPECT_EQ(GDALRasterIO(band, GF_Write, 0, 0, columns, rows, v.data(), columns, rows, GDT_Float64, 0, 0), CE_None);
    GDALClose(GDALCreateCopy(GDALGetDriverByName(driver.c_str()), path.c_str(), mem, FALSE, nullptr, nullptr, nullptr));
    GDALClose(mem);
  }
};

std::string refusal(const std::function<void()>& f) {
  try {
    f();
  } catch (const SimError& e) {
    return e.what();
  }
  return "(accepted)";
}

// The saved file as GDAL reads it: size, cell, no-data and heights.
struct Saved {
  int columns = 0, rows = 0;
  double gt[6] = {};
  double noData = 0;
  std::vector<double> z;
};
Saved readBack(const std::string& path) {
  Saved s;
  GDALDatasetH ds = GDALOpen(path.c_str(), GA_ReadOnly);
  if (!ds) return s;
  s.columns = GDALGetRasterXSize(ds), s.rows = GDALGetRasterYSize(ds);
  GDALGetGeoTransform(ds, s.gt);
  GDALRasterBandH band = GDALGetRasterBand(ds, 1);
  s.noData = GDALGetRasterNoDataValue(band, nullptr);
  s.z.resize(static_cast<size_t>(s.columns) * s.rows);
  GDALRasterIO(band, GF_Read, 0, 0, s.columns, s.rows, s.z.data(), s.columns, s.rows, GDT_Float64, 0, 0);
  GDALClose(ds);
  return s;
}

TEST(GdalTerrain, RastersOpenAtTheirSizeCellAndHeightsWithNoDataMarked) {
  TempDir dir;
  Raster utm;  // 30 m cells in metres, int16 with a no-data value
  utm.type = GDT_Int16, utm.noData = -9999;
  utm.f = [](int c, int r) { return c == 2 && r == 1 ? -9999 : 100 + 10 * c + r; };
  Raster asc;  // an ASCII grid with no coordinate system: metres
  asc.driver = "AAIGrid", asc.epsg = 0, asc.gt[1] = 25, asc.gt[5] = -25;
  Raster southUp;  // rows stored from the south come back from the north
  southUp.gt[3] = 3999910, southUp.gt[5] = 30;
  Raster feet;  // a projection in US feet
  feet.epsg = 2227, feet.gt[1] = 100, feet.gt[5] = -100;
  const std::tuple<std::string, Raster, double, std::function<double(int, int)>> cases[] = {
      {"utm.tif", utm, 30, utm.f},
      {"plain.asc", asc, 25, asc.f},
      {"south.tif", southUp, 30, [](int c, int r) { return 100 + 10 * c + (2 - r); }},
      {"feet.tif", feet, 30.48006096, feet.f}};
  for (const auto& [name, raster, cell, expected] : cases) {
    SCOPED_TRACE(name);
    raster.write(dir.path(name));
    const std::optional<TerrainGrid> g = gis::readTerrainFile(dir.path(name));
    ASSERT_TRUE(g);
    EXPECT_EQ(std::pair(g->columns, g->rows), std::pair(4, 3));
    EXPECT_NEAR(g->cellWidth, cell, 1e-6);
    EXPECT_NEAR(g->cellHeight, cell, 1e-6);
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 4; ++c) {
        if (expected(c, r) == -9999)
          EXPECT_TRUE(TerrainGrid::isNoData(g->at(c, r)));
        else
          EXPECT_EQ(g->at(c, r), expected(c, r)) << c << "," << r;
      }
  }
}

// One arc-second is 30.92 m east and 30.72 m north on the equator; at 60 degrees north 15.50 m
// east and 30.95 m north. A grid with no coordinate system but degrees' cells is taken as such.
TEST(GdalTerrain, CellsInDegreesBecomeMetresAtTheGridsLatitude) {
  TempDir dir;
  const double second = 1.0 / 3600;
  const std::tuple<const char*, int, double, double, double> cases[] = {
      {"equator.tif", 4326, 0.0015, 30.92, 30.72},
      {"north.tif", 4326, 60.0015, 15.50, 30.95},
      {"bare.asc", 0, 60.0015, 15.50, 30.95}};
  for (const auto& [name, epsg, north, east, northward] : cases) {
    SCOPED_TRACE(name);
    Raster r;
    r.driver = std::string(name).ends_with(".asc") ? "AAIGrid" : "GTiff";
    r.epsg = epsg, r.columns = r.rows = 10;
    double gt[6] = {14.0, second, 0, north, 0, -second};
    std::copy(gt, gt + 6, r.gt);
    r.write(dir.path(name));
    const std::optional<TerrainGrid> g = gis::readTerrainFile(dir.path(name));
    ASSERT_TRUE(g);
    EXPECT_NEAR(g->cellWidth, east, 0.01);
    EXPECT_NEAR(g->cellHeight, northward, 0.01);
  }
  // An SRTM tile as its own format names it: 1201 x 1201 cells of 3 seconds.
  Raster srtm;
  srtm.driver = "SRTMHGT", srtm.epsg = 4326, srtm.type = GDT_Int16, srtm.columns = srtm.rows = 1201;
  const double tile[6] = {-0.5 / 1200, 1.0 / 1200, 0, 1 + 0.5 / 1200, 0, -1.0 / 1200};
  std::copy(tile, tile + 6, srtm.gt);
  srtm.f = [](int c, int r) { return (c * 7 + r * 3) % 3000; };
  srtm.write(dir.path("N00E000.hgt"));
  const std::optional<TerrainGrid> g = gis::readTerrainFile(dir.path("N00E000.hgt"));
  ASSERT_TRUE(g);
  EXPECT_EQ(std::tuple(g->columns, g->rows, g->at(1200, 0), g->at(5, 1000)), std::tuple(1201, 1201, 2400.0f, 3035 % 3000 * 1.0f));
  EXPECT_NEAR(g->cellWidth, 3 * 30.92, 0.1);
  EXPECT_NEAR(g->cellHeight, 3 * 30.72, 0.1);
}

TEST(GdalTerrain, DamagedOversizedAndTextFilesAreToldApart) {
  TempDir dir;
  spit(dir.path("broken.tif"), std::string("II*\0\x08\0\0\0\xff\xff", 10));
  spit(dir.path("words.tif"), "no picture here");
  spit(dir.path("bare.dem"), "0,0,10\r\n20,0,11\r\n0,20,12\r\n20,20,13\r\n");
  spit(dir.path("rows.dem"), "1 2 3\r\n4 5 6\r\n");
  spit(dir.path("notes.xyz"), "0 0 10\n20 0 11\n0 20 12\n20 20 13\n");
  const std::string broken = refusal([&] { gis::readTerrainFile(dir.path("broken.tif")); });
  EXPECT_TRUE(broken.starts_with("Cannot read '" + dir.path("broken.tif") + "': ")) << broken;
  EXPECT_GT(broken.size(), ("Cannot read '" + dir.path("broken.tif") + "': ").size() + 5);
  EXPECT_EQ(refusal([&] { gis::readTerrainFile(dir.path("words.tif")); }),
            "Cannot read '" + dir.path("words.tif") + "': it is not a readable GeoTIFF file");
  for (const char* text : {"bare.dem", "rows.dem", "notes.xyz"}) {
    EXPECT_FALSE(gis::readTerrainFile(dir.path(text))) << text;
    EXPECT_FALSE(gis::isTerrainFile(dir.path(text))) << text;
  }
  EXPECT_TRUE(gis::isTerrainFile(dir.path("words.tif")));

  // Larger than the limit: refused from its header, before anything is read.
  GDALAllRegister();
  char** options = CSLSetNameValue(nullptr, "SPARSE_OK", "TRUE");
  GDALDatasetH big = GDALCreate(GDALGetDriverByName("GTiff"), dir.path("big.tif").c_str(), 8000, 5001, 1, GDT_Int16, options);
  double gt[6] = {0, 10, 0, 0, 0, -10};
  GDALSetGeoTransform(big, gt);
  GDALClose(big);
  CSLDestroy(options);
  EXPECT_EQ(refusal([&] { gis::readTerrainFile(dir.path("big.tif")); }),
            "Cannot read '" + dir.path("big.tif") +
                "': its grid of 8000 x 5001 cells is larger than the 40 million cells Magmo opens; cut out the part "
                "you need with a GIS program");
}

// A smooth terrain of 20 m cells goes into the section along its middle row and comes back out
// of the map grid at 120 m cells; where the two overlap, heights agree within bilinear error.
TEST(GdalTerrain, RoundTripThroughTheSectionKeepsTheTerrainAndGdalReadsWhatMagmoWrote) {
  TempDir dir;
  const auto terrain = [](double east, double north) {
    return 800 + 300 * std::sin(east / 700) * std::cos(north / 500);
  };
  Raster src;
  src.columns = 121, src.rows = 81, src.gt[1] = 20, src.gt[5] = -20;
  src.f = [&](int c, int r) { return terrain(c * 20.0, -r * 20.0); };
  src.write(dir.path("src.tif"));
  const std::optional<TerrainGrid> g = gis::readTerrainFile(dir.path("src.tif"));
  ASSERT_TRUE(g);
  TestHost host;
  DemData d;
  placeTerrain(host, *g, defaultProfileLine(*g), 20, d);
  Model m;
  m.Scale = d.scale, m.MapStep = 6, m.MapGrid = d.grid;
  std::fill(m.MapUnit.begin(), m.MapUnit.end(), 4);
  for (const char* name : {"out.tif", "out.asc"}) {
    SCOPED_TRACE(name);
    gis::writeTerrainFile(dir.path(name), mapTerrain(m), *terrainFormatOf(name));
    const Saved s = readBack(dir.path(name));
    ASSERT_EQ(std::pair(s.columns, s.rows), std::pair(213, 106));
    EXPECT_EQ(std::tuple(s.gt[1], s.gt[5], s.noData), std::tuple(120.0, -120.0, gis::kNoDataValue));
    int compared = 0;
    for (int j = 0; j < s.rows; ++j)
      for (int i = 0; i < s.columns; ++i) {
        // Section column x lies (x - 640) columns east of the line's midpoint, node (60, 40).
        const double east = 1200 + (1 + i * 6 - 640) * 20.0, north = -800 + (320 - 1 - j * 6) * 20.0;
        if (east < 0 || east > 2400 || north > 0 || north < -1600) continue;
        ++compared;
        ASSERT_NEAR(s.z[static_cast<size_t>(j) * s.columns + i], terrain(east, north), 0.2) << i << "," << j;
      }
    EXPECT_GT(compared, 100);
  }
#ifdef MAGMO_GDALINFO
  for (const char* name : {"out.tif", "out.asc"}) {
    const std::string command = std::string(MAGMO_GDALINFO) + " '" + dir.path(name) + "' 2>&1";
    FILE* p = popen(command.c_str(), "r");
    ASSERT_TRUE(p);
    std::string out;
    char buffer[4096];
    while (size_t n = fread(buffer, 1, sizeof buffer, p)) out.append(buffer, n);
    EXPECT_EQ(pclose(p), 0) << out;
    EXPECT_NE(out.find("Size is 213, 106"), std::string::npos) << out;
    EXPECT_NE(out.find("Pixel Size = (120.000000000000000,-120.000000000000000)"), std::string::npos) << out;
    EXPECT_NE(out.find("NoData Value=-32768"), std::string::npos) << out;
  }
#else
  GTEST_SKIP() << "gdalinfo is not installed";
#endif
}

TEST(GdalTerrain, NothingInTheGridIsWrittenAsNoDataAndAFailedSaveKeepsTheOldFile) {
  TempDir dir;
  TerrainGrid g = makeTerrain(3, 2, 50, 50, [](int c, int r) { return c + 10 * r; });
  g.at(1, 1) = TerrainGrid::kNoData;
  gis::writeTerrainFile(dir.path("a.asc"), g, TerrainFormat::AsciiGrid);
  const Saved s = readBack(dir.path("a.asc"));
  EXPECT_EQ(s.z, (std::vector<double>{0, 1, 2, 10, gis::kNoDataValue, 12}));
  const std::string before = slurp(dir.path("a.asc"));
  g.at(0, 0) = -40000;  // would read back as no data
  EXPECT_EQ(refusal([&] { gis::writeTerrainFile(dir.path("a.asc"), g, TerrainFormat::AsciiGrid); }),
            "Cannot write '" + dir.path("a.asc") + "': a height of -40000 m would read as no data");
  EXPECT_EQ(slurp(dir.path("a.asc")), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.folder()), {}), 1);
}

}  // namespace
}  // namespace magmo::test
