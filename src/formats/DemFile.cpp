#include "formats/DemFile.h"

#include <algorithm>
#include <cmath>

#include "formats/DemImport.h"
#include "formats/StoredHeight.h"
#include "model/Host.h"
#include "model/Model.h"
#include "model/Numeric.h"
#include "textio/FieldWriter.h"
#include "textio/NumberScanner.h"

namespace magmo {

namespace {

constexpr const char* kMark = "$Magmo:";
constexpr int kProfileRow = 320;
constexpr int kMinStep = 4, kMaxStep = 8;

const char* const kExplanation[] = {
    "---------------------------------Magmo DEM file ------------------------------------------",
    "",
    "  For Magmo-generated files, a header line is written with '$Magmo:' followed by the",
    "  scale factor and precision.",
    "",
    "  To import other DEM files, you will have to edit the file, using a text editor,",
    "  such as Notepad, to remove unneccessary header lines. Imported DEM files (*.dem)",
    "  are assumed to be either (1) ascii-formated vector array of topographic vectors",
    "  (x,y,z) or (2) ascii-formated raster file of elevations (row by row starting",
    "  in upper left).",
    "",
    "  For vector data, vectors are read as x-y-z triplets separated by commas or tabs",
    "  where x and y are map coordinates for corners of square grid (dx = dy = constant),",
    "  and z is elevation (in same units as x and y). Edit the file to remove all header",
    "  lines, leaving just the vector data.",
    "",
    "  For raster data, note the number of rows, columns, and the distance between points.",
    "  Edit the file to remove all header information,leaving the raster data.",
    "",
};

// The grid is sampled at MapStep from the first cell, stopping one step short of the edge.
template <typename F>
void forEachSample(int step, F&& f) {
  for (int x = 1; x <= kColumns - step; x += step)
    for (int y = 1; y <= kMapRows - step; y += step) f(x, y);
}

}  // namespace

std::string demFileText(const Model& m, const std::function<void(int)>& progress) {
  if (m.MapStep < kMinStep || m.MapStep > kMaxStep) throw SimError("Map step " + std::to_string(m.MapStep) + " out of range");
  if (!isStoredScale(m.Scale)) throw SimError("Scale " + generalNumber(m.Scale) + " out of range");
  std::string head;
  for (const char* line : kExplanation) head.append(line).append("\r\n");
  head.append(std::string(90, '-')).append("\r\n\r\n");
  head.append(kMark).append(" ,").append(generalNumber(m.Scale)).append(",").append(std::to_string(m.MapStep));
  head.append("\r\n");
  FieldWriter w;
  w.reserve(head.size() + 4'000'000);
  int lastX = 0;
  forEachSample(m.MapStep, [&](int x, int y) {
    if (x != lastX && progress) progress(lastX = x);
    w.line(x, y, storedHeight(m.mapGrid(x, y), "Elevation"));
  });
  for (int x = 1; x <= kColumns; ++x)
    w.line(x, kProfileRow, storedHeight(m.Strat(m.LayerCount, x), "Elevation"));
  return head + w.str();
}

namespace {

void expectRecord(NumberScanner& in, int x, int y) {
  const double rx = in.number("x"), ry = in.number("y");
  if (rx != x || ry != y)
    in.fail("Record " + generalNumber(rx) + "," + generalNumber(ry) + " where " + std::to_string(x) + "," +
            std::to_string(y) + " was expected");
}

float elevation(NumberScanner& in) {
  const double z = in.number("Elevation");
  if (std::fabs(z) > kMaxStoredHeight)
    in.fail("Elevation " + in.token() + " out of range " + storedHeightRange());
  return static_cast<float>(z);
}

void readOwnVariant(NumberScanner& in, DemData& d, const std::function<void(int)>& progress) {
  const double scale = in.number("Scale");
  if (!isStoredScale(scale)) in.fail("Scale " + in.token() + " is not 4, 20, 40 or 100");
  d.scale = static_cast<float>(scale);
  d.step = in.integer(kMinStep, kMaxStep, "Map step");
  int lastX = 0;
  forEachSample(d.step, [&](int x, int y) {
    if (x != lastX && progress) progress(100 * (lastX = x) / kColumns);
    expectRecord(in, x, y);
    const float z = elevation(in);
    for (int i = x; i <= std::min(x + d.step, kColumns); ++i)
      for (int j = y; j <= std::min(y + d.step, kMapRows); ++j) d.grid[static_cast<size_t>(j) * (kColumns + 1) + i] = z;
  });
  for (int x = 1; x <= kColumns; ++x) {
    expectRecord(in, x, kProfileRow);
    d.profile[x] = elevation(in);
  }
  in.expectEnd("the last profile record");
}

void importForeign(Host& host, std::istream& in, std::streampos start, DemData& d) {
  in.clear();
  if (!in.rdbuf() || in.rdbuf()->pubseekpos(start, std::ios::in) != start)
    throw SimError("The file cannot be read a second time");
  NumberScanner scanner(in.rdbuf());
  d.scale = importForeignDem(host, scanner, d.grid);
  for (int x = 1; x <= kColumns; ++x) d.profile[x] = d.grid[static_cast<size_t>(kProfileRow) * (kColumns + 1) + x];
}

}  // namespace

void readDemText(std::istream& in, Host& host, DemData& into, const std::function<void(int)>& progress) {
  if (!in.rdbuf()) throw SimError("No input");
  const std::streampos start = in.rdbuf()->pubseekoff(0, std::ios::cur, std::ios::in);
  NumberScanner scanner(in.rdbuf());
  if (scanner.skipTo(kMark))
    readOwnVariant(scanner, into, progress);
  else
    importForeign(host, in, start, into);
}

}  // namespace magmo
