#include "gis/GdalTerrain.h"

#include <cpl_conv.h>
#include <cpl_error.h>
#include <cpl_string.h>
#include <cpl_vsi.h>
#include <gdal.h>
#include <ogr_srs_api.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <numbers>
#include <tuple>
#include <vector>

#include "model/Numeric.h"
#include "model/SimError.h"
#include "textio/FileNames.h"
#include "textio/ReplaceFile.h"

namespace magmo::gis {

namespace {

struct DatasetCloser {
  void operator()(void* ds) const { GDALClose(static_cast<GDALDatasetH>(ds)); }
};
using Dataset = std::unique_ptr<void, DatasetCloser>;

// GDAL reports through a handler that would print to the terminal; the caller shows the message.
class QuietErrors {
 public:
  QuietErrors() {
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
  }
  ~QuietErrors() { CPLPopErrorHandler(); }
  QuietErrors(const QuietErrors&) = delete;
  QuietErrors& operator=(const QuietErrors&) = delete;
};

std::string lastGdalMessage() {
  const std::string m = CPLGetLastErrorMsg();
  return m.empty() ? "GDAL gave no reason" : m;
}

[[noreturn]] void refuse(const std::string& path, const std::string& why) {
  throw SimError("Cannot read '" + path + "': " + why);
}

struct Drivers {
  std::vector<std::string> allowed;  // every raster driver but the XYZ text one
  std::map<std::string, std::string> byExtension;  // lower-case extension -> format's name
};

// Registered once; the table of raster drivers is made at the same time.
const Drivers& drivers() {
  static const Drivers d = [] {
    GDALAllRegister();
    Drivers out;
    for (int i = 0; i < GDALGetDriverCount(); ++i) {
      GDALDriverH drv = GDALGetDriver(i);
      const char* name = GDALGetDriverShortName(drv);
      if (!GDALGetMetadataItem(drv, GDAL_DCAP_RASTER, nullptr) || std::string(name) == "XYZ") continue;
      out.allowed.emplace_back(name);
      const char* exts = GDALGetMetadataItem(drv, GDAL_DMD_EXTENSIONS, nullptr);
      const char* longName = GDALGetMetadataItem(drv, GDAL_DMD_LONGNAME, nullptr);
      const CPLStringList list(CSLTokenizeString(exts ? exts : ""));
      for (int k = 0; k < list.size(); ++k) {
        const std::string e = list[k];
        // Magmo's own and bare text layouts use these, and are not meant for GDAL.
        if (e == "dem" || e == "txt" || e == "csv") continue;
        out.byExtension.emplace(e, longName ? longName : name);
      }
    }
    return out;
  }();
  return d;
}

// Metres per cell of a grid in angular units, at its middle latitude on the ellipsoid.
std::pair<double, double> angularCellMetres(double dx, double dy, double latitude, double semiMajor,
                                            double semiMinor, double radiansPerUnit) {
  const double e2 = 1 - (semiMinor * semiMinor) / (semiMajor * semiMajor);
  const double phi = latitude * radiansPerUnit, w = 1 - e2 * std::sin(phi) * std::sin(phi);
  const double primeVertical = semiMajor / std::sqrt(w), meridional = semiMajor * (1 - e2) / (w * std::sqrt(w));
  return {dx * radiansPerUnit * primeVertical * std::cos(phi), dy * radiansPerUnit * meridional};
}

// Grids with no coordinate system whose cells and place can only be degrees.
bool looksGeographic(const double gt[6], int columns, int rows) {
  const double west = gt[0], east = gt[0] + gt[1] * columns, north = gt[3], south = gt[3] + gt[5] * rows;
  return std::fabs(gt[1]) < 0.01 && std::fabs(gt[5]) < 0.01 && std::min(west, east) >= -180 &&
         std::max(west, east) <= 360 && std::min(north, south) >= -90 && std::max(north, south) <= 90;
}

void setCellSize(GDALDatasetH ds, const double gt[6], TerrainGrid& g, const std::string& path) {
  const double dx = std::fabs(gt[1]), dy = std::fabs(gt[5]);
  const double middleY = gt[3] + gt[5] * g.rows / 2;
  OGRSpatialReferenceH srs = GDALGetSpatialRef(ds);
  if (srs) {
    char* wkt = nullptr;
    if (OSRExportToWkt(srs, &wkt) == OGRERR_NONE && wkt) g.projectionWkt = wkt;
    CPLFree(wkt);
  }
  if (srs && OSRIsGeographic(srs)) {
    OGRErr err = OGRERR_NONE;
    const double a = OSRGetSemiMajor(srs, &err), b = OSRGetSemiMinor(srs, &err);
    if (err != OGRERR_NONE || !(a > 0 && b > 0)) refuse(path, "its coordinate system gives no ellipsoid");
    const double radians = OSRGetAngularUnits(srs, nullptr);
    std::tie(g.cellWidth, g.cellHeight) = angularCellMetres(dx, dy, middleY, a, b, radians);
  } else if (srs) {
    const double metres = OSRGetLinearUnits(srs, nullptr);
    g.cellWidth = dx * metres, g.cellHeight = dy * metres;
  } else if (looksGeographic(gt, g.columns, g.rows)) {
    std::tie(g.cellWidth, g.cellHeight) =
        angularCellMetres(dx, dy, middleY, SRS_WGS84_SEMIMAJOR, SRS_WGS84_SEMIMAJOR * (1 - 1 / SRS_WGS84_INVFLATTENING),
                          std::numbers::pi / 180);
  } else {
    g.cellWidth = dx, g.cellHeight = dy;  // a local grid in metres
  }
  if (!(g.cellWidth > 0 && g.cellHeight > 0 && std::isfinite(g.cellWidth) && std::isfinite(g.cellHeight)))
    refuse(path, "its cell size cannot be put in metres");
}

// Heights in metres, NaN where the file marks no data; rows from the north, columns from the west.
void readHeights(GDALRasterBandH band, const double gt[6], TerrainGrid& g, const std::string& path) {
  g.heights.resize(static_cast<size_t>(g.columns) * g.rows);
  if (GDALRasterIO(band, GF_Read, 0, 0, g.columns, g.rows, g.heights.data(), g.columns, g.rows, GDT_Float32, 0, 0) !=
      CE_None)
    refuse(path, lastGdalMessage());
  int hasNoData = 0;
  const double noData = GDALGetRasterNoDataValue(band, &hasNoData);
  const float marker = static_cast<float>(noData);
  const double scale = GDALGetRasterScale(band, nullptr), offset = GDALGetRasterOffset(band, nullptr);
  std::string unit = GDALGetRasterUnitType(band);
  std::transform(unit.begin(), unit.end(), unit.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  const double metres = unit == "ft" || unit == "foot" || unit == "feet" ? 0.3048 : 1;
  const bool plain = scale == 1 && offset == 0 && metres == 1;
  for (float& h : g.heights) {
    if (!std::isfinite(h) || (hasNoData && h == marker))
      h = TerrainGrid::kNoData;
    else if (!plain)
      h = static_cast<float>((h * scale + offset) * metres);
  }
  if (gt[1] < 0)
    for (int r = 0; r < g.rows; ++r) std::reverse(&g.at(0, r), &g.at(0, r) + g.columns);
  if (gt[5] > 0)
    for (int r = 0; r < g.rows / 2; ++r) std::swap_ranges(&g.at(0, r), &g.at(0, r) + g.columns, &g.at(0, g.rows - 1 - r));
}

}  // namespace

bool isTerrainFile(const std::string& path) {
  const Drivers& known = drivers();
  if (known.byExtension.count(lowerExtension(path))) return true;
  QuietErrors quiet;
  CPLStringList allowed;
  for (const std::string& n : known.allowed) allowed.AddString(n.c_str());
  return GDALIdentifyDriverEx(path.c_str(), GDAL_OF_RASTER, allowed.List(), nullptr) != nullptr;
}

std::optional<TerrainGrid> readTerrainFile(const std::string& path) {
  const Drivers& known = drivers();
  QuietErrors quiet;
  CPLStringList allowed;
  for (const std::string& n : known.allowed) allowed.AddString(n.c_str());
  Dataset ds(GDALOpenEx(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, allowed.List(), nullptr, nullptr));
  if (!ds) {
    if (CPLGetLastErrorType() >= CE_Failure) refuse(path, lastGdalMessage());
    const auto claimed = known.byExtension.find(lowerExtension(path));
    if (claimed != known.byExtension.end()) refuse(path, "it is not a readable " + claimed->second + " file");
    return std::nullopt;
  }
  GDALDatasetH h = ds.get();
  TerrainGrid g;
  g.columns = GDALGetRasterXSize(h), g.rows = GDALGetRasterYSize(h);
  if (GDALGetRasterCount(h) < 1) refuse(path, "it holds no raster band");
  if (static_cast<size_t>(g.columns) * static_cast<size_t>(g.rows) > kMaxCells)
    refuse(path, "its grid of " + std::to_string(g.columns) + " x " + std::to_string(g.rows) +
                     " cells is larger than the " + std::to_string(kMaxCells / 1'000'000) +
                     " million cells Magmo opens; cut out the part you need with a GIS program");
  double gt[6];
  if (GDALGetGeoTransform(h, gt) != CE_None) refuse(path, "it does not say its cell size (no georeferencing)");
  if (gt[2] != 0 || gt[4] != 0) refuse(path, "its grid is rotated against north");
  if (gt[1] == 0 || gt[5] == 0) refuse(path, "its cell size is zero");
  setCellSize(h, gt, g, path);
  g.originX = std::min(gt[0], gt[0] + gt[1] * g.columns);
  g.originY = std::max(gt[3], gt[3] + gt[5] * g.rows);
  readHeights(GDALGetRasterBand(h, 1), gt, g, path);
  return g;
}

namespace {

// GDAL writes in memory: the file and, for an ASCII grid with a projection, its .prj.
std::pair<std::string, std::optional<std::string>> encode(const TerrainGrid& g, TerrainFormat format,
                                                          const std::string& what) {
  const auto fail = [&](const std::string& why) { throw SimError("Cannot write '" + what + "': " + why); };
  if (g.columns < 1 || g.rows < 1 || g.heights.size() != static_cast<size_t>(g.columns) * g.rows)
    fail("the grid is empty");
  drivers();
  QuietErrors quiet;
  std::vector<float> values(g.heights);
  for (float& v : values) {
    if (TerrainGrid::isNoData(v)) v = static_cast<float>(kNoDataValue);
    else if (v <= kNoDataValue) fail("a height of " + generalNumber(v) + " m would read as no data");
  }
  Dataset mem(GDALCreate(GDALGetDriverByName("MEM"), "", g.columns, g.rows, 1, GDT_Float32, nullptr));
  if (!mem) fail(lastGdalMessage());
  double gt[6] = {g.originX, g.cellWidth, 0, g.originY, 0, -g.cellHeight};
  GDALSetGeoTransform(mem.get(), gt);
  if (!g.projectionWkt.empty()) GDALSetProjection(mem.get(), g.projectionWkt.c_str());
  GDALRasterBandH band = GDALGetRasterBand(mem.get(), 1);
  GDALSetRasterNoDataValue(band, kNoDataValue);
  if (GDALRasterIO(band, GF_Write, 0, 0, g.columns, g.rows, values.data(), g.columns, g.rows, GDT_Float32, 0, 0) !=
      CE_None)
    fail(lastGdalMessage());

  static std::atomic<int> serial{0};
  const bool tiff = format == TerrainFormat::GeoTiff;
  const std::string stem = "/vsimem/magmo-terrain-" + std::to_string(serial++);
  const std::string inMemory = stem + (tiff ? ".tif" : ".asc");
  CPLStringList options;
  if (!tiff) options.AddString("DECIMAL_PRECISION=3");
  Dataset out(GDALCreateCopy(GDALGetDriverByName(tiff ? "GTiff" : "AAIGrid"), inMemory.c_str(), mem.get(), FALSE,
                             options.List(), nullptr, nullptr));
  const std::string failure = out ? "" : lastGdalMessage();
  out.reset();
  const auto take = [](const std::string& name) -> std::optional<std::string> {
    vsi_l_offset length = 0;
    GByte* bytes = VSIGetMemFileBuffer(name.c_str(), &length, FALSE);
    std::optional<std::string> content;
    if (bytes) content.emplace(reinterpret_cast<const char*>(bytes), static_cast<size_t>(length));
    VSIUnlink(name.c_str());
    return content;
  };
  std::optional<std::string> content = take(inMemory);
  std::optional<std::string> prj = take(stem + ".prj");
  VSIUnlink((inMemory + ".aux.xml").c_str());
  if (!failure.empty()) fail(failure);
  if (!content) fail("GDAL wrote nothing");
  return {std::move(*content), std::move(prj)};
}

}  // namespace

std::string terrainFileBytes(const TerrainGrid& g, TerrainFormat format, const std::string& what) {
  return encode(g, format, what).first;
}

// The bytes then replace the target as every other save does.
void writeTerrainFile(const std::string& path, const TerrainGrid& g, TerrainFormat format) {
  const auto [content, prj] = encode(g, format, path);
  replaceFile(path, content);
  if (prj) replaceFile(std::filesystem::path(path).replace_extension(".prj").string(), *prj);
}

}  // namespace magmo::gis
