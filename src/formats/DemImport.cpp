#include "formats/DemImport.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "textio/NumberScanner.h"
#include "model/Host.h"
#include "model/Model.h"
#include "model/Numeric.h"

namespace magmo {

namespace {

constexpr const char* kTitle = "Magmo DEM Import";
// Bounds that keep a hostile file from exhausting memory or overflowing the arithmetic.
constexpr size_t kMaxPoints = 5'000'000;
constexpr int kMaxRasterSide = 20'000;
constexpr double kCoordinateLimit = 1e12, kHeightLimit = 1e6;
constexpr double kLargeWidth = 128'000;  // metres across the grid at the large scale
// Points closer than this are no metres apart but, most likely, degrees: the smallest column is
// 4 m wide, and data this dense would crowd a thousand points into each cell.
constexpr double kMinSpacing = 0.1;
constexpr int kGridWidth = kColumns + 1;

struct Point {
  double x, y;
  float z;
};

struct Extent {
  double xmin, xmax, ymin, ymax;
  double xrange() const { return xmax - xmin; }
  double yrange() const { return ymax - ymin; }
};

Extent extentOf(const std::vector<Point>& pts) {
  Extent e{pts[0].x, pts[0].x, pts[0].y, pts[0].y};
  for (const Point& p : pts) {
    e.xmin = std::min(e.xmin, p.x), e.xmax = std::max(e.xmax, p.x);
    e.ymin = std::min(e.ymin, p.y), e.ymax = std::max(e.ymax, p.y);
  }
  return e;
}

void addPoint(NumberScanner& in, std::vector<Point>& pts, double x, double y, double z) {
  if (pts.size() >= kMaxPoints) in.fail("More than " + std::to_string(kMaxPoints) + " points");
  if (std::fabs(x) > kCoordinateLimit || std::fabs(y) > kCoordinateLimit) in.fail("Coordinate out of range");
  if (std::fabs(z) > kHeightLimit)
    in.fail("Elevation " + generalNumber(z) + " out of range " + generalNumber(-kHeightLimit) + ".." +
            generalNumber(kHeightLimit));
  pts.push_back({x, y, static_cast<float>(z)});
}

std::vector<Point> readVectorPoints(NumberScanner& in) {
  std::vector<Point> pts;
  while (const std::optional<double> x = in.maybeNumber("x")) {
    const double y = in.number("y");
    addPoint(in, pts, *x, y, in.number("z"));
  }
  return pts;
}

double askNumber(Host& host, const char* prompt, double lo, double hi) {
  const std::optional<std::string> answer = host.inputBox(prompt, kTitle, "");
  if (!answer) throw DemImportAbandoned("Import cancelled");
  std::string_view t = *answer;
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
  double v = 0;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (t.empty() || ec != std::errc{} || end != t.data() + t.size() || !(v >= lo && v <= hi))
    throw SimError("\"" + *answer + "\" is not a value from " + generalNumber(lo) + " to " + generalNumber(hi));
  return v;
}

int askCount(Host& host, const char* prompt) {
  const double v = askNumber(host, prompt, 1, kMaxRasterSide);
  if (v != std::floor(v)) throw SimError("\"" + generalNumber(v) + "\" is not a whole number");
  return static_cast<int>(v);
}

// Row by row from the upper left: the first row is the northernmost.
std::vector<Point> readRasterPoints(Host& host, NumberScanner& in) {
  const int rows = askCount(host, "Enter the number of raster rows");
  const int cols = askCount(host, "Enter the number of raster columns");
  const double spacing = askNumber(host, "Enter the distance between points (m)", 1e-3, 1e6);
  if (static_cast<size_t>(rows) * static_cast<size_t>(cols) > kMaxPoints)
    throw SimError("More than " + std::to_string(kMaxPoints) + " raster points");
  std::vector<Point> pts;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) addPoint(in, pts, c * spacing, (rows - 1 - r) * spacing, in.number("Elevation"));
  in.expectEnd(std::to_string(rows) + " rows of " + std::to_string(cols) + " elevations");
  return pts;
}

// Large data are shrunk by a whole factor that brings both extents below the large width; the
// factor is returned (1 when the data fit).
double offerShrinking(Host& host, std::vector<Point>& pts, const Extent& e) {
  const double factor = demShrinkFactor(host, e.xrange(), e.yrange());
  if (factor != 1)
    for (Point& p : pts) p = {p.x / factor, p.y / factor, static_cast<float>(p.z / factor)};
  return factor;
}

// Elevations become plot units, one unit being one cell of the scale; each must lie within the
// heights a section may hold. The message gives the file's own metres.
void toPlotUnits(std::vector<Point>& pts, float scale, double shrunk) {
  const double limit = double(kMaxStoredHeight) * scale;
  for (Point& p : pts) {
    if (std::fabs(p.z) > limit)
      throw SimError("Elevation " + generalNumber(p.z * shrunk) + " m out of range " + generalNumber(-limit * shrunk) +
                     ".." + generalNumber(limit * shrunk) + " m at " + generalNumber(scale) + " m per column");
    p.z = static_cast<float>(p.z / scale);
  }
}

int chooseTallRows(Host& host, const DemPlacement& place, double yrange) {
  if (place.rowOffset >= 0) return place.rowOffset;
  switch (host.askYesNoCancel("The y-range is too tall to show completely.\nTo view the top choose 'Yes'\n"
                              "To view the bottom choose 'No'\nTo view the middle <default> choose 'Cancel'",
                              MsgIcon::Question, kTitle)) {
    case Answer::Yes: return 0;
    case Answer::No: return static_cast<int>(std::floor(kMapRows - 1 - yrange / place.scale));
    case Answer::Cancel: break;
  }
  return place.rowOffset;
}

// Points that lie on one regular lattice (every node present once) are interpolated
// bilinearly, which reproduces the lattice exactly where grid cells fall on its nodes.
struct Lattice {
  int nx = 0, ny = 0;
  double dx = 0, dy = 0;
  std::vector<float> z;  // node (i, j) at z[j * nx + i], j counted from the smallest y
};

std::vector<double> distinct(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  v.erase(std::unique(v.begin(), v.end()), v.end());
  return v;
}

bool evenlySpaced(const std::vector<double>& v, double step) {
  for (size_t i = 0; i < v.size(); ++i)
    if (std::fabs(v[i] - (v[0] + static_cast<double>(i) * step)) > 1e-6 * step) return false;
  return true;
}

std::optional<Lattice> latticeOf(const std::vector<Point>& pts, const Extent& e) {
  std::vector<double> xs, ys;
  xs.reserve(pts.size()), ys.reserve(pts.size());
  for (const Point& p : pts) xs.push_back(p.x), ys.push_back(p.y);
  xs = distinct(std::move(xs)), ys = distinct(std::move(ys));
  if (xs.size() * ys.size() != pts.size()) return std::nullopt;
  Lattice l{static_cast<int>(xs.size()), static_cast<int>(ys.size()), 0, 0, {}};
  l.dx = e.xrange() / (l.nx - 1), l.dy = e.yrange() / (l.ny - 1);
  if (!evenlySpaced(xs, l.dx) || !evenlySpaced(ys, l.dy)) return std::nullopt;
  l.z.assign(pts.size(), 0.0f);
  std::vector<char> seen(pts.size(), 0);
  for (const Point& p : pts) {
    const size_t i = static_cast<size_t>(std::lround((p.x - e.xmin) / l.dx));
    const size_t j = static_cast<size_t>(std::lround((p.y - e.ymin) / l.dy));
    const size_t k = j * static_cast<size_t>(l.nx) + i;
    if (seen[k]) return std::nullopt;
    seen[k] = 1;
    l.z[k] = p.z;
  }
  return l;
}

// Where a grid cell lies in the data, in metres.
struct CellMapping {
  Extent e;
  double scale;
  int columnOffset, rowOffset;
  double x(int c) const { return e.xmin + (c - 1 - columnOffset) * scale; }
  double y(int r) const { return e.ymax - (r - 1 - rowOffset) * scale; }
};

double lerp(double a, double b, double t) { return (1 - t) * a + t * b; }

// Fractional lattice index of u in 0..n-1, nullopt outside the data.
std::optional<std::pair<int, double>> latticeIndex(double u, int n) {
  constexpr double kSlack = 1e-9;
  if (u < -kSlack || u > n - 1 + kSlack) return std::nullopt;
  u = std::clamp(u, 0.0, static_cast<double>(n - 1));
  const int i = std::min(static_cast<int>(u), n - 2);
  return std::pair{i, u - i};
}

void fillBilinear(std::vector<float>& grid, const Lattice& l, const CellMapping& map) {
  // The columns inside the data, found once rather than for every row.
  std::vector<std::pair<int, std::pair<int, double>>> columns;
  for (int c = 1; c <= kColumns; ++c)
    if (const auto iu = latticeIndex((map.x(c) - map.e.xmin) / l.dx, l.nx)) columns.push_back({c, *iu});
  for (int r = 1; r <= kMapRows; ++r) {
    const auto jv = latticeIndex((map.y(r) - map.e.ymin) / l.dy, l.ny);
    if (!jv) continue;
    const auto [j, s] = *jv;
    for (const auto& [c, iu] : columns) {
      const auto [i, t] = iu;
      const float* row0 = &l.z[static_cast<size_t>(j) * l.nx];
      const float* row1 = row0 + l.nx;
      grid[static_cast<size_t>(r) * kGridWidth + c] =
          static_cast<float>(lerp(lerp(row0[i], row0[i + 1], t), lerp(row1[i], row1[i + 1], t), s));
    }
  }
}

// Scattered points: inverse-distance weighting of the points within a few cells (the data
// spacing, at most the sparse limit); a point on a cell gives that cell its value exactly.
// Each point spreads its weight over the cells it reaches, so the work follows the data, not
// the whole grid.
void fillInverseDistance(std::vector<float>& grid, const std::vector<Point>& pts, const CellMapping& map,
                         double spacing) {
  struct Cell {
    int c, r;
  };
  std::vector<Cell> cells;
  cells.reserve(pts.size());
  Cell lo{kColumns, kMapRows}, hi{1, 1};
  for (const Point& p : pts) {
    const double c = std::round((p.x - map.x(1)) / map.scale) + 1, r = std::round((map.y(1) - p.y) / map.scale) + 1;
    const bool onGrid = c >= 1 && c <= kColumns && r >= 1 && r <= kMapRows;
    cells.push_back(onGrid ? Cell{static_cast<int>(c), static_cast<int>(r)} : Cell{0, 0});
    if (!onGrid) continue;
    lo = {std::min(lo.c, cells.back().c), std::min(lo.r, cells.back().r)};
    hi = {std::max(hi.c, cells.back().c), std::max(hi.r, cells.back().r)};
  }
  if (lo.c > hi.c || lo.r > hi.r) return;
  const int reach = std::clamp(static_cast<int>(std::ceil(spacing / map.scale)), 1, 5);
  const double limit2 = std::pow(reach * map.scale, 2);
  // Sums over the cells the points can reach, not the whole grid.
  lo = {std::max(1, lo.c - reach), std::max(1, lo.r - reach)};
  hi = {std::min(kColumns, hi.c + reach), std::min(kMapRows, hi.r + reach)};
  const int width = hi.c - lo.c + 1;
  const size_t area = static_cast<size_t>(width) * (hi.r - lo.r + 1);
  std::vector<double> sumW(area, 0.0), sumZ(area, 0.0);
  std::vector<char> exact(area, 0);
  auto at = [&](int c, int r) { return static_cast<size_t>(r - lo.r) * width + (c - lo.c); };
  for (size_t n = 0; n < pts.size(); ++n) {
    const Point& p = pts[n];
    const auto [pc, pr] = cells[n];
    if (pc == 0) continue;
    for (int rr = std::max(lo.r, pr - reach); rr <= std::min(hi.r, pr + reach); ++rr)
      for (int cc = std::max(lo.c, pc - reach); cc <= std::min(hi.c, pc + reach); ++cc) {
        const size_t k = at(cc, rr);
        if (exact[k]) continue;
        const double dx = p.x - map.x(cc), dy = p.y - map.y(rr), d2 = dx * dx + dy * dy;
        if (d2 > limit2) continue;
        if (d2 == 0) {
          exact[k] = 1;
          grid[static_cast<size_t>(rr) * kGridWidth + cc] = p.z;
        } else {
          sumW[k] += 1 / d2, sumZ[k] += p.z / d2;
        }
      }
  }
  for (int r = lo.r; r <= hi.r; ++r)
    for (int c = lo.c; c <= hi.c; ++c)
      if (const size_t k = at(c, r); !exact[k] && sumW[k] > 0)
        grid[static_cast<size_t>(r) * kGridWidth + c] = static_cast<float>(sumZ[k] / sumW[k]);
}

}  // namespace

