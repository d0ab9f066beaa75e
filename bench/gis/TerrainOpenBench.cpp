// Opening an SRTM-sized tile (3601 x 3601 heights, one arc-second, int16): GDAL's read into
// metres and the placement along the middle row, which File > Open > DEM File runs in turn.
#include <benchmark/benchmark.h>
#include <gdal.h>
#include <ogr_srs_api.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../NullHost.h"
#include "formats/TerrainPlacement.h"
#include "gis/GdalTerrain.h"

namespace {

constexpr int kSide = 3601;

// A cone with ridges, written once per run and removed at exit.
const std::string& tile() {
  static const std::string path = [] {
    static std::string p = "/tmp/magmo-bench-" + std::to_string(getpid()) + "/N46E007.hgt";
    std::system(("mkdir -p /tmp/magmo-bench-" + std::to_string(getpid())).c_str());
    GDALAllRegister();
    GDALDatasetH mem = GDALCreate(GDALGetDriverByName("MEM"), "", kSide, kSide, 1, GDT_Int16, nullptr);
    const double step = 1.0 / (kSide - 1);
    double gt[6] = {7 - step / 2, step, 0, 47 + step / 2, 0, -step};
    GDALSetGeoTransform(mem, gt);
    OGRSpatialReferenceH srs = OSRNewSpatialReference(nullptr);
    OSRImportFromEPSG(srs, 4326);
    GDALSetSpatialRef(mem, srs);
    OSRDestroySpatialReference(srs);
    std::vector<int16_t> z(static_cast<size_t>(kSide) * kSide);
    for (int r = 0; r < kSide; ++r)
      for (int c = 0; c < kSide; ++c) {
        const double d = std::hypot(c - 1800.0, r - 1800.0), a = std::atan2(r - 1800.0, c - 1800.0);
        z[static_cast<size_t>(r) * kSide + c] =
            static_cast<int16_t>(std::max(300.0, 3300 - 1.6 * d) + 40 * std::sin(9 * a) * std::min(1.0, d / 200));
      }
    GDALRasterIO(GDALGetRasterBand(mem, 1), GF_Write, 0, 0, kSide, kSide, z.data(), kSide, kSide, GDT_Int16, 0, 0);
    GDALClose(GDALCreateCopy(GDALGetDriverByName("SRTMHGT"), p.c_str(), mem, FALSE, nullptr, nullptr, nullptr));
    GDALClose(mem);
    std::atexit([] {
      std::remove(p.c_str());
      std::system(("rmdir /tmp/magmo-bench-" + std::to_string(getpid())).c_str());
    });
    return p;
  }();
  return path;
}

void BM_OpenSrtmTile(benchmark::State& state) {
  magmo::bench::NullHost host;
  tile();
  for (auto _ : state) {
    const std::optional<magmo::TerrainGrid> g = magmo::gis::readTerrainFile(tile());
    magmo::DemData d;
    magmo::placeTerrain(host, *g, magmo::defaultProfileLine(*g), 20, d);
    benchmark::DoNotOptimize(d.grid.data());
  }
}
BENCHMARK(BM_OpenSrtmTile)->Unit(benchmark::kMillisecond);

void BM_ReadSrtmTile(benchmark::State& state) {
  tile();
  for (auto _ : state) benchmark::DoNotOptimize(magmo::gis::readTerrainFile(tile()));
}
BENCHMARK(BM_ReadSrtmTile)->Unit(benchmark::kMillisecond);

void BM_PlaceSrtmTile(benchmark::State& state) {
  magmo::bench::NullHost host;
  const std::optional<magmo::TerrainGrid> g = magmo::gis::readTerrainFile(tile());
  for (auto _ : state) {
    magmo::DemData d;
    magmo::placeTerrain(host, *g, magmo::defaultProfileLine(*g), 20, d);
    benchmark::DoNotOptimize(d.grid.data());
  }
}
BENCHMARK(BM_PlaceSrtmTile)->Unit(benchmark::kMillisecond);

}  // namespace
