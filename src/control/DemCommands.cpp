#include "control/DemCommands.h"

#include <algorithm>
#include <fstream>
#include <optional>

#include "control/FileAdoption.h"
#include "control/MapPrecision.h"
#include "control/Recorder.h"
#include "control/Reset.h"
#include "control/RunControl.h"
#include "formats/DemFile.h"
#include "formats/DemImport.h"
#include "formats/TerrainPlacement.h"
#include "model/Numeric.h"
#include "model/Sim.h"
#include "textio/FileNames.h"
#include "textio/ReplaceFile.h"
#include "views/MapView.h"
#include "views/Profile.h"

namespace magmo {

namespace {

constexpr const char* kAppTitle = "Magmo";
constexpr const char* kOwnMark = "$Magmo:";
// The own variant's mark follows 20 short lines of explanation.
constexpr size_t kOwnMarkWithin = 8192;

bool startsWithOwnMark(std::istream& in) {
  std::string head(kOwnMarkWithin, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(in.gcount()));
  in.clear();
  in.seekg(0);
  return head.find(kOwnMark) != std::string::npos;
}

// A raster the platform knows, along the line the user chooses; nullopt when the file is none.
// Throws DemImportAbandoned when the user cancels the line.
std::optional<DemData> readRaster(Sim& sim, const std::string& name, int step) {
  const std::optional<TerrainGrid> terrain = sim.host.readTerrain(name);
  if (!terrain) return std::nullopt;
  const std::optional<ProfileLine> line = sim.host.chooseProfileLine(*terrain, defaultProfileLine(*terrain));
  if (!line) throw DemImportAbandoned("Profile line not chosen");
  DemData d;
  d.step = step;
  placeTerrain(sim.host, *terrain, *line, sim.m.Scale, d);
  return d;
}

std::optional<std::string> chooseSaveName(Sim& sim) {
  const Controls& ui = sim.ui;
  // A terrain opened from a GIS raster is not proposed for replacing by the section's own.
  const std::string proposed = !ui.DemFileName.empty()   ? replaceExtension(ui.DemFileName, ".dem")
                               : !ui.StrFileName.empty() ? withExtension(ui.StrFileName, ".dem")
                                                         : sim.paths.dataPath + "Magmo.dem";
  const FileDialog dialog{"Save Magmo Elevation File",
                          "Elevation File (*.dem)|*.dem|GeoTIFF (*.tif)|*.tif;*.tiff|ESRI ASCII Grid (*.asc)|*.asc|",
                          "dem", proposed};
  for (;;) {
    std::optional<std::string> name = sim.host.saveFileName(dialog);
    if (!name || !isDataFile(sim, *name, "MagmoDemo.dem")) return name;
    sim.host.message("Cannot replace MAGMO Demonstration file", MsgIcon::Critical, kAppTitle);
  }
}

// Reads the file with the progress bar; nullopt once the user has been told why it cannot be.
std::optional<DemData> loadDem(Sim& sim, const std::string& name) {
  Controls& ui = sim.ui;
  ui.pBarVisible = true;
  ui.pBarValue = 0;
  std::optional<DemData> d = DemData{};
  d->step = sim.m.MapStep;
  try {
    std::ifstream file(name, std::ios::binary);
    if (!file) throw SimError("Cannot open the file");
    if (!startsWithOwnMark(file))
      if (std::optional<DemData> raster = readRaster(sim, name, d->step)) {
        ui.pBarVisible = false;
        return raster;
      }
    readDemText(file, sim.host, *d, [&](int percent) {
      ui.pBarValue = percent;
      sim.host.yield();
    });
  } catch (const DemImportAbandoned&) {
    d.reset();  // the user declined, or was already told why
  } catch (const std::exception& e) {
    d.reset();
    sim.host.message("Cannot read DEM file '" + name + "' format\n" + e.what(), MsgIcon::Exclamation, kAppTitle);
  }
  ui.pBarVisible = false;
  return d;
}

// The terrain becomes one layer.
void adopt(Sim& sim, DemData&& d) {
  Model& m = sim.m;
  m.MapGrid = std::move(d.grid);
  m.LayerCount = 1;
  m.LayerColor[1] = 3;
  for (int x = 1; x <= kColumns; ++x) m.Topo[x] = m.Strat(1, x) = d.profile[x];
  followStoredMapStep(sim, d.step);
  applyStoredScale(sim, d.scale);
  sim.ui.statusBar2[1] = "Mapping Elevation File   ";
  std::fill(m.MapUnit.begin(), m.MapUnit.end(), static_cast<unsigned char>(m.LayerColor[1] + 1));
  drawMap(sim);
  m.VentKm = m.VentX * m.Scale / 1000;
  sim.ui.txtLoc.text = format(m.VentKm, "0.00");
  sim.host.yield();
}

}  // namespace

void fileSaveDEM(Sim& sim) {
  Controls& ui = sim.ui;
  ui.toolbar["save"].pressed = true;
  const std::string shownBefore = ui.statusBar2[1];
  try {
    if (const std::optional<std::string> name = chooseSaveName(sim)) {
      ui.statusBar2[1] = "Saving Elevation File:  " + *name;
      ui.pBarVisible = true;
      if (const std::optional<TerrainFormat> gis = terrainFormatOf(*name)) {
        sim.host.writeTerrain(*name, mapTerrain(sim.m), *gis);
      } else {
        const std::string text = demFileText(sim.m, [&](int x) {
          ui.pBarValue = 100 * x / kColumns;
          sim.host.yield();
        });
        replaceFile(*name, text);
      }
      ui.DemFileName = *name;
      ui.statusBar2[1] = "Elevation File:  " + *name + " Saved";
    }
  } catch (const std::exception& e) {
    ui.statusBar2[1] = shownBefore;
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
    const FileDialog dialog{"Open Elevation File",
                            "Elevation Files (*.dem;*.tif;*.tiff;*.asc;*.hgt;*.img;*.bil;*.flt;*.vrt)|"
                            "*.dem;*.tif;*.tiff;*.asc;*.hgt;*.img;*.bil;*.flt;*.vrt|All Files (*.*)|*|",
                            "", current.empty() ? "" : replaceExtension(current, ".dem")};
    if (const std::optional<std::string> name = sim.host.openFileName(dialog)) {
      const std::string shownBefore = ui.statusBar2[1];
      ui.statusBar2[1] = "Opening Elevation File:  " + fileTitle(*name);
      menuAct(sim, false);
      std::optional<DemData> d = loadDem(sim, *name);
      menuAct(sim, true);
      if (!d) {
        ui.statusBar2[1] = shownBefore;
        sim.m.RecReadFailed = 1;
      } else {
        clearVar(sim, true);
        clearRec(sim);
        ui.recordFlag = false;
        ui.RecFileName.clear();
        ui.DemFileName = *name;
        ui.StrFileName = replaceExtension(*name, ".str");
        ui.statusBar1[3] = fileTitle(replaceExtension(*name, ""));
        adopt(sim, std::move(*d));
        ui.mnuParTec.enabled = ui.mnuFileSaveAsDem.enabled = ui.toolbar["tectonic"].enabled = true;
        screenRefresh(sim);
        menuAct(sim, true);
        read = true;
      }
    }
  } catch (const std::exception& e) {
    sim.reportError("FileOpenDEM", e);
  }
  ui.toolbar["open"].pressed = false;
  return read;
}

}  // namespace magmo