double demShrinkFactor(Host& host, double xrange, double yrange) {
  if (xrange <= kLargeWidth && yrange < kLargeWidth) return 1;
  if (!host.askYesNo("DEM scale too large. \nDo you wish to scale it?", MsgIcon::Question, kTitle))
    throw DemImportAbandoned("Import abandoned");
  const double factor = std::max(std::ceil(xrange / kLargeWidth), std::floor(yrange / kLargeWidth) + 1);
  host.message("Data will be scaled by a factor of " + generalNumber(factor) + "X", MsgIcon::Information, kTitle);
  return factor;
}

DemPlacement placeDem(double xrange, double yrange) {
  struct Row {
    double width;
    float scale;
  };
  static constexpr Row kRows[] = {{5120, 4}, {25600, 20}, {kLargeWidth, 100}};
  const Row* row = &kRows[2];
  for (const Row& r : kRows)
    if (xrange <= r.width) {
      row = &r;
      break;
    }
  const double cell2 = 2.0 * row->scale;
  return {row->scale, static_cast<int>((row->width - xrange) / cell2),
          static_cast<int>((row->width / 2 - yrange) / cell2)};
}

float importForeignDem(Host& host, NumberScanner& in, std::vector<float>& grid) {
  const bool vector = host.askYesNo("Are data of vector <Yes> or raster <No> format?", MsgIcon::Question, kTitle);
  std::vector<Point> pts = vector ? readVectorPoints(in) : readRasterPoints(host, in);
  if (pts.empty()) throw SimError("The file holds no elevation data");
  Extent e = extentOf(pts);
  if (!(e.xrange() > 0 && e.yrange() > 0)) throw SimError("The elevation data do not cover an area");
  const double shrunk = offerShrinking(host, pts, e);
  e = extentOf(pts);

  DemPlacement place = placeDem(e.xrange(), e.yrange());
  toPlotUnits(pts, place.scale, shrunk);
  const std::optional<Lattice> lattice = latticeOf(pts, e);
  const double spacing = lattice ? std::max(lattice->dx, lattice->dy)
                                 : std::sqrt(e.xrange() * e.yrange() / static_cast<double>(pts.size()));
  if (spacing < kMinSpacing) {
    char shown[32];
    std::snprintf(shown, sizeof shown, "%.2g", spacing);
    throw SimError("The points are " + std::string(shown) + " apart: they look like degrees, not metres");
  }
  const double sparseLimit = 5.0 * place.scale;
  if (spacing > sparseLimit) {
    host.message("Data are greater than " + generalNumber(sparseLimit) + " m appart.\nThey are too sparse to interpolate.",
                 MsgIcon::Exclamation, kTitle);
    throw DemImportAbandoned("Data too sparse");
  }
  place.rowOffset = chooseTallRows(host, place, e.yrange());

  const CellMapping map{e, place.scale, place.columnOffset, place.rowOffset};
  if (lattice)
    fillBilinear(grid, *lattice, map);
  else
    fillInverseDistance(grid, pts, map, spacing);
  return place.scale;
}

}  // namespace magmo
