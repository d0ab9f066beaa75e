#include "files/DemFile.h"

#include <array>
#include <cmath>
#include <fstream>
#include <functional>
#include <optional>

#include "control/MapPrecision.h"
#include "control/RunControl.h"
#include "files/DemImport.h"
#include "files/FieldWriter.h"
#include "files/FileAdoption.h"
#include "files/FileNames.h"
#include "files/NumberScanner.h"
#include "files/ReplaceFile.h"
#include "model/Numeric.h"
#include "model/Reset.h"
#include "model/Sim.h"
#include "record/Recorder.h"
#include "views/Profile.h"

namespace magmo {

namespace {

constexpr const char* kAppTitle = "Magmo";
constexpr const char* kMark = "$Magmo:";
constexpr int kProfileRow = 320;
constexpr int kMinStep = 4, kMaxStep = 8;
constexpr float kHeightLimit = 1e6f;

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

bool validScale(double s) { return s == 4 || s == 20 || s == 40 || s == 100; }

// The grid is sampled at MapStep from the first cell, stopping one step short of the edge.
template <typename F>
void forEachSample(int step, F&& f) {
  for (int x = 1; x <= kColumns - step; x += step)
    for (int y = 1; y <= kMapRows - step; y += step) f(x, y);
}

std::string demText(const Model& m, const std::function<void(int)>& progress) {
  if (m.MapStep < kMinStep || m.MapStep > kMaxStep) throw SimError("Map step " + std::to_string(m.MapStep) + " out of range");
  if (!validScale(m.Scale)) throw SimError("Scale " + generalNumber(m.Scale) + " out of range");
  std::string head;
  for (const char* line : kExplanation) head.append(line).append("\r\n");
  head.append(std::string(90, '-')).append("\r\n\r\n");
  head.append(kMark).append(" ,").append(generalNumber(m.Scale)).append(",").append(std::to_string(m.MapStep));
  head.append("\r\n");
  FieldWriter w;
  w.reserve(head.size() + 4'000'000);
  int lastX = 0;
  forEachSample(m.MapStep, [&](int x, int y) {
    if (x != lastX) progress(lastX = x);
    w.line(x, y, m.mapGrid(x, y));
  });
  for (int x = 1; x <= kColumns; ++x) w.line(x, kProfileRow, m.Strat(m.LayerCount, x));
  return head + w.str();
}

// What a DEM brings in, staged until the whole file has been read.
struct StagedDem {
  std::vector<float> grid;
  std::array<float, kColumns + 1> profile{};
  float scale = 20;
  int step = 6;
};

void expectRecord(NumberScanner& in, int x, int y) {
  const double rx = in.number("x"), ry = in.number("y");
  if (rx != x || ry != y)
    in.fail("Record " + generalNumber(rx) + "," + generalNumber(ry) + " where " + std::to_string(x) + "," +
            std::to_string(y) + " was expected");
}

float elevation(NumberScanner& in) {
  const double z = in.number("Elevation");
  if (std::fabs(z) > kHeightLimit) in.fail("Elevation " + in.token() + " out of range");
  return static_cast<float>(z);
}

StagedDem readOwnVariant(Sim& sim, NumberScanner& in) {
  StagedDem d;
  const double scale = in.number("Scale");
  if (!validScale(scale)) in.fail("Scale " + in.token() + " is not 4, 20, 40 or 100");
  d.scale = static_cast<float>(scale);
  d.step = in.integer(kMinStep, kMaxStep, "Map step");
  d.grid = sim.m.MapGrid;
  int lastX = 0;
  forEachSample(d.step, [&](int x, int y) {
    if (x != lastX) {
      sim.ui.pBarValue = 100 * (lastX = x) / kColumns;
      sim.host.yield();
    }
    expectRecord(in, x, y);
    const float z = elevation(in);
    for (int i = x; i <= std::min(x + d.step, kColumns); ++i)
      for (int j = y; j <= std::min(y + d.step, kMapRows); ++j) d.grid[static_cast<size_t>(j) * (kColumns + 1) + i] = z;
  });
  for (int x = 1; x <= kColumns; ++x) {
    expectRecord(in, x, kProfileRow);
    d.profile[x] = elevation(in);
  }
  return d;
}

StagedDem importForeign(Sim& sim, std::istream& in, std::streampos start) {
  in.clear();
  if (!in.rdbuf() || in.rdbuf()->pubseekpos(start, std::ios::in) != start)
    throw SimError("The file cannot be read a second time");
  NumberScanner scanner(in.rdbuf());
  ImportedDem dem = importForeignDem(sim.host, scanner);
  StagedDem d;
  d.grid = std::move(dem.grid);
  d.scale = dem.scale;
  d.step = sim.m.MapStep;
  for (int x = 1; x <= kColumns; ++x) d.profile[x] = d.grid[static_cast<size_t>(kProfileRow) * (kColumns + 1) + x];
  return d;
}

// The terrain becomes one layer.
void adopt(Sim& sim, StagedDem& d) {
  Model& m = sim.m;
  m.MapGrid = std::move(d.grid);
  m.LayerCount = 1;
  m.LayerColor[1] = 3;
  for (int x = 1; x <= kColumns; ++x) m.Topo[x] = m.Strat(1, x) = d.profile[x];
  followStoredMapStep(sim, d.step);
  applyStoredScale(sim, d.scale);
  sim.ui.statusBar2[1] = "Mapping Elevation File   ";
  m.VentKm = m.VentX * m.Scale / 1000;
  sim.ui.txtLoc.text = format(m.VentKm, "0.00");
  sim.host.yield();
}

std::optional<std::string> chooseSaveName(Sim& sim) {
  const Controls& ui = sim.ui;
  const std::string proposed = !ui.DemFileName.empty()   ? ui.DemFileName
                               : !ui.StrFileName.empty() ? withExtension(ui.StrFileName, ".dem")
                                                         : sim.paths.dataPath + "Magmo.dem";
  const FileDialog dialog{"Save Magmo Elevation File", "Elevation File (*.dem)|*.dem|", "dem", proposed};
  for (;;) {
    std::optional<std::string> name = sim.host.saveFileName(dialog);
    if (!name || !isDataFile(sim, *name, "MagmoDemo.dem")) return name;
    sim.host.message("Cannot replace MAGMO Demonstration file", MsgIcon::Critical, kAppTitle);
  }
}

}  // namespace

std::string demFileText(const Model& m) {
  return demText(m, [](int) {});
}

void readDemStream(Sim& sim, std::istream& in) {
  if (!in.rdbuf()) throw SimError("No input");
  const std::streampos start = in.rdbuf()->pubseekoff(0, std::ios::cur, std::ios::in);
  NumberScanner scanner(in.rdbuf());
  StagedDem d = scanner.skipTo(kMark) ? readOwnVariant(sim, scanner) : importForeign(sim, in, start);
  adopt(sim, d);
}

void fileSaveDEM(Sim& sim) {
  Controls& ui = sim.ui;
  ui.toolbar["save"].pressed = true;
  try {
    if (const std::optional<std::string> name = chooseSaveName(sim)) {
      ui.DemFileName = *name;
      ui.statusBar2[1] = "Saving Elevation File:  " + *name;
      ui.pBarVisible = true;
      const std::string text = demText(sim.m, [&](int x) {
        ui.pBarValue = 100 * x / kColumns;
        sim.host.yield();
      });
      replaceFile(*name, text);
      ui.statusBar2[1] = "Elevation File:  " + *name + " Saved";
    }
  } catch (const std::exception& e) {
    sim.reportError("DEM file save", e);
  }
  ui.pBarVisible = false;
  ui.toolbar["save"].pressed = false;
}

bool fileOpenDEM(Sim& sim) {
  Controls& ui = sim.ui;
  ui.toolbar["open"].pressed = true;
  bool read = false;
  try {
    const std::string current = !ui.DemFileName.empty() ? ui.DemFileName : ui.StrFileName;
    const FileDialog dialog{"Open Elevation File", "Elevation Files (*.dem)|*.dem|", "",
                            current.empty() ? "" : withExtension(current, ".dem")};
    if (const std::optional<std::string> name = sim.host.openFileName(dialog)) {
      clearVar(sim, true);
      ui.recordFlag = false;
      clearRec(sim);
      screenRefresh(sim, false);
      ui.DemFileName = *name;
      ui.StrFileName = withExtension(*name, ".str");
      ui.statusBar1[3] = dropLastFour(fileTitle(*name));
      ui.statusBar2[1] = "Opening Elevation File:  " + fileTitle(*name);
      menuAct(sim, false);
      read = fileReadDEM(sim);
      ui.mnuParTec.enabled = ui.mnuFileSaveAsDem.enabled = ui.toolbar["tectonic"].enabled = true;
      screenRefresh(sim, false);
      menuAct(sim, true);
      if (!read) ui.StrFileName.clear();
    }
  } catch (const std::exception& e) {
    sim.reportError("FileOpenDEM", e);
    read = false;
  }
  ui.toolbar["open"].pressed = false;
  return read;
}

bool fileReadDEM(Sim& sim) {
  Controls& ui = sim.ui;
  const std::string name = ui.DemFileName;
  ui.pBarVisible = true;
  ui.pBarValue = 0;
  bool read = false;
  try {
    std::ifstream file(name, std::ios::binary);
    if (name.empty() || !file) throw SimError("Cannot open the file");
    readDemStream(sim, file);
    read = true;
  } catch (const DemImportAbandoned&) {
    // The user declined, or was already told why.
  } catch (const std::exception& e) {
    sim.host.message("Cannot read DEM file '" + name + "' format\n" + e.what(), MsgIcon::Information, kAppTitle);
  }
  if (!read) {
    ui.statusBar1[3] = "No File";
    sim.m.RecReadFailed = 1;
  }
  ui.pBarVisible = false;
  return read;
}

}  // namespace magmo
